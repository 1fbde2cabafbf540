#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace artwork {
namespace {

void drawGlobe(QPainter& p, const QPointF& centre, qreal r)
{
    QRadialGradient sea(centre - QPointF(r * 0.35, r * 0.35), r * 1.4);
    sea.setColorAt(0, QColor(140, 210, 255));
    sea.setColorAt(0.6, QColor(30, 120, 200));
    sea.setColorAt(1, QColor(10, 55, 120));
    p.setPen(QPen(QColor(10, 50, 105), 3));
    p.setBrush(sea);
    p.drawEllipse(centre, r, r);

    // Land: a few rounded shapes, clipped to the sphere.
    QPainterPath sphere;
    sphere.addEllipse(centre, r, r);
    p.save();
    p.setClipPath(sphere);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 170, 80));
    const QPointF c = centre;
    QPainterPath land;
    land.moveTo(c + QPointF(-r * 0.75, -r * 0.55));
    land.cubicTo(c + QPointF(-r * 0.35, -r * 0.95), c + QPointF(r * 0.05, -r * 0.75),
                 c + QPointF(-r * 0.05, -r * 0.35));
    land.cubicTo(c + QPointF(-r * 0.15, -r * 0.05), c + QPointF(-r * 0.45, -r * 0.15),
                 c + QPointF(-r * 0.5, r * 0.15));
    land.cubicTo(c + QPointF(-r * 0.6, r * 0.45), c + QPointF(-r * 0.95, r * 0.1),
                 c + QPointF(-r * 0.75, -r * 0.55));
    p.drawPath(land);
    QPainterPath land2;
    land2.moveTo(c + QPointF(r * 0.25, -r * 0.2));
    land2.cubicTo(c + QPointF(r * 0.7, -r * 0.45), c + QPointF(r * 1.0, -r * 0.05),
                  c + QPointF(r * 0.75, r * 0.3));
    land2.cubicTo(c + QPointF(r * 0.55, r * 0.75), c + QPointF(r * 0.3, r * 0.5),
                  c + QPointF(r * 0.25, -r * 0.2));
    p.drawPath(land2);

    // Meridians and parallels.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 2));
    for (qreal k : {0.35, 0.7})
        p.drawEllipse(centre, r * k, r);
    p.drawLine(c + QPointF(0, -r), c + QPointF(0, r));
    for (qreal y : {-0.5, 0.0, 0.5}) {
        const qreal half = r * std::sqrt(1 - y * y);
        p.drawLine(c + QPointF(-half, r * y), c + QPointF(half, r * y));
    }
    // Light on the upper left.
    QRadialGradient shine(centre - QPointF(r * 0.45, r * 0.5), r * 0.6);
    shine.setColorAt(0, QColor(255, 255, 255, 120));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre, r, r);
    p.restore();
}

void drawScreen(QPainter& p)
{
    // Stand and base.
    QLinearGradient metal(0, 200, 0, 240);
    metal.setColorAt(0, QColor(190, 195, 205));
    metal.setColorAt(1, QColor(110, 115, 125));
    p.setPen(QPen(QColor(60, 64, 72), 2));
    p.setBrush(metal);
    QPainterPath stand;
    stand.moveTo(88, 196);
    stand.lineTo(120, 196);
    stand.lineTo(128, 226);
    stand.lineTo(80, 226);
    stand.closeSubpath();
    p.drawPath(stand);
    p.drawRoundedRect(QRectF(48, 224, 112, 14), 6, 6);

    // Bezel.
    QLinearGradient bezel(0, 80, 0, 200);
    bezel.setColorAt(0, QColor(70, 74, 84));
    bezel.setColorAt(1, QColor(30, 32, 38));
    p.setBrush(bezel);
    p.setPen(QPen(QColor(20, 22, 26), 2));
    p.drawRoundedRect(QRectF(12, 84, 184, 118), 10, 10);

    // The glass, with a download arrow on it.
    const QRectF glass(24, 95, 160, 94);
    QLinearGradient light(glass.topLeft(), glass.bottomRight());
    light.setColorAt(0, QColor(235, 250, 240));
    light.setColorAt(1, QColor(120, 200, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawRoundedRect(glass, 3, 3);

    QPainterPath arrow;
    const qreal cx = glass.center().x();
    arrow.moveTo(cx - 14, glass.top() + 14);
    arrow.lineTo(cx + 14, glass.top() + 14);
    arrow.lineTo(cx + 14, glass.top() + 44);
    arrow.lineTo(cx + 32, glass.top() + 44);
    arrow.lineTo(cx, glass.top() + 74);
    arrow.lineTo(cx - 32, glass.top() + 44);
    arrow.lineTo(cx - 14, glass.top() + 44);
    arrow.closeSubpath();
    p.setBrush(QColor(20, 120, 80));
    p.setPen(QPen(QColor(10, 70, 45), 2));
    p.drawPath(arrow);
    p.setPen(QPen(QColor(10, 70, 45), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - 40, glass.top() + 82), QPointF(cx + 40, glass.top() + 82));

    // A little reflection across the glass.
    QPainterPath gleam;
    gleam.moveTo(glass.topLeft());
    gleam.lineTo(glass.left() + 60, glass.top());
    gleam.lineTo(glass.left(), glass.top() + 50);
    gleam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 80));
    p.drawPath(gleam);
}

} // namespace

QImage updateIcon()
{
    static const QImage picture = [] {
        QImage img(256, 256, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawGlobe(p, QPointF(160, 100), 90);
        drawScreen(p);
        return img;
    }();
    return picture;
}

} // namespace artwork
