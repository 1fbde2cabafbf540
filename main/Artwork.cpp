#include "Artwork.h"

#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {
namespace {

constexpr QSize kSize(251, 200);

QFont face(int pixels, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// The common background: a deep blue sky with the name and version, and a sheet of paper
// (the résumé) in the corner.
QImage base()
{
    QImage img(kSize, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, kSize.height());
    sky.setColorAt(0, QColor(18, 52, 110));
    sky.setColorAt(1, QColor(40, 110, 170));
    p.fillRect(img.rect(), sky);

    // A résumé page with a photo box and text lines.
    p.save();
    p.translate(182, 22);
    p.rotate(8);
    p.setPen(QPen(QColor(160, 170, 190), 1));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 50, 66);
    p.setBrush(QColor(200, 215, 235));
    p.drawRect(34, 5, 12, 14);
    p.setPen(QPen(QColor(120, 130, 150), 2));
    for (int y = 8; y <= 60; y += 7)
        p.drawLine(5, y, y < 22 ? 28 : 44, y);
    p.restore();

    p.setPen(Qt::white);
    p.setFont(face(34, true));
    p.drawText(QRect(14, 28, 200, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Sovranel"));
    p.setPen(QColor(255, 214, 90));
    p.setFont(face(15, true));
    p.drawText(QRect(16, 72, 200, 20), Qt::AlignLeft, QStringLiteral("versão 3.1"));
    p.setPen(QColor(220, 232, 250));
    p.setFont(face(11, false, true));
    p.drawText(QRect(16, 94, 220, 16), Qt::AlignLeft, QStringLiteral("Crie o seu currículo com facilidade!"));
    return img;
}

// A picture the build drew, or drawn now if the build carries none. Read as the bitmap it is:
// left to guess, the toolkit would first load every image-format plugin to ask each.
QImage built(const QString& resource, QImage (*draw)())
{
    QImageReader reader(resource, "bmp");
    reader.setAutoDetectImageFormat(false);
    const QImage img = reader.read();
    return img.isNull() ? draw() : img.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage splash() { return built(QStringLiteral(":/artwork/splash.bmp"), drawSplash); }

QImage aboutBox() { return built(QStringLiteral(":/artwork/about.bmp"), drawAboutBox); }

QImage drawSplash()
{
    QImage img = base();
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(220, 232, 250));
    p.setFont(face(10));
    p.drawText(QRect(8, 176, 235, 16), Qt::AlignCenter, QStringLiteral("Desenvolvido pela equipe Sovranel"));
    return img;
}

QImage drawAboutBox()
{
    QImage img = base();
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::white);
    p.setFont(face(10, true));
    p.drawText(QRect(8, 120, 235, 14), Qt::AlignLeft, QStringLiteral("Desenvolvido pela equipe Sovranel"));
    p.setFont(face(10));
    p.setPen(QColor(255, 214, 90));
    p.drawText(QRect(8, 136, 235, 14), Qt::AlignLeft,
               QStringLiteral("Programa gratuito: distribuição livre."));
    p.setPen(QColor(220, 232, 250));
    p.drawText(QRect(8, 160, 235, 14), Qt::AlignLeft, QStringLiteral("www.sovranel.com.br"));
    p.drawText(QRect(8, 175, 235, 14), Qt::AlignLeft, QStringLiteral("contato@sovranel.com.br"));
    return img;
}

} // namespace artwork
