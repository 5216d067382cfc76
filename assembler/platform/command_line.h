#pragma once
// Command lines of outside programs: splitting into arguments and placing the target.
#include <QString>
#include <QStringList>

namespace flikkor {

// Splits a command line at blanks; double quotes group blanks into one argument
// (the quotes themselves are removed) and a backslash escapes the next character
// inside quotes.
QStringList splitCommandLine(const QString& commandLine);

// The argument list that starts `commandLine` on `target`: the target replaces the
// first "%1" (inside whatever argument holds it), or is appended as its own argument.
// Empty when the command line holds no program.
QStringList argumentsForTarget(const QString& commandLine, const QString& target);

// The program a registered command line names: the text between the first two
// quotes when it begins with a quote (empty when the closing quote is missing),
// otherwise the text before the first blank.
QString programOfCommandLine(const QString& commandLine);

}  // namespace flikkor
