#include "net/WebView.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTextDocument>

namespace net {

namespace {
constexpr qint64 kMaxResource = 4 * 1024 * 1024; // a banner or an update page, not a download

// The page's text in the character set it names; a page that names none (or one we lack) is
// read as UTF-8 when it is valid UTF-8, else as single-byte Latin text, as older servers send.
QString decodePage(const QByteArray& data)
{
    const auto named = QStringConverter::encodingForHtml(data);
    if (named && *named != QStringConverter::Utf8)
        return QStringDecoder(*named).decode(data);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(data);
    return utf8.hasError() ? QString::fromLatin1(data) : text;
}
} // namespace

WebView::WebView(QNetworkAccessManager* manager, QWidget* parent) : QTextBrowser(parent), m_manager(manager)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void WebView::navigate(const QUrl& url)
{
    m_address = url;
    m_loaded.clear();
    if (m_pageReply) {
        m_pageReply->abort();
        m_pageReply = nullptr;
    }
    fetch(url, QTextDocument::HtmlResource);
}

void WebView::fetch(const QUrl& url, int type)
{
    if (m_pending.contains(url) || !m_manager)
        return;
    m_pending.insert(url);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_manager->get(request);
    if (type == QTextDocument::HtmlResource)
        m_pageReply = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxResource)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, type] { finished(reply, type); });
}

void WebView::finished(QNetworkReply* reply, int type)
{
    reply->deleteLater();
    const QUrl url = reply->request().url();
    m_pending.remove(url);
    const bool ok = reply->error() == QNetworkReply::NoError;
    if (type == QTextDocument::HtmlResource) {
        if (reply != m_pageReply)
            return; // a page we navigated away from
        m_pageReply = nullptr;
        if (ok) {
            document()->setBaseUrl(url);
            setHtml(decodePage(reply->readAll()));
        }
        emit pageLoaded(ok);
        return;
    }
    if (!ok)
        return;
    m_loaded.insert(url, reply->readAll());
    document()->addResource(type, url, m_loaded.value(url));
    // Lay the page out again so the image takes its place.
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
}

QVariant WebView::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource)
        return QTextBrowser::loadResource(type, name);
    const QUrl url = m_address.resolved(name);
    if (m_loaded.contains(url))
        return m_loaded.value(url);
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        fetch(url, type);
    return {};
}

} // namespace net
