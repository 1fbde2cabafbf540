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

} // namespace

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
