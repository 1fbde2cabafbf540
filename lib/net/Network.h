#pragma once

class QNetworkAccessManager;
class QNetworkDiskCache;

namespace net {

// The program's one HTTP stack. Everything it fetches goes through this manager, whose disk
// cache (in the user's cache folder) is the program's URL cache.
QNetworkAccessManager* manager();
QNetworkDiskCache* urlCache();

} // namespace net
