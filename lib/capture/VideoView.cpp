#include "capture/VideoView.h"

#include <QVideoWidget>

namespace capture {

VideoView::VideoView(QWidget* parent) : QWidget(parent)
{
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

QVideoWidget* VideoView::videoWidget()
{
    if (!m_video) {
        m_video = new QVideoWidget(this);
        m_video->setObjectName(QStringLiteral("video"));
        m_video->setAspectRatioMode(Qt::IgnoreAspectRatio); // scaled to the area, as drawn
        m_video->setGeometry(rect());
        m_video->setVisible(false);
    }
    return m_video;
}

void VideoView::setLive(bool live)
{
    if (m_video)
        m_video->setVisible(live);
}

bool VideoView::isLive() const { return m_video && m_video->isVisibleTo(this); }

void VideoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_video)
        m_video->setGeometry(rect());
}

} // namespace capture
