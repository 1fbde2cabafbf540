#pragma once

#include "net/Fetcher.h"
#include "net/HttpGet.h"

#include <QString>

namespace net {

// The network layer's HTTP stack, as the résumé program reaches it: Qt Network and the
// Kerberos and proxy libraries under it are loaded on the first call, not at start-up.
struct Remote {
    Fetcher* (*fetcher)();
    QByteArray (*httpGet)(const QUrl& url, const HttpLimits& limits);
    bool (*isOnline)();
    int (*purgeCache)(const QString& domain);
};

// The calls below take the stack from the network layer when the program is linked with it
// (as the tests are), else from the module beside the programs. Without either, nothing is
// fetched and the machine counts as off line.
namespace remote {

// A fetcher for a page view, which loads the stack when the first page is asked for.
Fetcher& fetcher();
// As net::httpGet, net::isOnline and net::purgeCache on the program's URL cache.
QByteArray httpGet(const QUrl& url, const HttpLimits& limits = {});
bool isOnline();
int purgeCache(const QString& domain);

} // namespace remote
} // namespace net

// The stack, where the network layer is linked in.
extern "C" const net::Remote* sovranel_net_remote();
