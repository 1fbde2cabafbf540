#pragma once

namespace net {

// Whether the machine has a network connection, as the system reports it (its network
// information service when one works, else any interface that is up, running, not the
// loopback and has an address). It does not ask any server.
bool isOnline();

} // namespace net
