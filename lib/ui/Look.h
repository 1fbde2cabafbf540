#pragma once

#include <QIcon>
#include <QStyle>

class QAbstractButton;
class QWidget;

namespace ui {

// An icon from the desktop's icon theme, or the toolkit's standard one when the theme has none.
// Either is looked up when first painted, not when made, and shared by all that name it.
QIcon themeIcon(const char* themeName, QStyle::StandardPixmap fallback);

// The toolkit's standard icon (of the given style, or the application's), looked up as late
// as a theme icon.
QIcon standardIcon(QStyle::StandardPixmap which, const QStyle* style = nullptr);

// Gives a window a skin written as a style sheet of the program's, kept as a resource.
void applySkin(QWidget* window, const QString& styleSheetResource);

// The "focused" look that skins give the entry field with the keyboard focus. The state goes
// through a property and a re-polish, which a skin drawn by the style and a style sheet both read.
void setHighlighted(QWidget* widget, bool on);
bool isHighlighted(const QWidget* widget);

// A caption that would not fit its button (a long sentence in a fixed place) gets its
// letters a little closer, down to 90 % of their spacing, so that it shows whole, not cut.
// Call it once the window has its skin: the skin's spacing counts.
void fitCaption(QAbstractButton* button);

} // namespace ui

class QPushButton;

namespace ui {
// A push button with a glyph and the hand pointer, as the forms place them.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& place,
                        const QIcon& glyph, int glyphSize = 16, const QString& hint = QString());

// Places a top-level window at the centre of the primary screen (its frame excluded).
void centreOnScreen(QWidget* window);
} // namespace ui
