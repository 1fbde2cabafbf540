#pragma once

#include <QIcon>

namespace ui {

// The glyphs of the OK and Cancel kinds of button: a green tick and a red cross, drawn here so
// that they look the same on every desktop.
QIcon okGlyph();
QIcon cancelGlyph();

// A floppy disk, the "save" picture of buttons and menu items, drawn at 16 x 16 and 32 x 32.
QIcon floppyGlyph();

} // namespace ui
