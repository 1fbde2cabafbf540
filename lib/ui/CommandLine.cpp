#include "ui/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>
#include <cstdio>

namespace ui {

QString helpText(const CommandLineInfo& info)
{
    QString text = QStringLiteral("Uso: %1 [opções]").arg(info.command);
    if (!info.arguments.isEmpty())
        text += QLatin1Char(' ') + info.arguments;
    text += QStringLiteral("\n\n") + info.description + QStringLiteral("\n\nOpções:\n");
    std::vector<std::pair<QString, QString>> all = {
        {QStringLiteral("-h, --help"), QStringLiteral("mostra esta ajuda e sai")},
        {QStringLiteral("-v, --version"), QStringLiteral("mostra a versão do programa e sai")}};
    all.insert(all.end(), info.options.begin(), info.options.end());
    qsizetype width = 0;
    for (const auto& [name, what] : all)
        width = std::max(width, name.size());
    for (const auto& [name, what] : all)
        text += QStringLiteral("  %1  %2\n").arg(name, -int(width)).arg(what);
    return text;
}

std::optional<int> answerCommandLine(const QStringList& arguments, const CommandLineInfo& info)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    // "-reverse" and the like are the toolkit's own options, not a bundle of one-letter ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help);
    parser.addOption(version);
    // parse(), not process(): an option of the program's own, or an unknown one, is no error here.
    parser.parse(arguments);
    QString out;
    if (parser.isSet(help))
        out = helpText(info);
    else if (parser.isSet(version))
        out = QStringLiteral("%1 %2\n").arg(info.command, info.version);
    else
        return std::nullopt;
    std::fputs(out.toUtf8().constData(), stdout);
    std::fflush(stdout);
    return 0;
}

std::optional<int> answerCommandLine(int argc, char** argv, const CommandLineInfo& info)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return answerCommandLine(arguments, info);
}

} // namespace ui
