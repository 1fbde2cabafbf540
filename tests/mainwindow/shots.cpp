// Screenshots of the splash, of every page and inner page of the main window, of a balloon
// hint, of the dialogs and of the style dialog's colour list, taken from the screen, for
// looking at the windows by eye:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env LANG=pt_BR.UTF-8 build/release/bin/mainwindow_shots shots
// With a window manager running (openbox), the shots show the title bars too. With
// SHOTS_BANNER set to a base URL ("http://127.0.0.1:8000/"), the banner is shot with the
// pages one.html and four.html from there.
#include "Program.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"

#include "net/WebView.h"
#include "ui/ColourBox.h"

#include "ui/Application.h"
#include "ui/DateField.h"
#include "ui/Dialogs.h"
#include "ui/ListField.h"
#include "ui/Look.h"
#include "ui/PhoneEdit.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

QString g_folder;

// With SHOTS_XPROP set, also prints what the window manager was asked for and what it allows.
void windowManagerSays(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("SHOTS_XPROP"))
        return;
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), QStringLiteral("_MOTIF_WM_HINTS"),
                 QStringLiteral("_NET_WM_ALLOWED_ACTIONS"), QStringLiteral("WM_NORMAL_HINTS")});
    xprop.waitForFinished(5000);
    std::printf("%s:\n%s", qPrintable(window->objectName()), xprop.readAllStandardOutput().constData());
}

void shoot(QWidget* window, const QString& name, const QRect& extra = {})
{
    QTest::qWait(150);
    windowManagerSays(window);
    const QRect area = extra.isNull() ? window->frameGeometry() : window->frameGeometry().united(extra);
    const QPixmap shot = window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString file = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    shot.save(file);
    std::printf("%s\n", qPrintable(file));
}

} // namespace

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(g_folder);
    ui::setDialogHook([](const ui::DialogRequest& r) {
        std::printf("dialog: %s\n", qPrintable(r.text));
        return ui::DialogButton::Ok;
    });

    {
        Tsplash s;
        s.show();
        s.setProgress(50);
        if (!QTest::qWaitForWindowExposed(&s))
            return 1;
        shoot(&s, QStringLiteral("splash"));
    }

    createWindows(Environment::system());
    Form1->show();
    if (!QTest::qWaitForWindowExposed(Form1))
        return 1;
    QTest::qWait(1200); // the first greeting
    const char* pages[] = {"1-dados", "2-experiencias", "3-escolaridade", "4-cursos",
                           "5-foto",  "6-informacoes",  "7-frase"};
    for (int i = 0; i < Form1->PageControl1->count(); ++i) {
        Form1->PageControl1->setCurrentIndex(i);
        QTabWidget* inner = i == 1 ? Form1->PageControl2 : i == 3 ? Form1->PageControl3 : nullptr;
        if (!inner) {
            shoot(Form1, QString::fromLatin1(pages[i]));
            continue;
        }
        for (int j = 0; j < inner->count(); ++j) {
            inner->setCurrentIndex(j);
            shoot(Form1, QStringLiteral("%1-%2").arg(QString::fromLatin1(pages[i])).arg(j + 1));
        }
    }

    // The highlight of the focused field, on each kind of field.
    Form1->PageControl1->setCurrentIndex(0);
    QWidget* const highlighted[] = {Form1->edt_nome, Form1->edt_nasc, Form1->edt_sexo, Form1->edt_tel1};
    for (QWidget* w : highlighted)
        ui::setHighlighted(w, true);
    shoot(Form1, QStringLiteral("1-dados-highlighted"));
    for (QWidget* w : highlighted)
        ui::setHighlighted(w, false);

    // A balloon hint the way a user meets it: the pointer comes to rest on a field.
    Form1->PageControl1->setCurrentIndex(0);
    QApplication::setActiveWindow(Form1); // hints show on the active window; xvfb has no window manager
    QTest::qWait(100);
    QCursor::setPos(Form1->edt_email->mapToGlobal(QPoint(40, 10)));
    QTest::qWait(400);
    shoot(Form1, QStringLiteral("8-balloon"), Form1->frameGeometry().adjusted(0, -60, 0, 0));

    sobre->show();
    if (!QTest::qWaitForWindowExposed(sobre))
        return 1;
    shoot(sobre, QStringLiteral("9-sobre"));
    sobre->hide();

    // The dialogs, each with its own title bar.
    const std::pair<QWidget*, const char*> dialogs[] = {
        {impressao, "10-impressao"}, {frm_salvar, "11-salvar"}, {frm_foto, "12-foto"}};
    for (const auto& [dialog, name] : dialogs) {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            return 1;
        shoot(dialog, QString::fromLatin1(name));
        if (dialog == impressao) {
            // The colour list open, a light and a long name highlighted.
            impressao->cor->selectName(QStringLiteral("Vermelho"));
            shoot(dialog, QStringLiteral("13-cor-vermelho"));
            impressao->cor->showPopup();
            QTest::qWait(200);
            QAbstractItemView* list = impressao->cor->view();
            list->setCurrentIndex(list->model()->index(15, 0));
            const QRect popup(list->window()->frameGeometry());
            shoot(dialog, QStringLiteral("14-cor-aberta"), popup);
            impressao->cor->hidePopup();
        }
        dialog->hide();
    }

    // The banner, with a one-line and a four-line page from a local server.
    const QString banners = qEnvironmentVariable("SHOTS_BANNER");
    if (!banners.isEmpty()) {
        Form1->propagandas->setVisible(true);
        for (const char* page : {"one", "four"}) {
            bool loaded = false;
            QObject::connect(Form1->propagandas, &net::WebView::pageLoaded, Form1, [&] { loaded = true; });
            Form1->propagandas->navigate(QUrl(banners + QString::fromLatin1(page) + QStringLiteral(".html")));
            if (!QTest::qWaitFor([&] { return loaded; }, 5000))
                std::printf("banner %s did not load\n", page);
            shoot(Form1, QStringLiteral("15-banner-%1").arg(QString::fromLatin1(page)));
        }
    }

    destroyWindows();
    return 0;
}
