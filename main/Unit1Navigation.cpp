// Keyboard navigation and the focus highlight of the main window.
#include "Unit1.h"

// Placeholder: the [actions] issue adds the Enter-key chains and the focus handlers.
void TForm1::wireNavigation() {}

// Placeholder: the [actions] issue colours the focused entry field.
void TForm1::MudancaDeFoco() {}
