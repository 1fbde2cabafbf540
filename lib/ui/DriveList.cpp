#include "ui/DriveList.h"

#include "ui/FolderList.h"
#include "ui/Look.h"

#include <QAbstractItemView>
#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace ui {
namespace {

bool isRemovableMount(const QString& root)
{
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")) ||
           root.startsWith(QLatin1String("/mnt/"));
}

bool contains(const QString& root, const QString& folder)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setIconSize(QSize(16, 16));
    connect(this, &QComboBox::activated, this, &DriveList::chosen);
    setVolumes(systemVolumes());
}

std::vector<Volume> DriveList::systemVolumes()
{
    const QString homeRoot = QStorageInfo(QDir::homePath()).rootPath();
    std::vector<Volume> out{{QStringLiteral("/"), QStringLiteral("Sistema (/)"), false}};
    std::vector<Volume> drives;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        if (!v.isValid() || !v.isReady() || v.isReadOnly() || root == QLatin1String("/"))
            continue;
        if (root == homeRoot)
            out.push_back({root, QStringLiteral("Pasta pessoal (%1)").arg(root), false});
        else if (isRemovableMount(root)) {
            const QString label = v.name().isEmpty() ? QDir(root).dirName() : v.name();
            drives.push_back({root, QStringLiteral("%1 (%2)").arg(label, root), true});
        }
    }
    std::sort(drives.begin(), drives.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    out.insert(out.end(), drives.begin(), drives.end());
    return out;
}

void DriveList::setVolumes(std::vector<Volume> volumes)
{
    // A volume still listed keeps the folder last opened on it.
    std::vector<QString> folders;
    for (const Volume& v : volumes) {
        const auto old = std::find_if(m_volumes.begin(), m_volumes.end(),
                                      [&](const Volume& o) { return o.rootPath == v.rootPath; });
        folders.push_back(old == m_volumes.end() ? v.rootPath
                                                 : m_currentFolders[std::size_t(old - m_volumes.begin())]);
    }
    m_volumes = std::move(volumes);
    m_currentFolders = std::move(folders);
    clear();
    int widest = 0;
    for (const Volume& v : m_volumes) {
        const QIcon icon = v.removable ? themeIcon("drive-removable-media", QStyle::SP_DriveFDIcon)
                                       : themeIcon("drive-harddisk", QStyle::SP_DriveHDIcon);
        addItem(icon, v.name);
        widest = std::max(widest, fontMetrics().horizontalAdvance(v.name));
    }
    // The closed box is narrow; the open list shows each name whole.
    view()->setMinimumWidth(widest + iconSize().width() + 24);
    if (m_list)
        folderOpened(QDir::fromNativeSeparators(m_list->folder()));
}

void DriveList::setFolderList(FolderList* list)
{
    m_list = list;
    connect(list, &FolderList::folderChanged, this,
            [this](const QString& folder) { folderOpened(QDir::fromNativeSeparators(folder)); });
    folderOpened(QDir::fromNativeSeparators(list->folder()));
}

int DriveList::volumeOf(const QString& folder) const
{
    int best = -1;
    for (int i = 0; i < int(m_volumes.size()); ++i)
        if (contains(m_volumes[i].rootPath, folder) &&
            (best < 0 || m_volumes[i].rootPath.size() > m_volumes[best].rootPath.size()))
            best = i;
    return best;
}

void DriveList::chosen(int index)
{
    if (m_list && index >= 0 && index < int(m_volumes.size()))
        m_list->setFolder(m_currentFolders[index]);
}

void DriveList::folderOpened(const QString& folder)
{
    const int i = volumeOf(folder);
    if (i < 0)
        return;
    m_currentFolders[i] = folder;
    setCurrentIndex(i);
}

} // namespace ui
