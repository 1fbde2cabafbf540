#include "Program.h"

#include "Unit1.h"
#include "Unit2.h"

#include "ui/Application.h"

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

int runProgram(int argc, char** argv)
{
    // No application title: message boxes carry their kind's title only.
    ui::Application app(argc, argv);
    createWindows();
    form_MainWindow->show();
    const int result = app.exec();
    destroyWindows();
    return result;
}
