#pragma once

#include <QImage>
#include <QStringList>

#include <memory>

namespace capture {

class VideoView;

// The machine's video input devices as a window uses them: pick one, see its live picture,
// take the latest frame. Windows talk only to this, so tests can hand them a fake.
class VideoSource {
  public:
    virtual ~VideoSource() = default;

    // Friendly names of the video input devices, in the system's order; an index into this
    // list names a device. The list is taken once, when the source is made.
    virtual QStringList devices() const = 0;

    // Starts device `index` in its default format and shows its live picture in `view`,
    // replacing any device already running. A device that does not exist or fails to start
    // is not reported: the view simply stays black.
    virtual void start(int index, VideoView* view) = 0;

    // The latest frame of the running device at the video's own size, or a null image when
    // nothing runs or no frame has arrived yet.
    virtual QImage latestFrame() const = 0;

    // Stops the running device, releases it and leaves its view black. Harmless when idle.
    virtual void stop() = 0;
};

// A machine without video input devices.
class NoDevices : public VideoSource {
  public:
    QStringList devices() const override { return {}; }
    void start(int, VideoView*) override {}
    QImage latestFrame() const override { return {}; }
    void stop() override {}
};

// The real source, on the platform's multimedia stack; without a usable capture backend it
// is a NoDevices.
std::unique_ptr<VideoSource> makeSystemSource();

} // namespace capture
