// The main window's commands for the form's data: a new résumé, saving and opening data files.
#include "Unit1.h"

#include "FormBinding.h"

#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/OpenFileDialog.h"
#include "ui/SaveFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

namespace {

const QString kDataFilter = QStringLiteral("Dados do Currículo (*.json)|*.json");

} // namespace

void TForm1::NovoCurrculo1Click()
{
    if (ui::askYesNo(ui::Application::title(), QStringLiteral("Deseja apagar todos os dados do formulário?"),
                     ui::DialogButton::No) != ui::DialogButton::Yes)
        return;
    m_formData->erase();
}

void TForm1::SalvarDados1Click()
{
    QString name = edt_nome->text();
    name.remove(QLatin1Char('/')).remove(QLatin1Char('\\'));
    name = name.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("curriculo");
    if (m_dataFolder.isEmpty())
        m_dataFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(m_dataFolder).exists())
        m_dataFolder = QDir::homePath();
    ui::SaveFileDialog dialog;
    dialog.title = QStringLiteral("Salvar Dados do Currículo");
    dialog.filter = kDataFilter;
    dialog.proposed = QDir(m_dataFolder).filePath(name + QStringLiteral(".json"));
    const std::optional<QString> path = dialog.execute(this);
    if (!path)
        return;
    const FormBinding& binding = *m_formData;
    saveDataFile(*path, writeFormData(binding.data(), binding.schema()));
    m_dataFolder = QFileInfo(*path).absolutePath();
}

// The whole file is read and checked before the question, so a file that cannot be taken
// ends in the error box with the form untouched, and the user is asked nothing in vain.
void TForm1::AbrirDados1Click()
{
    ui::OpenFileDialog dialog;
    dialog.title = QStringLiteral("Abrir Dados do Currículo");
    dialog.filter = kDataFilter;
    const std::optional<QString> path = dialog.execute(this);
    if (!path)
        return;
    const FormData data = readFormDataFile(*path, m_formData->schema());
    if (m_formData->holdsData() &&
        ui::askYesNo(ui::Application::title(), QStringLiteral("Deseja substituir os dados do formulário?"),
                     ui::DialogButton::No) != ui::DialogButton::Yes)
        return;
    m_formData->replace(data);
    m_dataFolder = QFileInfo(*path).absolutePath();
}
