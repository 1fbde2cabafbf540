#pragma once

#include <QIcon>

namespace ui {

// The glyphs of the OK and Cancel kinds of button: a green tick and a red cross, drawn here so
// that they look the same on every desktop.
QIcon okGlyph();
QIcon cancelGlyph();

} // namespace ui
