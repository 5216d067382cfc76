// A FIFO or a folder in place of any of the run's files: the open returns at once
// with the message that file's read failure always gives, instead of waiting in
// open() for a writer that never comes.
#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace sorvath {
namespace {

using namespace testdata;
using testing::ReaderBench;

// If the reader is still waiting on the FIFO after a few seconds, opens its writing
// end once in a while so the reader sees an empty file: a reader that blocks fails
// the test instead of hanging it.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const std::string& fifo)
        : thread_([this, fifo] {
              std::unique_lock lock(mutex_);
              if (wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
              while (!wake_.wait_for(lock, std::chrono::milliseconds(10), [this] { return done_; })) {
                  const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd < 0) continue;
                  ::close(fd);
                  hadToRelease_ = true;
              }
          }) {}
    // True when the reader had to be released.
    bool stop() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
        return hadToRelease_;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool hadToRelease_ = false;
    std::thread thread_;
};

ResultRun fiveSteps() {
    ResultRun run;
    run.shapes = {{1.0, 1.0, 20}, {1.0, 1.0, 20}};
    run.walls = {{-2.0, -1.0, 4.0, -1.0}};
    for (int s = 1; s <= 5; ++s)
        run.steps.push_back({s, {{0.0, 0.0, 0.0}, {2.0, 0.0, 0.3 * s}}, {}, {{1, 2, 1.0, 0.0, 0.0, -2.0, 0.0}}, -1});
    return run;
}

TEST(ViewerNonRegularFiles, EachOfTheRunsFilesAsAFifoOrFolderGivesItsUsualReadFailureAtOnce) {
    const struct {
        const char* name;
        bool fifo;  // otherwise a folder
        const char* message;
        bool opens;  // the output file is still shown
    } cases[] = {
        {"input.dat", true, messages::kReadingError, false},
        {"output.dat", true, messages::kReadingError, false},
        {"output.dat", false, messages::kReadingError, false},
        {"wllout.dat", true, messages::kWallStepError, true},
        {"cont2.dat", true, messages::kContactHeaderError, true},
        {"cont.dat", true, messages::kContactRecordError, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.fifo ? " as a FIFO" : " as a folder"));
        TempFolder folder;
        writeRun(folder.path(), "output.dat", fiveSteps(), RecordLayout::Long, true, true);
        writeTextFile(folder.path() / "input.dat", inputFileText(fiveSteps(), RecordLayout::Long));
        const std::string path = folder.file(c.name);
        std::filesystem::remove(path);
        ASSERT_EQ(c.fifo ? ::mkfifo(path.c_str(), 0600) : ::mkdir(path.c_str(), 0700), 0);
        ReaderBench bench;
        bench.options.contactDisplay = ContactDisplay::DrawLines;
        const bool input = std::string(c.name) == "input.dat";
        bench.prompter.paths = {input ? path : folder.file("output.dat")};
        bench.prompter.answers = {true};

        FifoWatchdog watchdog(path);
        const bool opened = input ? bench.reader.openInputFile() : bench.reader.openOutputFile();
        EXPECT_FALSE(watchdog.stop()) << "the reader waited in open()";
        EXPECT_EQ(opened, c.opens);
        EXPECT_TRUE(bench.log.contains(c.message));
        EXPECT_EQ(bench.log.beeps, c.opens ? 0 : 1);
    }
}

}  // namespace
}  // namespace sorvath
