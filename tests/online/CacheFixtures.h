#pragma once

// URL-cache helpers of the on-line tests.

#include <QImage>
#include <QNetworkDiskCache>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// Whether a page view's resource is a loaded picture (a refused or pending one is not).
inline bool isPicture(const QVariant& resource)
{
    return (resource.userType() == QMetaType::QImage && !resource.value<QImage>().isNull()) ||
           (resource.userType() == QMetaType::QPixmap && !resource.value<QPixmap>().isNull());
}

// Gives this test process a URL cache of its own, so test programs running side by side
// never share one (the toolkit's test mode would put them all in one folder).
inline void useOwnCacheFolder()
{
    static QTemporaryDir folder;
    qputenv("XDG_CACHE_HOME", folder.path().toLocal8Bit());
}

// Stores a small body for `url` in the cache, as a fetch of it would have.
inline void seedCache(QNetworkDiskCache& cache, const QUrl& url)
{
    QNetworkCacheMetaData meta;
    meta.setUrl(url);
    meta.setSaveToDisk(true);
    meta.setRawHeaders({{"Content-Type", "text/plain"}});
    QIODevice* body = cache.prepare(meta);
    QVERIFY(body);
    body->write("conteúdo");
    cache.insert(body);
}
