#include "net/Network.h"

#include "net/CachePurge.h"
#include "net/ConnectionState.h"
#include "net/NetworkFetcher.h"
#include "net/Remote.h"

#include <QCoreApplication>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkProxyFactory>
#include <QStandardPaths>
#include <QUrl>

namespace net {
namespace {

QString routeOf(const QUrl& url)
{
    return url.host() + QLatin1Char(':') +
           QString::number(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
}

// The system's proxy for every request but those to a server asked for directly.
class Routes : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        const QString route = query.url().isValid() ? routeOf(query.url())
                                                    : query.peerHostName() + QLatin1Char(':') +
                                                          QString::number(query.peerPort());
        if (direct.value(route) > 0)
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return QNetworkProxyFactory::proxyForQuery(query);
    }
    QHash<QString, int> direct; // route -> how many DirectRoutes ask for it
};

struct Stack {
    QNetworkAccessManager* manager = nullptr;
    QNetworkDiskCache* cache = nullptr;
    Routes* routes = nullptr;        // owned by the manager
    net::Fetcher* fetcher = nullptr; // goes with the manager
};

Stack& current()
{
    static Stack s;
    return s;
}

Stack& stack()
{
    Stack& s = current();
    if (!s.manager) {
        s.manager = new QNetworkAccessManager(QCoreApplication::instance());
        s.cache = new QNetworkDiskCache(s.manager);
        s.cache->setCacheDirectory(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                   QStringLiteral("/http"));
        s.manager->setCache(s.cache);
        s.fetcher = net::networkFetcher(s.manager);
        s.routes = new Routes;
        s.manager->setProxyFactory(s.routes);
        QObject::connect(s.manager, &QObject::destroyed, [] { current() = {}; });
    }
    return s;
}

} // namespace

QNetworkAccessManager* manager() { return stack().manager; }
QNetworkDiskCache* urlCache() { return stack().cache; }

DirectRoute::DirectRoute(const QUrl& url) : m_route(routeOf(url)) { ++stack().routes->direct[m_route]; }

DirectRoute::~DirectRoute()
{
    // The stack may have gone with the application in the meantime.
    if (Routes* routes = current().routes; routes && --routes->direct[m_route] <= 0)
        routes->direct.remove(m_route);
}

} // namespace net

extern "C" const net::Remote* sovranel_net_remote()
{
    static const net::Remote remote{
        [] { return net::stack().fetcher; },
        [](const QUrl& url, const net::HttpLimits& limits) { return net::httpGet(url, limits); },
        [] { return net::isOnline(); },
        [](const QString& domain) { return net::purgeCache(net::urlCache(), domain); },
    };
    return &remote;
}
