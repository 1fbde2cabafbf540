#pragma once

#include <QByteArray>
#include <QUrl>

#include <stdexcept>

namespace net {

// A request that did not bring a body: the text says why, in Portuguese, for the person.
class HttpFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How long a request may take from connecting to the last byte, and how large its body may
// be. A server that accepts and never answers, or one that sends without end, must not hold
// the program up.
struct HttpLimits {
    int timeoutMs = 10000;
    qint64 maxBody = 64 * 1024;
};

// A blocking GET through the program's HTTP stack, straight to the server (no proxy), over
// HTTP/1.1 with "Cache-Control: no-cache" and "Connection: keep-alive", never from the cache,
// following no redirection. Returns the body byte for byte. Anything but a 2xx answer (an
// error status, a redirection, a broken connection, the time or size bound) throws
// HttpFailure. The UI thread keeps painting meanwhile, but takes no input.
QByteArray httpGet(const QUrl& url, const HttpLimits& limits = {});

} // namespace net
