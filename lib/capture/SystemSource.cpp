#include "capture/VideoSource.h"

#include <QCoreApplication>
#include <QLibrary>

namespace capture {

std::unique_ptr<VideoSource> makeSystemSource()
{
    // The module stays loaded once loaded: its sources live on in the windows.
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/sovranel_capture_media"));
    using Make = VideoSource* (*)();
    if (const auto make = reinterpret_cast<Make>(module.resolve("sovranel_make_video_source"))) {
        if (VideoSource* source = make())
            return std::unique_ptr<VideoSource>(source);
    }
    return std::make_unique<NoDevices>();
}

} // namespace capture
