#include "viewer/platform/launcher.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>

namespace sorvath {

ProcessId ProcessLauncher::startDetached(const LaunchRequest& request) {
    QProcess process;
    process.setProgram(QString::fromStdString(request.program));
    QStringList arguments;
    for (const std::string& argument : request.arguments) arguments << QString::fromStdString(argument);
    process.setArguments(arguments);
    process.setWorkingDirectory(QString::fromStdString(request.workingDirectory));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : request.environment)
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    process.setProcessEnvironment(environment);
    qint64 id = 0;
    if (!process.startDetached(&id) || id <= 0) return 0;
    return id;
}

bool ProcessLauncher::isRunning(ProcessId process) {
    if (process <= 0) return false;
    if (kill(static_cast<pid_t>(process), 0) != 0 && errno != EPERM) return false;
    // A detached program belongs to whoever reaps orphans; until it is reaped an ended
    // program still answers as a zombie ("Z" in the third field of its stat line).
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;  // no /proc: trust the signal test
    const size_t name = line.rfind(')');
    return name == std::string::npos || name + 2 >= line.size() || line[name + 2] != 'Z';
}

}  // namespace sorvath
