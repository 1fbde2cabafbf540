// The network layer as a module, loaded by the résumé program on its first request.
#include "net/Remote.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const net::Remote* sovranel_network_remote() { return sovranel_net_remote(); }
