#include "ui/Application.h"
#include "ui/Look.h"

#include "ui/BalloonHint.h"
#include "ui/Dialogs.h"
#include "ui/Skin.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>

#include <exception>

namespace ui {
namespace {

struct HintSettings {
    QString title;
    QString iconName;
    int pause = 500;
    int shortPause = 50;
    int hidePause = 3000;
    QColor colour = QColor(255, 255, 225);
};

HintSettings& settings()
{
    static HintSettings s;
    return s;
}

// Feeds the hint pauses to the toolkit's tooltip machinery.
class HintTimingStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        switch (hint) {
        case SH_ToolTip_WakeUpDelay:
            return settings().pause;
        case SH_ToolTip_FallAsleepDelay:
            return std::max(settings().shortPause, 1);
        default:
            return QProxyStyle::styleHint(hint, option, widget, data);
        }
    }
    // Standard pictures are decoded when first painted: windows make many they never show.
    QIcon standardIcon(StandardPixmap which, const QStyleOption*, const QWidget*) const override
    {
        return ui::standardIcon(which, baseStyle());
    }
};

bool isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Buttons as our forms expect them, in every window: Enter presses the focused button, as
// Space does, and no button becomes a dialog's default unless the dialog says so. (The
// toolkit would make the first button of a dialog its default, so that Enter in a list or a
// field would press it.) The toolkit's own dialog button rows keep their default.
class ButtonKeys : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto* button = qobject_cast<QPushButton*>(watched);
                button && !qobject_cast<QDialogButtonBox*>(button->parentWidget()))
                button->setAutoDefault(false);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isEnter(key))
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!button || !(qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button)) ||
            !button->hasFocus() || !button->isEnabled())
            return false;
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }
};

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    installEventFilter(new ButtonKeys(this));
    // The skins' style right on the toolkit's, where the toolkit's own drawing asks it.
    setStyle(new HintTimingStyle(skinStyle(QStyleFactory::create(QStringLiteral("Fusion")))));
    installFontSubstitutes();
    QLocale::setDefault(interfaceLocale(QLocale::system()));
    loadToolkitTranslations(this);
    // The icon from the icon theme once installed, else the copy the program carries.
    if (const QString name = settings().iconName; !name.isEmpty())
        setWindowIcon(QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name))));
    // Without a desktop that names one, take the icon theme that our setup installs.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("gnome"));
    BalloonHint::install(this);
}

Application::~Application() = default;

void Application::setIdentity(const QString& desktopFileName, const QString& iconName)
{
    QGuiApplication::setDesktopFileName(desktopFileName);
    settings().iconName = iconName;
}

QString Application::title() { return settings().title; }
void Application::setTitle(const QString& title) { settings().title = title; }
int Application::hintPause() { return settings().pause; }
void Application::setHintPause(int ms) { settings().pause = ms; }
int Application::hintShortPause() { return settings().shortPause; }
void Application::setHintShortPause(int ms) { settings().shortPause = ms; }
int Application::hintHidePause() { return settings().hidePause; }
void Application::setHintHidePause(int ms) { settings().hidePause = ms; }
QColor Application::hintColor() { return settings().colour; }

void Application::setHintColor(const QColor& colour)
{
    settings().colour = colour;
    QPalette p = QToolTip::palette();
    p.setColor(QPalette::ToolTipBase, colour);
    QToolTip::setPalette(p);
}

// Only the last net: Qt does not support exceptions crossing its event loop, so our handlers
// catch their own failures at their edge (`guarded`, where they are connected). One that slips
// through a handler we did not wrap still gets the standard error box instead of ending the program.
bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Erro desconhecido"));
    }
    return false;
}

QLocale interfaceLocale(const QLocale& system)
{
    if (system.language() == QLocale::Portuguese)
        return system;
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

bool loadToolkitTranslations(QCoreApplication* app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = false;
    for (const char* catalogue : {"qtbase_pt_BR", "qtmultimedia_pt_BR"}) {
        auto* translator = new QTranslator(app);
        if (translator->load(QString::fromLatin1(catalogue), folder)) {
            app->installTranslator(translator);
            loaded = true;
        } else {
            delete translator;
        }
    }
    return loaded;
}

bool guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Erro desconhecido"));
    }
    return false;
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Monotype Corsiva"),
                               {QStringLiteral("TeX Gyre Chorus"), QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Brush Script MT"),
                               {QStringLiteral("Kaushan Script"), QStringLiteral("Liberation Serif")});
}

QStringList installedFaces(const QString& family)
{
    static QHash<QString, QStringList> known;
    auto it = known.constFind(family);
    if (it == known.constEnd()) {
        QStringList faces;
        if (QFontDatabase::hasFamily(family))
            faces << family;
        else
            for (const QString& substitute : QFont::substitutes(family))
                if (QFontDatabase::hasFamily(substitute))
                    faces << substitute;
        if (faces.isEmpty())
            faces << family;
        it = known.insert(family, faces);
    }
    return *it;
}

QFont formFont(const QString& family) { return QFont(installedFaces(family).first()); }

} // namespace ui
