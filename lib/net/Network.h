#pragma once

#include <QString>

class QNetworkAccessManager;
class QNetworkDiskCache;
class QUrl;

namespace net {

// The program's one HTTP stack. Everything it fetches goes through this manager, whose disk
// cache (in the user's cache folder) is the program's URL cache.
QNetworkAccessManager* manager();
QNetworkDiskCache* urlCache();

// While one of these lives, requests made through manager() to the URL's host and port go
// straight to the server, past any proxy the system names; every other request keeps the
// system's proxy settings.
class DirectRoute {
  public:
    explicit DirectRoute(const QUrl& url);
    ~DirectRoute();
    DirectRoute(const DirectRoute&) = delete;
    DirectRoute& operator=(const DirectRoute&) = delete;

  private:
    QString m_route;
};

} // namespace net
