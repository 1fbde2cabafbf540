// The main window's commands that reopen a saved résumé.
#include "Unit1.h"

// Placeholder: the [save] issue reads the report file and previews it.
void TForm1::BitBtn7Click() {}
void TForm1::AbrirCurrculo1Click() { BitBtn7Click(); }
