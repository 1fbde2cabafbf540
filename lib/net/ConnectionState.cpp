#include "net/ConnectionState.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

namespace net {
namespace {

bool anInterfaceIsUp()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& i : interfaces) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning) &&
            !flags.testFlag(QNetworkInterface::IsLoopBack) && !i.addressEntries().isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool isOnline()
{
    static const bool backend =
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    if (const QNetworkInformation* info = backend ? QNetworkInformation::instance() : nullptr) {
        switch (info->reachability()) {
        case QNetworkInformation::Reachability::Disconnected:
            return false;
        case QNetworkInformation::Reachability::Local:
        case QNetworkInformation::Reachability::Site:
        case QNetworkInformation::Reachability::Online:
            return true;
        case QNetworkInformation::Reachability::Unknown:
            break;
        }
    }
    return anInterfaceIsUp();
}

} // namespace net
