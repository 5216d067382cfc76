#include "viewer/platform/launcher.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace sorvath {

bool ProcessLauncher::startDetached(const LaunchRequest& request) {
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
    if (!process.startDetached(&id)) return false;
    lastProcessId_ = id;
    return true;
}

}  // namespace sorvath
