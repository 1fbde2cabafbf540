#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QUrl>

#include <functional>

class QIODevice;

namespace webupdate {

struct HttpRequest {
    QUrl url;                 // plain http
    quint16 defaultPort = 80; // when the address names no port
    QByteArray userAgent;
    QString userName; // basic authentication when a user name is set, to this address's server
                      // alone: never sent after a redirection to another one
    QString password;
    bool requireLength = false; // an answer without Content-Length fails
    qint64 maxBody = -1;        // a longer body fails; -1 for no bound
    int maxRedirects = 10;      // HTTP redirections (3xx with Location) followed
    int idleTimeoutMs = 30000;  // a server silent for longer fails the transfer
    // The whole transfer, redirections included, fails once this passes.
    QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    // Fewer bytes a second than this, on average over a window of rateWindowMs, fail the
    // transfer (0: no least rate).
    qint64 minBytesPerSecond = 0;
    int rateWindowMs = 30000;
};

struct HttpResult {
    bool ok = false;
    int status = 0;
    qint64 announced = -1; // Content-Length, -1 when none
    qint64 received = 0;   // body bytes written to the sink
    QUrl url;              // where the body came from, after redirections
    QString error;         // why it failed; empty when ok
};

// Reports each received block: the announced length (the bytes so far when none was
// announced) and the bytes received.
using HttpProgress = std::function<void(qint64 total, qint64 received)>;

// One HTTP/1.0 GET, never answered from a cache. The body of a 2xx answer goes into sink as it
// arrives; the transfer succeeds only when the server closed after exactly the announced
// length. Any other status is a failure. While it waits it runs a local event loop, so the
// program's windows repaint and take clicks; keepGoing is asked after every block and every
// few milliseconds, and a "no" (or the application quitting) abandons the transfer.
HttpResult httpGet(const HttpRequest& request, QIODevice* sink, const HttpProgress& progress = {},
                   const std::function<bool()>& keepGoing = {});

} // namespace webupdate
