// resume_to_pdf SAMPLE.json OUT [--font NAME] [--color #RRGGBB] [--no-counter] [--layout classico|moderno]
// resume_to_pdf SAMPLE.json --preview [...]: the same résumé in the preview window instead.
// resume_to_pdf SAVED.qrp OUT|--preview: the pages of a saved résumé, as they were saved.
// resume_to_pdf SAMPLE.json OUT.json: the form's data after filling (a sample normalised).
// Starts the program's windows offscreen, fills the entry window from the sample, fills and
// prepares the résumé as the generation command does (or as the style dialog does when a
// style option is given) and writes OUT in the format its extension names.
#include "FormBinding.h"
#include "FormSample.h"
#include "Program.h"
#include "Unit1.h"

#include "report/Output.h"
#include "report/PreviewWindow.h"
#include "report/ReportFile.h"
#include "report/Template.h"
#include "ui/Application.h"
#include "ui/CommandLine.h"

#include <QColor>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

QString command = QStringLiteral("resume_to_pdf");

int usage()
{
    const QByteArray c = command.toUtf8();
    std::fprintf(stderr,
                 "uso: %s DADOS.json|SALVO.qrp SAIDA.pdf|SAIDA.html|SAIDA.qrp|SAIDA.json [--font NOME] "
                 "[--color #RRGGBB] [--no-counter] [--layout classico|moderno]\n"
                 "     %s DADOS.json|SALVO.qrp --preview [opções]\n"
                 "     %s --help mostra a ajuda\n",
                 c.constData(), c.constData(), c.constData());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Installed as sovranel-pdf; the build tree keeps the name resume_to_pdf.
    if (argc > 0)
        command = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    const ui::CommandLineInfo about{
        command,
        QStringLiteral(SOVRANEL_VERSION),
        QStringLiteral("DADOS.json|SALVO.qrp SAIDA.pdf|SAIDA.html|SAIDA.qrp|SAIDA.json"),
        QStringLiteral(
            "Faz o currículo sem abrir janelas: lê os dados de um arquivo JSON (ou as páginas de um\n"
            "currículo salvo pelo Sovranel, .qrp) e grava o currículo no formato que a extensão\n"
            "de SAIDA indica: PDF, HTML ou QRP; com SAIDA.json, grava os dados do formulário."),
        {{QStringLiteral("--font NOME"), QStringLiteral("letra do currículo (padrão: Arial)")},
         {QStringLiteral("--color #RRGGBB"), QStringLiteral("cor da letra (padrão: preto)")},
         {QStringLiteral("--no-counter"), QStringLiteral("sem o contador de páginas")},
         {QStringLiteral("--layout classico|moderno"), QStringLiteral("layout da página (padrão: classico)")},
         {QStringLiteral("--preview"),
          QStringLiteral("mostra o currículo na janela de visualização, em vez de SAIDA")}}};
    if (const auto answered = ui::answerCommandLine(argc, argv, about))
        return *answered;
    // Offscreen unless the preview is to be seen on the desktop, or a platform is named.
    const bool toScreen =
        std::any_of(argv + 1, argv + argc, [](const char* a) { return !std::strcmp(a, "--preview"); });
    if (!toScreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));

    QStringList args = app.arguments().mid(1);
    QString font = QStringLiteral("Arial");
    QColor colour = Qt::black;
    bool counter = true, styled = false, preview = false;
    PageLayout layout = PageLayout::Classico;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--font") && i + 1 < args.size()) {
            font = args[++i];
            styled = true;
        } else if (a == QLatin1String("--color") && i + 1 < args.size()) {
            colour = QColor(args[++i]);
            if (!colour.isValid()) {
                std::fprintf(stderr, "%s: não é uma cor: %s\n", qPrintable(command), qPrintable(args[i]));
                return 2;
            }
            styled = true;
        } else if (a == QLatin1String("--no-counter")) {
            counter = false;
            styled = true;
        } else if (a == QLatin1String("--layout") && i + 1 < args.size()) {
            const QString name = args[++i];
            if (name == QLatin1String("classico")) {
                layout = PageLayout::Classico;
            } else if (name == QLatin1String("moderno")) {
                layout = PageLayout::Moderno;
            } else {
                std::fprintf(stderr, "%s: não é um layout (classico ou moderno): %s\n", qPrintable(command),
                             qPrintable(name));
                return 2;
            }
        } else if (a == QLatin1String("--preview")) {
            preview = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            files << a;
        }
    }
    if (files.size() != (preview ? 1 : 2))
        return usage();

    int result = 0;
    try {
        if (QFileInfo(files[0]).suffix().compare(QLatin1String("qrp"), Qt::CaseInsensitive) == 0) {
            // A saved résumé stands in for the sample: its pages go out as they were saved.
            report::PreparedPages pages = report::loadReportFile(files[0]);
            if (preview)
                report::PreviewWindow::showAndWait(std::move(pages));
            else
                report::saveAs(pages, files[1]);
            return 0;
        }
        createWindowsFilledFrom(files[0]);
        if (!preview &&
            QFileInfo(files[1]).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0) {
            const FormBinding& binding = Form1->formData();
            saveDataFile(files[1], writeFormData(binding.data(), binding.schema()));
            destroyWindows();
            return 0;
        }
        // The generation command's defaults unless a style option was given.
        FillOptions options;
        if (styled) {
            options.fontName = font;
            options.colour = colour;
            options.pageCounter = counter;
        }
        options.layout = layout;
        Form1->prepareResume(options);
        if (preview)
            Form1->VisualizarCurriculo();
        else
            report::saveAs(Form1->filledReport().prepare(), files[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(command), e.what());
        result = 1;
    }
    destroyWindows();
    return result;
}
