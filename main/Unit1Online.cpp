// The main window's on-line step and the start of the updater.
#include "Unit1.h"

void TForm1::VerificarVersaoOnline()
{
    // Placeholder: the [online] issue checks the version and shows the banner when on line.
    if (m_env.connected && m_env.connected()) {
    }
}

// Placeholder: the [online] issue starts the updater and closes the window.
void TForm1::ProcurarAtualizaes1Click() {}
