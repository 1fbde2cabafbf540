#include "net/Network.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QStandardPaths>

namespace net {
namespace {

struct Stack {
    QNetworkAccessManager* manager = nullptr;
    QNetworkDiskCache* cache = nullptr;
};

Stack& stack()
{
    static Stack s;
    if (!s.manager) {
        s.manager = new QNetworkAccessManager(QCoreApplication::instance());
        s.cache = new QNetworkDiskCache(s.manager);
        s.cache->setCacheDirectory(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                   QStringLiteral("/http"));
        s.manager->setCache(s.cache);
        QObject::connect(s.manager, &QObject::destroyed, [] { stack() = {}; });
    }
    return s;
}

} // namespace

QNetworkAccessManager* manager() { return stack().manager; }
QNetworkDiskCache* urlCache() { return stack().cache; }

} // namespace net
