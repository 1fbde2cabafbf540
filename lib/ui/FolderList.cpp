#include "ui/FolderList.h"

#include "ui/Look.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace ui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndent = 8;
constexpr int kItemHeight = 16;

// Draws each folder one indent further in than its parent.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(kDepthRole).toInt() * kIndent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize s = QStyledItemDelegate::sizeHint(option, index);
        return QSize(s.width() + index.data(kDepthRole).toInt() * kIndent, kItemHeight);
    }
};

QString nearestExistingFolder(const QString& path)
{
    QString p = QDir::cleanPath(QDir(path).absolutePath());
    while (!QFileInfo(p).isDir()) {
        const QString up = QFileInfo(p).path();
        if (up == p)
            return QDir::rootPath();
        p = up;
    }
    return p;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setIconSize(QSize(16, 16));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::open);
    m_folder = QDir::cleanPath(QDir::currentPath());
    fill();
}

QString FolderList::folder() const { return QDir::toNativeSeparators(m_folder); }

void FolderList::setFolder(const QString& path)
{
    const QString next = nearestExistingFolder(QDir::fromNativeSeparators(path));
    const bool changed = next != m_folder;
    m_folder = next;
    fill();
    if (changed)
        emit folderChanged(folder());
}

void FolderList::fill()
{
    clear();
    const QIcon openIcon = themeIcon("folder-open", QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = themeIcon("folder", QStyle::SP_DirClosedIcon);
    auto add = [&](const QString& text, const QString& path, int depth, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(kPathRole, path);
        item->setData(kDepthRole, depth);
        return item;
    };

    // The path from the root down: "/", then each folder on the way.
    QString path = QDir::rootPath();
    QListWidgetItem* current = add(QDir::toNativeSeparators(path), path, 0, openIcon);
    int depth = 0;
    for (const QString& part : m_folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = path.endsWith(QLatin1Char('/')) ? path + part : path + QLatin1Char('/') + part;
        current = add(part, path, ++depth, openIcon);
    }
    const QDir dir(m_folder);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(sub, dir.filePath(sub), depth + 1, closedIcon);
    setCurrentItem(current);
    scrollToItem(current);
}

void FolderList::open(QListWidgetItem* item)
{
    if (item)
        setFolder(item->data(kPathRole).toString());
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace ui
