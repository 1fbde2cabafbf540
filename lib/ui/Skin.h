#pragma once

#include <QColor>

class QStyle;
class QWidget;

namespace ui {

// The colours a window and its controls are drawn in. The style draws them itself, so a
// window of a few hundred controls needs no style sheet parsed and matched against each.
struct Skin {
    QColor window;        // the window's own background
    QColor pane;          // the page under a row of tabs, and its chosen tab
    QColor strip;         // the other tabs, the menu bar and the status bar
    QColor frame;         // the borders of pages, tabs and group boxes
    QColor caption;       // the chosen tab's name and group box titles
    QColor field;         // entry fields
    QColor fieldBorder;   // their border
    QColor fieldDisabled; // an entry field that cannot be used
    QColor textDisabled;  // the text of one, and of a button that cannot be pressed
    QColor focus;         // the entry field with the keyboard focus
    QColor accent;        // selected text, chosen menu items, a progress bar's fill, a hovered button
    QColor buttonTop, buttonBottom, buttonBorder, buttonPressed; // push buttons
    QColor partTop, partBottom, partBorder, partHover;           // drop-down and spin buttons
    QColor arrow, arrowDisabled;                                 // their arrows
};

// Gives the window, and everything in it and its child windows, the skin. The window keeps
// its skin until it is destroyed.
void applySkin(QWidget* window, const Skin& skin);

// The toolkit's style, wrapped in the one that draws skins (it must wrap the toolkit's own
// directly). The application object puts it on before any window is made; applySkin does so
// itself in an application that did not, at the cost of every control hearing of the change.
QStyle* skinStyle(QStyle* base);

} // namespace ui
