#include "ui/PictureBox.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setBitmap(const QImage& image)
{
    m_image = image;
    m_encoded.clear();
    m_format.clear();
    m_kind = PictureKind::Bitmap;
    update();
    emit changed();
}

void PictureBox::setFilePicture(const QImage& image, const QByteArray& encoded, const QByteArray& format)
{
    m_image = image;
    m_encoded = encoded;
    m_format = format;
    m_kind = PictureKind::File;
    update();
    emit changed();
}

void PictureBox::clear()
{
    m_image = QImage();
    m_encoded.clear();
    m_format.clear();
    m_kind = PictureKind::Empty;
    update();
    emit changed();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), m_image);
}

} // namespace ui
