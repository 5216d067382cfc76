#include "assembler/platform/command_line.h"

namespace flikkor {

QStringList splitCommandLine(const QString& commandLine) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine[i];
        if (quoted) {
            if (c == '\\' && i + 1 < commandLine.size() && QStringLiteral("\"`$\\").contains(commandLine[i + 1])) {
                current += commandLine[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == '"') {
            quoted = true;
            inArgument = true;
        } else if (c == ' ' || c == '\t') {
            if (inArgument) arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments << current;
    return arguments;
}

QStringList argumentsForTarget(const QString& commandLine, const QString& target) {
    QStringList arguments = splitCommandLine(commandLine);
    if (arguments.isEmpty()) return {};
    for (QString& argument : arguments) {
        const qsizetype at = argument.indexOf(QStringLiteral("%1"));
        if (at >= 0) {
            argument.replace(at, 2, target);
            return arguments;
        }
    }
    arguments << target;
    return arguments;
}

QString programOfCommandLine(const QString& commandLine) {
    if (commandLine.startsWith('"')) {
        const qsizetype close = commandLine.indexOf('"', 1);
        return close < 0 ? QString() : commandLine.mid(1, close - 1);
    }
    const qsizetype blank = commandLine.indexOf(' ');
    return blank < 0 ? commandLine : commandLine.left(blank);
}

}  // namespace flikkor
