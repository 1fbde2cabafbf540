#include "ui/OpenFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace ui {
namespace {

// Lists hidden files (the dialog's name filters still choose among them) but no hidden
// folders, apart from those on the way to the folder being shown.
class NoHiddenFolders : public QSortFilterProxyModel {
  public:
    explicit NoHiddenFolders(QFileDialog* dialog) : QSortFilterProxyModel(dialog), m_dialog(dialog) {}

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        if (!info.isDir() || !info.fileName().startsWith(QLatin1Char('.')))
            return true;
        const QString shown = QDir::cleanPath(m_dialog->directory().absolutePath()) + QLatin1Char('/');
        return shown.startsWith(QDir::cleanPath(info.absoluteFilePath()) + QLatin1Char('/'));
    }

  private:
    QFileDialog* m_dialog;
};

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

std::unique_ptr<QFileDialog> OpenFileDialog::makeDialog(QWidget* parent) const
{
    auto dialog = std::make_unique<QFileDialog>(parent, title);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (listHiddenFiles) {
        // Only our own window can be told to list them and still keep hidden folders out.
        dialog->setOption(QFileDialog::DontUseNativeDialog, true);
        dialog->setFilter(dialog->filter() | QDir::Hidden);
        auto* proxy = new NoHiddenFolders(dialog.get());
        dialog->setProxyModel(proxy);
        // Which hidden folders lie on the way depends on the folder shown.
        QObject::connect(dialog.get(), &QFileDialog::directoryEntered, proxy,
                         &QSortFilterProxyModel::invalidate);
    } else {
        dialog->setOption(QFileDialog::DontUseNativeDialog, false);
    }
    const QStringList filters = nameFilters();
    dialog->setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog->selectNameFilter(filters[filterIndex - 1]);
    return dialog;
}

std::optional<QString> OpenFileDialog::execute(QWidget* parent) const
{
    if (hook())
        return hook()(*this);
    const std::unique_ptr<QFileDialog> dialog = makeDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}

} // namespace ui
