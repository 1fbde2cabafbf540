#include "net/WebView.h"

#include <QBuffer>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextDocument>

#include <memory>

namespace net {

namespace {
constexpr qint64 kMaxPage = 4 * 1024 * 1024; // a banner or an update page, not a download

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

// What the document gets for a resource it may not have. Not an empty QVariant: given nothing,
// the document would try to read the address as a local file itself.
QVariant nothing() { return QByteArray(); }
} // namespace

WebView::WebView(Fetcher* fetcher, QWidget* parent) : QTextBrowser(parent), m_fetcher(fetcher)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

WebView::~WebView() { qDeleteAll(m_fetches); }

void WebView::navigate(const QUrl& url)
{
    m_address = url;
    m_settled.clear();
    m_requested = 0;
    m_decoded = 0;
    m_arriving = 0;
    if (m_pageFetch) {
        m_pageFetch->abort();
        m_pageFetch = nullptr;
    }
    fetch(url, QTextDocument::HtmlResource);
}

bool WebView::fromPageServer(const QUrl& url) const
{
    return url.scheme() == QLatin1String("http") && m_address.scheme() == QLatin1String("http") &&
           !url.host().isEmpty() && url.host() == m_address.host() && url.port(80) == m_address.port(80);
}

void WebView::fetch(const QUrl& url, int type)
{
    if (m_pending.contains(url) || !m_fetcher)
        return;
    const bool page = type == QTextDocument::HtmlResource;
    if (!page && m_requested >= kMaxResources) {
        m_settled.insert(url);
        return;
    }
    if (!page)
        ++m_requested;
    m_pending.insert(url);
    auto counted = std::make_shared<qint64>(0);
    Fetch* fetch = m_fetcher->get(
        url, page,
        [this, page, counted](Fetch* arriving, qint64 received) {
            if (page) {
                if (received > kMaxPage)
                    arriving->abort();
                return;
            }
            m_arriving += received - *counted;
            *counted = received;
            if (received > kMaxResourceBytes || m_arriving > kMaxPageBytes)
                arriving->abort();
        },
        [this, type](Fetch* done, const Fetched& result) { finished(done, result, type); });
    if (!fetch) { // no HTTP stack to be had
        m_pending.remove(url);
        m_settled.insert(url);
        if (page)
            emit pageLoaded(false);
        return;
    }
    m_fetches.insert(fetch);
    if (page)
        m_pageFetch = fetch;
}

void WebView::finished(Fetch* fetch, const Fetched& result, int type)
{
    m_fetches.remove(fetch);
    const QUrl& url = result.url;
    m_pending.remove(url);
    const bool ok = result.ok;
    if (type == QTextDocument::HtmlResource) {
        if (fetch != m_pageFetch)
            return; // a page we navigated away from
        m_pageFetch = nullptr;
        if (ok) {
            document()->setBaseUrl(url);
            setHtml(decodePage(result.body));
        }
        emit pageLoaded(ok);
        return;
    }
    if (!fromPageServer(url) || m_settled.contains(url))
        return; // a resource of a page we navigated away from
    m_settled.insert(url);
    if (!ok)
        return;
    const QVariant resource = decoded(type, result.body);
    if (!resource.isValid())
        return;
    document()->addResource(type, url, resource);
    // Lay the page out again so the image takes its place.
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
}

// The resource as the document keeps it, counted against the page's budget; an invalid
// QVariant when it does not fit (or is no picture at all).
QVariant WebView::decoded(int type, const QByteArray& data)
{
    if (type != QTextDocument::ImageResource) {
        if (m_decoded + data.size() > kMaxPageBytes)
            return {};
        m_decoded += data.size();
        return data;
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The picture's size from its header, before a single pixel is decoded.
    const QSize size = reader.size();
    if (!size.isValid())
        return {};
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes > kMaxPageBytes - m_decoded)
        return {};
    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return {};
    m_decoded += bytes;
    return image;
}

QVariant WebView::loadResource(int type, const QUrl& name)
{
    // The page itself comes through navigate() alone.
    if (type == QTextDocument::HtmlResource)
        return nothing();
    const QUrl url = m_address.resolved(name);
    if (fromPageServer(url) && !m_settled.contains(url))
        fetch(url, type);
    return nothing();
}

} // namespace net
