#pragma once

#include "report/PreparedPages.h"

#include <QFont>
#include <QStringList>

class QPaintDevice;

namespace report {

// The toolkit font for a report font. Hinting is off, so a text measures the same at every
// resolution, and ligatures are off, so a PDF's text extracts letter by letter ("fi" stays
// two letters in the script faces). Characters the face lacks come from the fallback faces.
QFont toQFont(const FontSpec& font);

// The same font for painting on `device`, whose painter maps 96-dpi pixels to the device:
// its size is compensated so that the text comes out at the size it was measured at.
QFont toQFont(const FontSpec& font, const QPaintDevice& device);

// A paint device at 96 dpi on which every text of a report is measured.
const QPaintDevice& layoutDevice();

// The outline faces that draw what a report's faces lack (symbols, emoji), in the order they
// are tried. Colour-bitmap emoji faces are left out: they do not print as vectors.
const QStringList& fallbackFamilies();

// The text as it can print in `font`: a character that neither the face nor a fallback face
// can draw becomes one replacement mark (U+FFFD), and emoji presentation selectors and joiners,
// which have nothing to draw on paper, are dropped.
QString printableText(const QString& text, const FontSpec& font);

// The face that draws `ch` in `font`: 0 the face itself, 1.. a fallback face (index + 1), -1
// none of them.
int faceFor(char32_t ch, const FontSpec& font);

// The font file of the installed face that stands in for `font` (or for fallback face `index`),
// with that face's own weight and slant; the path is empty when the platform does not say.
struct FaceFile {
    QString path;
    bool bold = false;
    bool italic = false;
    QString postscriptName; // as a PDF names the face
};
FaceFile fontFile(const FontSpec& font);
FaceFile fallbackFontFile(int index);

// The face file that draws `ch` in `font` (the face itself or a fallback face in the font's
// weight and slant); empty when none does.
FaceFile faceFileFor(char32_t ch, const FontSpec& font);

} // namespace report
