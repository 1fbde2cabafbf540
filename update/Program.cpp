#include "Program.h"

#include "Unit1.h"
#include "Unit2.h"

#include "ui/Application.h"

#include <QDir>
#include <QStandardPaths>

void createWindows()
{
    new Tform_MainWindow;
    new TForm_Message;
}

void destroyWindows()
{
    delete Form_Message;
    delete form_MainWindow;
}

void removeOldUrlCache()
{
    // Earlier versions kept the information page in a URL cache of the updater's own, which
    // the résumé program's purge never saw; nothing is cached any more.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty())
        QDir(cache + QStringLiteral("/http")).removeRecursively();
}

int runProgram(int argc, char** argv)
{
    // No application title: message boxes carry their kind's title only.
    ui::Application app(argc, argv);
    removeOldUrlCache();
    createWindows();
    form_MainWindow->show();
    const int result = app.exec();
    destroyWindows();
    return result;
}
