#pragma once
// Starting outside programs without waiting for them.
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace flikkor {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts program with its arguments detached; false when nothing could be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Starts program with its arguments and calls `failed` later, from the event
    // loop, when it cannot be started or ends with a status other than 0: for the
    // system opener, whose status is the only sign that nothing was opened.
    virtual void startWatched(const QString& program, const QStringList& arguments, std::function<void()> failed) = 0;
};

class ProcessLauncher : public Launcher {
public:
    ProcessLauncher() = default;
    ProcessLauncher(const ProcessLauncher&) = delete;
    ProcessLauncher& operator=(const ProcessLauncher&) = delete;
    // A watched program still running is ended without calling its `failed`.
    ~ProcessLauncher() override;
    bool start(const QString& program, const QStringList& arguments) override;
    void startWatched(const QString& program, const QStringList& arguments, std::function<void()> failed) override;

private:
    std::vector<QPointer<QProcess>> watched_;
};

}  // namespace flikkor
