#include "ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {
namespace {

// A stroke with a darker rim, at 24 x 24 (the toolkit scales it down for smaller buttons).
QIcon strokes(const QPainterPath& path, const QColor& fill, const QColor& rim)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(rim, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(fill, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return QIcon(pixmap);
}

// A 3.5" floppy seen from the front, on a 16 x 16 grid: a blue case with a cut corner, the
// metal shutter at the top and the white label below.
QPixmap floppy(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);

    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.setPen(QPen(QColor(0x12, 0x2C, 0x66), 1));
    p.setBrush(QColor(0x2F, 0x5F, 0xC0));
    p.drawPath(body);

    // The shutter, with its slot.
    p.setPen(QPen(QColor(0x60, 0x66, 0x70), 0.8));
    p.setBrush(QColor(0xC8, 0xCE, 0xD6));
    p.drawRect(QRectF(4, 1.5, 7, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x5F, 0xC0));
    p.drawRect(QRectF(8.5, 2.5, 1.6, 2.6));

    // The label, with two written lines.
    p.setPen(QPen(QColor(0x90, 0x98, 0xA8), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 8, 9, 5.5));
    p.setPen(QPen(QColor(0x80, 0x90, 0xB0), 1));
    p.drawLine(QPointF(5, 10), QPointF(11, 10));
    p.drawLine(QPointF(5, 12), QPointF(9.5, 12));
    return pixmap;
}

} // namespace

QIcon floppyGlyph()
{
    QIcon icon;
    icon.addPixmap(floppy(16));
    icon.addPixmap(floppy(32));
    return icon;
}

QIcon okGlyph()
{
    QPainterPath tick;
    tick.moveTo(4, 13);
    tick.lineTo(9.5, 18.5);
    tick.lineTo(20, 6);
    return strokes(tick, QColor(0x20, 0xA0, 0x20), QColor(0, 0x50, 0));
}

QIcon cancelGlyph()
{
    QPainterPath cross;
    cross.moveTo(5, 5);
    cross.lineTo(19, 19);
    cross.moveTo(19, 5);
    cross.lineTo(5, 19);
    return strokes(cross, QColor(0xE0, 0x10, 0x10), QColor(0x80, 0, 0));
}

} // namespace ui
