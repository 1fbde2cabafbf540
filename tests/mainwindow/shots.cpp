// Screenshots of the splash, of every page and inner page of the main window and of a
// balloon hint, taken from the screen, for looking at the windows by eye:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env LANG=pt_BR.UTF-8 build/release/bin/mainwindow_shots shots
#include "Program.h"
#include "Unit1.h"
#include "Unit4.h"
#include "Unit5.h"

#include "ui/Application.h"
#include "ui/DateField.h"
#include "ui/Dialogs.h"
#include "ui/ListField.h"
#include "ui/Look.h"
#include "ui/PhoneEdit.h"

#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

QString g_folder;

void shoot(QWidget* window, const QString& name, const QRect& extra = {})
{
    QTest::qWait(150);
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

    destroyWindows();
    return 0;
}
