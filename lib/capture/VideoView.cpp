#include "capture/VideoView.h"

namespace capture {

VideoView::VideoView(QWidget* parent) : QWidget(parent)
{
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

QWidget* VideoView::video() const
{
    return findChild<QWidget*>(QStringLiteral("video"), Qt::FindDirectChildrenOnly);
}

void VideoView::setLive(bool live)
{
    if (QWidget* v = video())
        v->setVisible(live);
}

bool VideoView::isLive() const
{
    const QWidget* v = video();
    return v && v->isVisibleTo(this);
}

void VideoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (QWidget* v = video())
        v->setGeometry(rect());
}

} // namespace capture
