#include "capture/MediaSource.h"

#include "capture/Backend.h"
#include "capture/VideoView.h"

#include <QCamera>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

namespace capture {

MediaSource::MediaSource() : m_devices(QMediaDevices::videoInputs()) {}

MediaSource::~MediaSource() { stop(); }

QStringList MediaSource::devices() const
{
    QStringList names;
    names.reserve(m_devices.size());
    for (const QCameraDevice& device : m_devices)
        names << device.description();
    return names;
}

namespace {

// The toolkit's video widget filling the view, made on first use (making one without a
// capture backend ends the program). Only QWidget calls reach the view: the view's own code
// is in the program, which this module does not link against.
QVideoWidget* videoOf(VideoView* view)
{
    QWidget* area = view;
    auto* video = area->findChild<QVideoWidget*>(QStringLiteral("video"), Qt::FindDirectChildrenOnly);
    if (!video) {
        video = new QVideoWidget(area);
        video->setObjectName(QStringLiteral("video"));
        video->setAspectRatioMode(Qt::IgnoreAspectRatio); // scaled to the area, as drawn
        video->setGeometry(area->rect());
        video->setVisible(false);
    }
    return video;
}

} // namespace

void MediaSource::start(int index, VideoView* view)
{
    stop();
    if (index < 0 || index >= m_devices.size() || !view)
        return;
    m_view = view;
    m_camera = std::make_unique<QCamera>(m_devices.at(index));
    m_session.setCamera(m_camera.get());
    QVideoWidget* video = videoOf(view);
    m_session.setVideoOutput(video);
    video->setVisible(true);
    // A failure shows only as the camera's error signal, left unheard: the view stays black.
    m_camera->start();
}

QImage MediaSource::latestFrame() const
{
    if (!m_camera || !m_camera->isActive() || !m_view)
        return {};
    return videoOf(m_view)->videoSink()->videoFrame().toImage();
}

void MediaSource::stop()
{
    if (m_camera) {
        m_camera->stop();
        m_session.setCamera(nullptr);
        m_camera.reset();
    }
    m_session.setVideoOutput(nullptr);
    if (m_view) {
        // The sink keeps the last frame it was given; the next start must not show it.
        QVideoWidget* video = videoOf(m_view);
        video->videoSink()->setVideoFrame(QVideoFrame());
        video->setVisible(false);
    }
    m_view = nullptr;
}

} // namespace capture

// What the programs look up when they load this module: a source, or none without a usable
// capture backend.
extern "C" Q_DECL_EXPORT capture::VideoSource* sovranel_make_video_source()
{
    if (!capture::backendAvailable())
        return nullptr;
    return new capture::MediaSource();
}
