// The entry form's actions: clearing, exit dates, closing sentence, photo page.
#include "Unit1.h"

// Placeholder: the [actions] issue wires the focus-enter and page-show handlers.
void TForm1::wireActions() {}

void TForm1::BitBtn4Click() { LimparCamposDeTexto(); }
void TForm1::LimparCampos1Click() { LimparCamposDeTexto(); }
// Placeholder: the [actions] issue empties the text fields.
void TForm1::LimparCamposDeTexto() {}
// Placeholder: the [actions] issue opens the webcam window.
void TForm1::BitBtn1Click() {}
// Placeholder: the [actions] issue loads a picture file.
void TForm1::BitBtn2Click() {}
// Placeholder: the [actions] issue deletes the photo.
void TForm1::BitBtn5Click() {}
// Placeholder: the [actions] issue switches the exit date of the page.
void TForm1::informar_saidaClick(int) {}
// Placeholder: the [actions] issue keeps one closing sentence chosen.
void TForm1::frase1Click() {}
void TForm1::frase2Click() {}
void TForm1::frase3Click() {}
void TForm1::frase4Click() {}
// Placeholder: the [actions] issue handles the focus entering the pages.
void TForm1::PageControl1Enter() {}
// Placeholder: the [actions] issue focuses the schooling list.
void TForm1::TabSheet8Show() {}
