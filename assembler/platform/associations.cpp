#include "assembler/platform/associations.h"

#include "assembler/platform/default_application.h"

namespace flikkor {

QString commandFromExecLine(const QString& exec) {
    QString command;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%' || i + 1 >= exec.size()) {
            command += exec[i];
            continue;
        }
        const QChar code = exec[++i];
        if (code == '%')
            command += '%';
        else if (QStringLiteral("fFuU").contains(code))
            command += QStringLiteral("%1");
    }
    return command.trimmed();
}

std::optional<QString> XdgAssociations::commandFor(const QString& mimeType) {
    const std::optional<std::string> exec = defaultApplicationExec(mimeType.toStdString());
    if (!exec) return std::nullopt;
    const QString command = commandFromExecLine(QString::fromStdString(*exec));
    if (command.isEmpty()) return std::nullopt;
    return command;
}

std::optional<QString> SystemOpenerFallback::commandFor(const QString& mimeType) {
    if (std::optional<QString> command = desktop_.commandFor(mimeType)) return command;
    if (mimeType == folderMimeType()) return systemOpenerCommand();
    const QStringList pages = htmlMimeTypes();
    if (!pages.contains(mimeType)) return std::nullopt;
    // A page opens with any application for one of the page types; only when none
    // has one does the system opener step in. The caller tries the types in turn.
    for (const QString& other : pages)
        if (other != mimeType && desktop_.commandFor(other)) return std::nullopt;
    return systemOpenerCommand();
}

QStringList htmlMimeTypes() { return {QStringLiteral("text/html"), QStringLiteral("application/xhtml+xml")}; }

}  // namespace flikkor
