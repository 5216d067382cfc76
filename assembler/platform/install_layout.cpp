#include "assembler/platform/install_layout.h"

#include <QDir>
#include <QFileInfo>

#include "assembler/platform/folders.h"

namespace flikkor {

QString helpPagePath(const QString& startFolder, const QString& programFolder) {
    const QString name = QStringLiteral("flikkor.htm");
    const QString inStartFolder = joinPath(startFolder, name);
    // FLIKKOR_HELP_FROM_BIN is the installed help folder relative to the program's folder.
    const QString candidates[] = {
        inStartFolder, joinPath(programFolder, name),
        QDir::cleanPath(joinPath(programFolder, QStringLiteral(FLIKKOR_HELP_FROM_BIN)) + "/" + name)};
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return candidate;
    return inStartFolder;
}

}  // namespace flikkor
