#include "Environment.h"

#include "net/Remote.h"

Environment Environment::system()
{
    Environment env;
    env.connected = [] { return net::remote::isOnline(); };
    return env;
}

QUrl Environment::buildUpdateServer()
{
#ifdef SOVRANEL_UPDATE_HOST
    const QString host = QStringLiteral(SOVRANEL_UPDATE_HOST).trimmed();
#else
    const QString host;
#endif
    return host.isEmpty() ? QUrl() : QUrl(QStringLiteral("http://") + host);
}
