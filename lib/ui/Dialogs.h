#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ui {

// Every box of this layer shows its text as plain text, never as markup.

// The kinds of the typed message dialog; each has the toolkit's English title and icon.
enum class DialogKind { Warning, Error, Information, Confirmation };

enum class DialogButton { None = 0, Ok = 1, Yes = 2, No = 4 };
using DialogButtons = int; // an or-ed set of DialogButton values

// What a dialog asks; tests may answer it through a hook instead of a real window.
struct DialogRequest {
    enum class Style { Plain, Typed, Error } style = Style::Plain;
    QString caption;
    QString text;
    DialogKind kind = DialogKind::Information;
    DialogButtons buttons = int(DialogButton::Ok);
    DialogButton defaultButton = DialogButton::Ok;
    bool icon = false;
};

// When set, every dialog of this layer is handed to the hook, which returns the button pressed,
// and no window is shown. Tests use it to record and answer dialogs without ever blocking.
using DialogHook = std::function<DialogButton(const DialogRequest&)>;
void setDialogHook(DialogHook hook);

// Outside text (from a server or a file) as a box shows it: at most `maxChars` characters, and
// "…" after a text that was cut, so that the box stays on the screen.
constexpr int kMaxOutsideText = 300;
QString shortened(const QString& text, int maxChars = kMaxOutsideText);

// The failure's text with a full stop added when it does not already end in one.
QString errorText(const QString& message);

// The standard error box: the failure's text (see errorText), the application title as
// caption, one OK button and a stop icon.
void showErrorBox(const QString& message);

// A plain message box: the application title as caption, one OK button, no icon.
void showMessage(const QString& text);

// The typed message dialog: the kind's English title ("Warning", "Error", "Information",
// "Confirm") and icon, buttons "&Yes", "&No" and "OK". Returns the button pressed.
DialogButton messageDlg(const QString& text, DialogKind kind, DialogButtons buttons,
                        DialogButton defaultButton = DialogButton::None);

// A Yes/No question under a caption of its own, without an icon.
DialogButton askYesNo(const QString& caption, const QString& text, DialogButton defaultButton);

} // namespace ui
