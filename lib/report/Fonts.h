#pragma once

#include "report/PreparedPages.h"

#include <QFont>

class QPaintDevice;

namespace report {

// The toolkit font for a report font. Hinting is off, so a text measures the same at every
// resolution, and ligatures are off, so a PDF's text extracts letter by letter ("fi" stays
// two letters in the script faces).
QFont toQFont(const FontSpec& spec);

// The same font for painting on `device`, whose painter maps 96-dpi pixels to the device:
// its size is compensated so that the text comes out at the size it was measured at.
QFont toQFont(const FontSpec& spec, const QPaintDevice& device);

// A paint device at 96 dpi on which every text of a report is measured.
const QPaintDevice& layoutDevice();

} // namespace report
