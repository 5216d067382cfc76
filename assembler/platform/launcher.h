#pragma once
// Starting outside programs without waiting for them.
#include <QString>
#include <QStringList>

namespace flikkor {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts program with its arguments detached; false when nothing could be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};

class ProcessLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override;
};

}  // namespace flikkor
