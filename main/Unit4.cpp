#include "Unit4.h"

#include "Artwork.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>

Tsplash* splash = nullptr;

namespace {

// SOVRANEL_SPLASH_REPORT=1 makes the program say on standard error each progress position
// it painted while the splash was on screen, so one can check a start-up on a real desktop.
bool reportWanted()
{
    static const bool wanted = qEnvironmentVariableIntValue("SOVRANEL_SPLASH_REPORT") != 0;
    return wanted;
}

// Watches the first exposure of a window for the start-up report, then goes.
class OnScreenReport : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::fprintf(stderr, "startup: on screen at %lld us\n",
                         static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
            std::fflush(stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void reportWhenOnScreen(QWidget* window)
{
    if (qEnvironmentVariableIntValue("SOVRANEL_STARTUP_REPORT") == 0 || !window)
        return;
    window->winId(); // the native window exists from here on, so its exposure can be watched
    if (QWindow* handle = window->windowHandle())
        handle->installEventFilter(new OnScreenReport(window));
}

Tsplash::Tsplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    splash = this;
    setObjectName(QStringLiteral("splash"));
    setWindowTitle(QStringLiteral("Sovranel 3.1"));
    setFixedSize(250, 198);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 252, 201);
    Image1->setPixmap(QPixmap::fromImage(artwork::splash()));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Progresso = new QProgressBar(this);
    Progresso->setObjectName(QStringLiteral("Progresso"));
    Progresso->setGeometry(8, 152, 233, 17);
    Progresso->setRange(0, 100);
    Progresso->setValue(0);
    Progresso->setTextVisible(false);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

Tsplash::~Tsplash()
{
    if (splash == this)
        splash = nullptr;
}

bool Tsplash::isOnScreen() const
{
    const QWindow* window = windowHandle();
    return isVisible() && window && window->isExposed();
}

void Tsplash::waitUntilOnScreen(int limitMs)
{
    if (!isVisible())
        return;
    QElapsedTimer waited;
    waited.start();
    // The window system's answer comes as events; the timer makes sure the wait ends.
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&timedOut] { timedOut = true; });
    limit.start(limitMs);
    while (!isOnScreen() && !timedOut)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    if (reportWanted()) {
        std::fprintf(stderr,
                     isOnScreen() ? "splash: on screen after %lld ms\n"
                                  : "splash: not on screen after %lld ms\n",
                     static_cast<long long>(waited.elapsed()));
        std::fflush(stderr);
    }
}

void Tsplash::setProgress(int position) { Progresso->setValue(position); }

void Tsplash::repaintNow()
{
    repaint();
    const int position = Progresso->value();
    if (reportWanted() && isOnScreen() && position != m_reported) {
        m_reported = position;
        std::fprintf(stderr, "splash: %d\n", position);
        std::fflush(stderr);
    }
}
