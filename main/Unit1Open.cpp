// The main window's commands that reopen a saved résumé.
#include "Unit1.h"

#include "report/PreviewWindow.h"
#include "report/ReportFile.h"
#include "ui/OpenFileDialog.h"

// The file's pages open in a preview of their own, not modal, and the command returns at once;
// the entry window and the résumé report are not touched. A file that cannot be read ends in
// the error box with the reader's message, and no preview opens.
void TForm1::BitBtn7Click()
{
    const std::optional<QString> chosen = OpenDialog1->execute(this);
    if (!chosen)
        return;
    auto* preview = new report::PreviewWindow(report::loadReportFile(*chosen));
    preview->showMaximized();
}

void TForm1::AbrirCurrculo1Click() { BitBtn7Click(); }
