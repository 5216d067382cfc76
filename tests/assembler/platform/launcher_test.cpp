// The watched start used for the system opener: its failure is reported once the
// program has ended badly or could not start, and never for a program that succeeded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "assembler/platform/launcher.h"

using namespace flikkor;

TEST(ProcessLauncher, WatchedProgramReportsFailureOnlyWhenItCannotStartOrEndsBadly) {
    struct Row {
        const char* name;
        QString program;
        QStringList arguments;
        bool fails;
    };
    const Row rows[] = {
        {"status 0", "sh", {"-c", "exit 0"}, false},
        {"status 3 (the system opener found nothing)", "sh", {"-c", "exit 3"}, true},
        {"killed", "sh", {"-c", "kill -9 $$"}, true},
        {"no such program", "/nonexistent/xdg-open", {"page.htm"}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int failures = 0;
        ProcessLauncher launcher;
        launcher.startWatched(row.program, row.arguments, [&] { ++failures; });
        QElapsedTimer clock;
        clock.start();
        // The verdict comes from the event loop; wait for it (a failure) or a while (success).
        while (failures == 0 && clock.elapsed() < (row.fails ? 10000 : 1000))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(failures, row.fails ? 1 : 0);
    }
}

TEST(ProcessLauncher, AWatchedProgramStillRunningAtTheEndIsNotReportedAsFailed) {
    int failures = 0;
    {
        ProcessLauncher launcher;
        launcher.startWatched("sleep", {"30"}, [&] { ++failures; });
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(failures, 0);
}
