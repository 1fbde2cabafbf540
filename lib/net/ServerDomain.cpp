#include "net/CachePurge.h"

namespace net {

QString serverDomain(const QString& host)
{
    const qsizetype dot = host.indexOf(QLatin1Char('.'));
    return dot < 0 ? host : host.mid(dot + 1);
}

} // namespace net
