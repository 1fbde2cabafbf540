#include "net/Remote.h"

#include <QCoreApplication>
#include <QLibrary>

// Weak: set only where the network layer is linked in, as in the tests.
#if defined(__GNUC__)
extern "C" const net::Remote* sovranel_net_remote() __attribute__((weak));
#endif

namespace net {
namespace {

const Remote* stack()
{
    static const Remote* const loaded = []() -> const Remote* {
#if defined(__GNUC__)
        if (sovranel_net_remote)
            return sovranel_net_remote();
#endif
        // The module stays loaded once loaded: its requests live on in the windows.
        QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/sovranel_network"));
        using Entry = const Remote* (*)();
        const auto entry = reinterpret_cast<Entry>(module.resolve("sovranel_network_remote"));
        return entry ? entry() : nullptr;
    }();
    return loaded;
}

class LoadingFetcher : public Fetcher {
  public:
    Fetch* get(const QUrl& url, bool page, std::function<void(Fetch*, qint64)> progress,
               std::function<void(Fetch*, const Fetched&)> done) override
    {
        const Remote* remote = stack();
        return remote ? remote->fetcher()->get(url, page, std::move(progress), std::move(done)) : nullptr;
    }
};

} // namespace

namespace remote {

Fetcher& fetcher()
{
    static LoadingFetcher loading;
    return loading;
}

QByteArray httpGet(const QUrl& url, const HttpLimits& limits)
{
    if (const Remote* remote = stack())
        return remote->httpGet(url, limits);
    throw HttpFailure("O módulo de rede (sovranel_network) não foi encontrado junto do programa.");
}

bool isOnline()
{
    const Remote* remote = stack();
    return remote && remote->isOnline();
}

int purgeCache(const QString& domain)
{
    const Remote* remote = stack();
    return remote ? remote->purgeCache(domain) : 0;
}

} // namespace remote
} // namespace net
