#include "webupdate/TargetFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace webupdate {

bool isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString updateFolder(const QString& ownFolder, const std::function<bool(const QString&)>& writable)
{
    if (writable(ownFolder))
        return ownFolder;
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QDir().mkpath(downloads) && writable(downloads))
        return downloads;
    return QDir::tempPath();
}

} // namespace webupdate
