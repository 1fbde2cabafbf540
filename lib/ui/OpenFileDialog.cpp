#include "ui/OpenFileDialog.h"

#include <QFileDialog>

namespace ui {
namespace {

OpenFileDialog::Hook& hook()
{
    static OpenFileDialog::Hook h;
    return h;
}

} // namespace

void OpenFileDialog::setHook(Hook h) { hook() = std::move(h); }

QStringList OpenFileDialog::nameFilters() const
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        // Offer both letter cases, so "Maria.QRP" is listed under "*.qrp" on case-sensitive systems.
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << p;
            if (p.toUpper() != p)
                patterns << p.toUpper();
        }
        out << QStringLiteral("%1 (%2)").arg(parts[i].section(QLatin1Char('('), 0, 0).trimmed(),
                                             patterns.join(QLatin1Char(' ')));
    }
    return out;
}

std::optional<QString> OpenFileDialog::execute(QWidget* parent) const
{
    if (hook())
        return hook()(*this);
    QFileDialog dialog(parent, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    const QStringList filters = nameFilters();
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace ui
