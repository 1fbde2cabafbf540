#include "Program.h"

#include "Draft.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"

#include "ui/Application.h"
#include "ui/CommandLine.h"
#include "ui/Dialogs.h"
#include "ui/Look.h"

#include <QCloseEvent>

#include <exception>
#include <memory>
#include <utility>

namespace {

// Closing the main window ends the program, whatever other window is still open.
class EndOnClose : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

void createWindows(const Environment& env, const std::function<void(const QString&)>& trace)
{
    auto say = [&](const QString& step) {
        if (trace)
            trace(step);
    };
    auto repaint = [&] {
        splash->repaintNow();
        say(QStringLiteral("repaint"));
    };
    auto progress = [&](int position) {
        splash->setProgress(position);
        say(QStringLiteral("progress %1").arg(position));
    };

    std::unique_ptr<Tsplash> theSplash(new Tsplash);
    theSplash->show();
    theSplash->waitUntilOnScreen(300);
    say(QStringLiteral("show splash"));
    try {
        repaint();
        progress(25);
        repaint();
        say(QStringLiteral("create Form1"));
        createWindow(Form1, env);
        ui::centreOnScreen(Form1);
        Form1->installEventFilter(new EndOnClose(Form1));
        say(QStringLiteral("create sobre"));
        createWindow(sobre);
        say(QStringLiteral("create impressao"));
        createWindow(impressao);
        say(QStringLiteral("create frm_salvar"));
        createWindow(frm_salvar);
        repaint();
        progress(50);
        repaint();
        say(QStringLiteral("create frm_foto"));
        createWindow(frm_foto);
        repaint();
        progress(75);
        repaint();
        say(QStringLiteral("create Curriculo"));
        createWindow(Curriculo);
        repaint();
        progress(99);
    } catch (...) {
        say(QStringLiteral("destroy splash"));
        theSplash.reset();
        throw;
    }
    say(QStringLiteral("destroy splash"));
    theSplash.reset();
}

void destroyWindows()
{
    // Each global is cleared as its window goes, so that nothing points at a freed window.
    auto destroy = [](auto*& instance) { delete std::exchange(instance, nullptr); };
    destroy(Curriculo);
    destroy(frm_foto);
    destroy(frm_salvar);
    destroy(impressao);
    destroy(sobre);
    destroy(Form1);
}

int runProgram(int argc, char** argv)
{
    const ui::CommandLineInfo about{
        QStringLiteral("sovranel"), QStringLiteral(SOVRANEL_VERSION), QString(),
        QStringLiteral("Sovranel 3.1: crie o seu currículo com facilidade. Preencha as páginas da janela\n"
                       "e gere um currículo pronto para imprimir ou salvar em PDF.")};
    if (const auto answered = ui::answerCommandLine(argc, argv, about))
        return *answered;
    // Started through the "sovranel" link, the program keeps its name, and with it its cache
    // folder and its window class.
    QCoreApplication::setApplicationName(QStringLiteral("Sovranel"));
    ui::Application::setIdentity(QStringLiteral("br.com.sovranel.Sovranel"),
                                 QStringLiteral("br.com.sovranel.Sovranel"));
    ui::Application app(argc, argv);
    ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
    if (!ui::guarded([] { createWindows(Environment::system()); })) {
        destroyWindows();
        return 1;
    }
    reportWhenOnScreen(Form1);
    Form1->show();
    // The draft is the running program's alone: tests and tools that build the windows keep none.
    auto draft = std::make_unique<Draft>(*Form1, Draft::defaultFolder());
    ui::guarded([&] { draft->start(); });
    const int result = app.exec();
    draft.reset();
    destroyWindows();
    return result;
}
