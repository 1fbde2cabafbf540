#include "net/CachePurge.h"

#include <QDirIterator>
#include <QNetworkDiskCache>
#include <QUrl>

namespace net {

int purgeCache(QNetworkDiskCache* cache, const QString& domain)
{
    if (!cache || domain.isEmpty() || cache->cacheDirectory().isEmpty())
        return 0;
    // The cache lists no entries of its own: walk its folder and let it read each file's record
    // (files that are not entries give none). Remove only after the walk.
    QList<QUrl> doomed;
    QDirIterator files(cache->cacheDirectory(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QUrl url = cache->fileMetaData(files.next()).url();
        if (url.isValid() && url.toString().contains(domain, Qt::CaseSensitive))
            doomed.append(url);
    }
    int removed = 0;
    for (const QUrl& url : doomed)
        removed += cache->remove(url) ? 1 : 0;
    return removed;
}

} // namespace net
