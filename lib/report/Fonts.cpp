#include "report/Fonts.h"

#include "ui/Application.h"

#include <QImage>

namespace report {

QFont toQFont(const FontSpec& spec)
{
    static const bool substitutes = [] {
        ui::installFontSubstitutes();
        return true;
    }();
    Q_UNUSED(substitutes);
    QFont f(spec.family);
    f.setPointSizeF(spec.pointSize);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    // Latin text needs no shaping; without it the faces' "fi" and "fl" ligatures stay apart.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferOutline));
    return f;
}

QFont toQFont(const FontSpec& spec, const QPaintDevice& device)
{
    QFont f = toQFont(spec);
    f.setPointSizeF(spec.pointSize * 96.0 / device.logicalDpiY());
    return f;
}

const QPaintDevice& layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(3780); // 96 dpi
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return device;
}

} // namespace report
