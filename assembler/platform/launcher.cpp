#include "assembler/platform/launcher.h"

#include <algorithm>

namespace flikkor {

bool ProcessLauncher::start(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return false;
    return QProcess::startDetached(program, arguments);
}

void ProcessLauncher::startWatched(const QString& program, const QStringList& arguments, std::function<void()> failed) {
    std::erase_if(watched_, [](const QPointer<QProcess>& process) { return process.isNull(); });
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, failed](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) failed();
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        failed();
        process->deleteLater();
    });
    watched_.emplace_back(process);
    process->start();
}

ProcessLauncher::~ProcessLauncher() {
    for (const QPointer<QProcess>& process : watched_) {
        if (process.isNull()) continue;
        process->disconnect();
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
        delete process.data();
    }
}

}  // namespace flikkor
