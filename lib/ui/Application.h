#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QLocale>

#include <functional>
#include <utility>

namespace ui {

// The application object of our programs: keeps the application title (our own, so the
// window system does not append it to every caption), the hint timing and colour, and turns
// a failure that escapes an event handler none the less into the standard error box. In its windows,
// Enter presses the focused button as Space does, and a dialog's only default button is the
// one it names.
class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    ~Application() override;

    // What the desktop knows the program by: the id of its desktop entry and the name of its
    // icon in the icon theme. Call it before the application object is made.
    static void setIdentity(const QString& desktopFileName, const QString& iconName);

    static QString title();
    static void setTitle(const QString& title);

    // Hint timing, in milliseconds: the pause before a hint comes up, the pause when moving
    // from one control with a hint to another, and how long a hint stays.
    static int hintPause();
    static void setHintPause(int ms);
    static int hintShortPause();
    static void setHintShortPause(int ms);
    static int hintHidePause();
    static void setHintHidePause(int ms);
    static QColor hintColor();
    static void setHintColor(const QColor& colour);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The locale the interface writes dates with: the system's when it is Portuguese (any
// country), Brazilian Portuguese otherwise, since every text of ours is Brazilian Portuguese.
QLocale interfaceLocale(const QLocale& system);

// Loads the toolkit's own Brazilian Portuguese texts (file, print and page-setup dialogs,
// context menus, standard buttons) into `app`. Returns false when they are not installed;
// the program then goes on with the toolkit's English texts.
bool loadToolkitTranslations(QCoreApplication* app);

// Runs an event handler; a failure it throws ends in the standard error box and the
// program goes on. Returns false when the handler failed.
bool guarded(const std::function<void()>& handler);

// What to connect in place of one of our handlers: the handler, guarded. A failure then ends
// in the standard error box at the handler's own edge and never crosses Qt's event loop.
template <class Handler> auto guard(Handler handler)
{
    return [handler = std::move(handler)] { guarded(handler); };
}

template <class Object> auto guard(Object* object, void (Object::*handler)())
{
    return guard([object, handler] { (object->*handler)(); });
}

// The Windows faces our forms and reports name, mapped once to installed faces that
// look alike: "MS Sans Serif" and "Arial" to Liberation Sans, "Monotype Corsiva" to
// TeX Gyre Chorus, "Brush Script MT" to Kaushan Script.
void installFontSubstitutes();

// The installed faces that stand for a family the forms and reports name: the family itself
// when the system has it, else its installed substitutes, in their order (the family itself
// when none is installed). Asked for a family the system lacks, the toolkit works out a
// fallback list for every font before it tries the substitutes.
QStringList installedFaces(const QString& family);

// A font of a family the forms name, asked for by the first of its installed faces alone (a
// font of several families has the toolkit work out the fallbacks of each when it is loaded;
// of one, only when a character is missing from it).
QFont formFont(const QString& family);

} // namespace ui
