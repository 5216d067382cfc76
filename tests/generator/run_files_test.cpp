// The three files of a run are replaced together or not at all: whatever
// stops a second run, the first run's files stay as they were, nothing else is
// left in the folder, and the message names the file and the reason.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "generator/run_driver.h"
#include "tests/generator/tessark_process.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_folder.h"

using toolkit::testing::FileSizeLimit;
using toolkit::testing::ScratchFolder;

namespace {

const char* const kOutputs[] = {"temp.dat", "newin.dat", "OUTD.DAT"};
// Six discs; then two hundred, whose "temp.dat" is about 5 KB and "newin.dat" about 25 KB.
const std::string kFirstRun = "0 2\n5 100\n0.0004 0 0 1\n0 0 1 1\n0\n";
const std::string kSecondRun = "1 2\n200 5000\n0.0001 0.2 0 1\n0 0 1 1\n0\n";

// A folder holding the files of a finished first run.
struct FirstRun {
    ScratchFolder folder;
    std::vector<std::string> files;

    FirstRun() {
        folder.write("tessctrl.dat", kFirstRun);
        std::istringstream none;
        std::ostringstream console;
        EXPECT_EQ(tessark::runTessark(folder.path(), none, console), 0) << console.str();
        for (const char* name : kOutputs) files.push_back(folder.read(name));
    }
    void expectUnchanged() const {
        for (std::size_t k = 0; k < files.size(); ++k) EXPECT_EQ(folder.read(kOutputs[k]), files[k]) << kOutputs[k];
    }
};

struct StoppedRun {
    const char* name;
    std::function<void(const ScratchFolder&)> arrange;
    std::vector<std::string> said;  // the message holds each of these
    std::size_t fileSizeLimit = 0;  // no file grows beyond this many bytes, when not 0 (a full disk)
};

}  // namespace

TEST(RunFiles, AStoppedRunLeavesTheFilesOfTheLastOneAsTheyWere) {
    const StoppedRun cases[] = {
        {"full disk while the files are written",
         [](const ScratchFolder& f) { f.write("tessctrl.dat", kSecondRun); },
         {"\"newin.dat\"", "File too large", "are as they were"},
         10000},
        {"read-only newin.dat",
         [](const ScratchFolder& f) {
             f.write("tessctrl.dat", kSecondRun);
             ::chmod(f.file("newin.dat").c_str(), 0444);
         },
         {"\"newin.dat\"", "Permission denied"}},
        {"missing tessctrl.dat",
         [](const ScratchFolder& f) { ::unlink(f.file("tessctrl.dat").c_str()); },
         {"\"tessctrl.dat\"", "No such file or directory"}},
        {"polygons of up to 10^9 sides",
         [](const ScratchFolder& f) {
             f.write("tessctrl.dat", "0 1\n20 100\n0.0001 0 0 1\n0 0 1 1\n0\n5 1 3 1000000000\n");
         },
         {"value ndgmx: 1000000000 is outside -99 to 999"},
         1 << 20},  // one line per side count would fill the disk
    };
    for (const StoppedRun& k : cases) {
        SCOPED_TRACE(k.name);
        const FirstRun first;
        k.arrange(first.folder);
        const std::string listing = first.folder.listing();
        std::istringstream none;
        std::ostringstream console;
        int status = 0;
        {
            std::unique_ptr<FileSizeLimit> fullDisk;
            if (k.fileSizeLimit != 0) fullDisk = std::make_unique<FileSizeLimit>(k.fileSizeLimit);
            status = tessark::runTessark(first.folder.path(), none, console);
        }
        EXPECT_EQ(status, 1);
        const std::string last = console.str().substr(console.str().rfind("\n ", console.str().size() - 2) + 1);
        EXPECT_EQ(last.substr(0, 6), " error") << console.str();
        for (const std::string& words : k.said) EXPECT_NE(last.find(words), std::string::npos) << last;
        first.expectUnchanged();
        EXPECT_EQ(first.folder.listing(), listing);
    }
}

// Stopped from outside while it waits at a pause, the program has changed nothing.
TEST(RunFiles, AKilledRunLeavesTheFilesOfTheLastOneAsTheyWere) {
    const FirstRun first;
    first.folder.write("tessctrl.dat", "0 2\n2 3\n1.0 0 0 9\n0 0 1 1\n0\n");  // a disc larger than the rectangle
    int answers[2];
    ASSERT_EQ(::pipe(answers), 0);
    const auto run = tessark::testing::runTessarkProgram(first.folder.path(), answers[0], [&](pid_t program) {
        for (int waited = 0; waited < 1000; ++waited) {
            if (tessark::testing::readAll(first.folder.file("stdout.txt")).find("CAN NOT FIND") != std::string::npos)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(program, SIGKILL);
    });
    ::close(answers[0]);
    ::close(answers[1]);
    EXPECT_EQ(run.status, -1);
    EXPECT_NE(run.out.find("CAN NOT FIND"), std::string::npos);
    first.expectUnchanged();
    EXPECT_EQ(first.folder.listing(), "OUTD.DAT newin.dat stderr.txt stdout.txt temp.dat tessctrl.dat ");
}
