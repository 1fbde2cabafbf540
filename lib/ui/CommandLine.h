#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace ui {

// What a program tells of itself on its command line: --help and --version, in Portuguese.
struct CommandLineInfo {
    QString command;     // the name users type
    QString version;     // "3.1.0.6"
    QString arguments;   // what follows the command in the usage line, may be empty
    QString description; // one or two sentences
    // Further options of the program, as ("--font NOME", "what it does") pairs, listed in the help.
    std::vector<std::pair<QString, QString>> options = {};
};

// The help text printed by --help.
QString helpText(const CommandLineInfo& info);

// Answers --help (-h) and --version (-v) by printing to standard output. Returns the exit
// code when it did; nothing otherwise, and then the program starts as usual: arguments it
// does not know are left to the program, never refused here.
std::optional<int> answerCommandLine(const QStringList& arguments, const CommandLineInfo& info);
std::optional<int> answerCommandLine(int argc, char** argv, const CommandLineInfo& info);

} // namespace ui
