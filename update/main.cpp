#include "Program.h"

#include "ui/Application.h"
#include "ui/CommandLine.h"

int main(int argc, char** argv)
{
    const ui::CommandLineInfo about{
        QStringLiteral("update"), QStringLiteral(SOVRANEL_VERSION), QString(),
        QStringLiteral("Atualizador do Sovranel: procura uma versão nova, baixa e abre a atualização\n"
                       "e, ao fechar, abre o Sovranel de novo.")};
    if (const auto answered = ui::answerCommandLine(argc, argv, about))
        return *answered;
    QCoreApplication::setApplicationName(QStringLiteral("update"));
    // The updater shows the program's own icon; its desktop entry is one that menus do not list.
    ui::Application::setIdentity(QStringLiteral("br.com.sovranel.Sovranel.Update"),
                                 QStringLiteral("br.com.sovranel.Sovranel"));
    return runProgram(argc, argv);
}
