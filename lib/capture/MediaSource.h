#pragma once

#include "capture/VideoSource.h"

#include <QCameraDevice>
#include <QList>
#include <QMediaCaptureSession>
#include <QPointer>

#include <memory>

class QCamera;

namespace capture {

// VideoSource on Qt Multimedia: a capture session feeding the view's video sink, which keeps
// the latest frame for us, so no code of ours runs per frame. Make it only when
// backendAvailable() says so.
class MediaSource : public VideoSource {
  public:
    MediaSource();
    ~MediaSource() override;

    QStringList devices() const override;
    void start(int index, VideoView* view) override;
    QImage latestFrame() const override;
    void stop() override;

  private:
    QList<QCameraDevice> m_devices;
    QMediaCaptureSession m_session;
    std::unique_ptr<QCamera> m_camera;
    QPointer<VideoView> m_view;
};

} // namespace capture
