#pragma once

#include "net/Fetcher.h"

#include <QSet>
#include <QTextBrowser>
#include <QUrl>

namespace net {

// A light page view: shows an HTML page and its images, loaded asynchronously through the
// given HTTP stack (so its URL cache sees them), which must outlive the view's requests. It
// runs no scripts. A resource asked for while its request is pending is not requested twice.
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

    explicit WebView(Fetcher* fetcher, QWidget* parent = nullptr);
    ~WebView() override;

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
    void finished(Fetch* fetch, const Fetched& result, int type);
    QVariant decoded(int type, const QByteArray& data);

    Fetcher* m_fetcher;
    QUrl m_address;
    QSet<QUrl> m_pending;
    QSet<QUrl> m_settled;   // loaded into the document, failed or refused: never asked again
    QSet<Fetch*> m_fetches; // under way
    Fetch* m_pageFetch = nullptr;
    int m_requested = 0;
    qint64 m_decoded = 0;
    qint64 m_arriving = 0; // bytes received so far for the page's resources
};

} // namespace net
