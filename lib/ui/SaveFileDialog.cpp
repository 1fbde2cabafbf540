#include "ui/SaveFileDialog.h"

#include "ui/OpenFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace ui {
namespace {

SaveFileDialog::Hook& hook()
{
    static SaveFileDialog::Hook h;
    return h;
}

// "*.json" of "Dados (*.json)|*.json": the suffix a name without one gets.
QString defaultSuffix(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {};
    const QString pattern = parts[1].section(QLatin1Char(';'), 0, 0);
    return pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QString();
}

} // namespace

void SaveFileDialog::setHook(Hook h) { hook() = std::move(h); }

std::optional<QString> SaveFileDialog::execute(QWidget* parent) const
{
    std::optional<QString> chosen;
    if (hook()) {
        chosen = hook()(*this);
    } else {
        QFileDialog dialog(parent, title);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        OpenFileDialog described;
        described.filter = filter;
        dialog.setNameFilters(described.nameFilters());
        dialog.setDefaultSuffix(defaultSuffix(filter));
        const QFileInfo where(proposed);
        if (proposed.contains(QLatin1Char('/')))
            dialog.setDirectory(where.absolutePath());
        dialog.selectFile(where.fileName());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    const QString suffix = defaultSuffix(filter);
    if (chosen && !suffix.isEmpty() && QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QLatin1Char('.') + suffix;
    return chosen;
}

} // namespace ui
