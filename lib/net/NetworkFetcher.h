#pragma once

#include "net/Fetcher.h"

class QNetworkAccessManager;

namespace net {

// A fetcher over a Qt HTTP stack. It lives as long as the manager does.
Fetcher* networkFetcher(QNetworkAccessManager* manager);

} // namespace net
