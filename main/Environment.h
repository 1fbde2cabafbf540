#pragma once

#include "capture/VideoSource.h"
#include "net/Remote.h"

#include <QDateTime>
#include <QUrl>

#include <functional>
#include <memory>

// Everything the main program's windows reach out to, gathered so that a test can replace it:
// the clock, and (as the program grows) the connection state, the network and the devices.
// The program block passes the real one; a test builds the windows with its own.
struct Environment {
    // The local date and time.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // Whether the machine is on line; an empty function means off line.
    std::function<bool()> connected;

    // The blocking GET of the version check: the body as received, or an HttpFailure.
    std::function<QByteArray(const QUrl&)> httpGet = [](const QUrl& url) {
        return net::remote::httpGet(url);
    };

    // The update server, "http://" + the build's host; empty when the build names none, and then
    // the program never reaches out to the network.
    QUrl updateServer = buildUpdateServer();

    // Makes the webcam window's video source; an empty function means no capture devices.
    std::function<std::unique_ptr<capture::VideoSource>()> videoSource = capture::makeSystemSource;

    // The real environment of a running program.
    static Environment system();
    static QUrl buildUpdateServer();
};
