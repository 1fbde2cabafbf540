#include "net/NetworkFetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace net {
namespace {

class NetworkFetch : public QObject, public Fetch {
  public:
    NetworkFetch(QNetworkReply* reply, std::function<void(Fetch*, qint64)> progress,
                 std::function<void(Fetch*, const Fetched&)> done)
        : m_reply(reply)
    {
        connect(
            reply, &QNetworkReply::downloadProgress, this,
            [this, progress = std::move(progress)](qint64 received, qint64) { progress(this, received); });
        connect(reply, &QNetworkReply::finished, this, [this, done = std::move(done)] {
            const Fetched result{m_reply->request().url(), m_reply->error() == QNetworkReply::NoError,
                                 m_reply->readAll()};
            done(this, result);
            deleteLater();
        });
    }
    ~NetworkFetch() override
    {
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
            m_reply->deleteLater();
        }
    }
    void abort() override
    {
        if (m_reply)
            m_reply->abort();
    }

  private:
    QPointer<QNetworkReply> m_reply;
};

class NetworkFetcher : public Fetcher {
  public:
    explicit NetworkFetcher(QNetworkAccessManager* manager) : m_manager(manager) {}
    Fetch* get(const QUrl& url, bool page, std::function<void(Fetch*, qint64)> progress,
               std::function<void(Fetch*, const Fetched&)> done) override
    {
        QNetworkRequest request(url);
        // No redirection at all for a resource: it could lead away from the page's server.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             page ? QNetworkRequest::NoLessSafeRedirectPolicy
                                  : QNetworkRequest::ManualRedirectPolicy);
        return new NetworkFetch(m_manager->get(request), std::move(progress), std::move(done));
    }

  private:
    QNetworkAccessManager* m_manager;
};

} // namespace

Fetcher* networkFetcher(QNetworkAccessManager* manager)
{
    auto* fetcher = new NetworkFetcher(manager);
    QObject::connect(manager, &QObject::destroyed, [fetcher] { delete fetcher; });
    return fetcher;
}

} // namespace net
