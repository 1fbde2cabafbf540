#pragma once

#include <QHash>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace net {

// A light page view: shows an HTML page and its images, loaded asynchronously through the
// given HTTP stack (so its URL cache sees them). It runs no scripts. A resource asked for
// while its request is pending is not requested twice.
class WebView : public QTextBrowser {
    Q_OBJECT
  public:
    explicit WebView(QNetworkAccessManager* manager, QWidget* parent = nullptr);

    void navigate(const QUrl& url);

    // Keeps the page this far inside the view's frame, on each side: for a view placed larger
    // than the part of it that shows, so that the page lies within that part.
    void setContentMargins(const QMargins& margins) { setViewportMargins(margins); }
    QUrl address() const { return m_address; }

  signals:
    // The page itself arrived (ok) or failed.
    void pageLoaded(bool ok);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    void fetch(const QUrl& url, int type);
    void finished(QNetworkReply* reply, int type);

    QNetworkAccessManager* m_manager;
    QUrl m_address;
    QSet<QUrl> m_pending;
    QHash<QUrl, QByteArray> m_loaded;
    QNetworkReply* m_pageReply = nullptr;
};

} // namespace net
