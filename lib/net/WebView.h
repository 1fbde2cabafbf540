#pragma once

#include <QSet>
#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace net {

// A light page view: shows an HTML page and its images, loaded asynchronously through the
// given HTTP stack (so its URL cache sees them). It runs no scripts. A resource asked for
// while its request is pending is not requested twice.
//
// A page comes from a server we do not control, so the view loads only what that server
// itself serves over http (never a local file, a resource of the program or another site),
// and keeps each page within a budget: at most kMaxResources resources and kMaxPageBytes
// decoded in all; what passes the budget is not loaded.
class WebView : public QTextBrowser {
    Q_OBJECT
  public:
    static constexpr int kMaxResources = 32;
    static constexpr qint64 kMaxPageBytes = 16 * 1024 * 1024;
    static constexpr qint64 kMaxResourceBytes = 4 * 1024 * 1024; // one resource as it arrives

    explicit WebView(QNetworkAccessManager* manager, QWidget* parent = nullptr);

    void navigate(const QUrl& url);

    // Keeps the page this far inside the view's frame, on each side: for a view placed larger
    // than the part of it that shows, so that the page lies within that part.
    void setContentMargins(const QMargins& margins) { setViewportMargins(margins); }
    QUrl address() const { return m_address; }

    // What the current page's resources take: how many were asked of the server, and their
    // decoded size in bytes (a picture's pixels, a style sheet's text).
    int resourcesRequested() const { return m_requested; }
    qint64 decodedBytes() const { return m_decoded; }

  signals:
    // The page itself arrived (ok) or failed.
    void pageLoaded(bool ok);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    bool fromPageServer(const QUrl& url) const;
    void fetch(const QUrl& url, int type);
    void finished(QNetworkReply* reply, int type);
    QVariant decoded(int type, const QByteArray& data);

    QNetworkAccessManager* m_manager;
    QUrl m_address;
    QSet<QUrl> m_pending;
    QSet<QUrl> m_settled; // loaded into the document, failed or refused: never asked again
    QNetworkReply* m_pageReply = nullptr;
    int m_requested = 0;
    qint64 m_decoded = 0;
    qint64 m_arriving = 0; // bytes received so far for the page's resources
};

} // namespace net
