#pragma once

#include <QString>

class QNetworkDiskCache;

namespace net {

// The domain a server's cache entries are known by: its host name less the first label
// ("www.example.com.br" gives "example.com.br"). A host of a single label is its own domain,
// so that the purge never looks for the empty text, which every address holds.
QString serverDomain(const QString& host);

// Removes from the cache every entry whose address contains `domain` anywhere (host, path,
// query; letter case counts), also entries left there by earlier runs, and returns how many
// went. Other entries stay; an empty domain removes nothing.
int purgeCache(QNetworkDiskCache* cache, const QString& domain);

} // namespace net
