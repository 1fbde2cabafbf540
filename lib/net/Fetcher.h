#pragma once

#include <QByteArray>
#include <QUrl>

#include <functional>

namespace net {

// One GET under way. Deleting it cancels it: none of its callbacks comes after.
class Fetch {
  public:
    virtual ~Fetch() = default;
    // Stops the transfer; the fetch then ends as failed.
    virtual void abort() = 0;
};

// What a GET brought: the address asked for, whether a whole 2xx answer came, and its body.
struct Fetched {
    QUrl url;
    bool ok = false;
    QByteArray body;
};

// Where a page view gets what it shows: an HTTP stack behind a plain interface, so that a
// window can hold a page view without the network libraries being loaded before it is used.
class Fetcher {
  public:
    virtual ~Fetcher() = default;
    // Starts a GET. `progress` hears the bytes received so far as they come; `done` is called
    // once at the end, after which the fetch is gone. Both are told which fetch they hear of. A
    // page follows redirections that are no less safe; a resource follows none.
    virtual Fetch* get(const QUrl& url, bool page, std::function<void(Fetch*, qint64)> progress,
                       std::function<void(Fetch*, const Fetched&)> done) = 0;
};

} // namespace net
