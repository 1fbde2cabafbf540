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

void MediaSource::start(int index, VideoView* view)
{
    stop();
    if (index < 0 || index >= m_devices.size() || !view)
        return;
    m_view = view;
    m_camera = std::make_unique<QCamera>(m_devices.at(index));
    m_session.setCamera(m_camera.get());
    m_session.setVideoOutput(view->videoWidget());
    view->setLive(true);
    // A failure shows only as the camera's error signal, left unheard: the view stays black.
    m_camera->start();
}

QImage MediaSource::latestFrame() const
{
    if (!m_camera || !m_camera->isActive() || !m_view)
        return {};
    return m_view->videoWidget()->videoSink()->videoFrame().toImage();
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
        m_view->videoWidget()->videoSink()->setVideoFrame(QVideoFrame());
        m_view->setLive(false);
    }
    m_view = nullptr;
}

std::unique_ptr<VideoSource> makeSystemSource()
{
    if (!backendAvailable())
        return std::make_unique<NoDevices>();
    return std::make_unique<MediaSource>();
}

} // namespace capture
