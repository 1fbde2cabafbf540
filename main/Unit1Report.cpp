// The main window's commands that generate the résumé.
#include "Unit1.h"

// Placeholder: the [report] issue asks the style question and previews the résumé.
void TForm1::GerarCurrculo1Click() {}
void TForm1::BitBtn3Click() { GerarCurrculo1Click(); }
