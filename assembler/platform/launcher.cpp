#include "assembler/platform/launcher.h"

#include <QProcess>

namespace flikkor {

bool ProcessLauncher::start(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return false;
    return QProcess::startDetached(program, arguments);
}

}  // namespace flikkor
