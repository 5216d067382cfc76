// A FIFO or a folder in place of any of the run's files: the open returns at once
// with the message that file's read failure always gives, instead of waiting in
// open() for a writer that never comes.
#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace sorvath {
namespace {

using namespace testing;
using testing::ReaderBench;

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
        const ResultRun run = latticeRun(4, 5);  // with contacts
        writeRun(folder.path(), "output.dat", run, RecordLayout::Long, true, true);
        writeTextFile(folder.path() / "input.dat", inputFileText(run, RecordLayout::Long));
        const std::string path = folder.file(c.name);
        std::filesystem::remove(path);
        ASSERT_EQ(c.fifo ? ::mkfifo(path.c_str(), 0600) : ::mkdir(path.c_str(), 0700), 0);
        ReaderBench bench;
        bench.options.contactDisplay = ContactDisplay::DrawLines;
        const bool input = std::string(c.name) == "input.dat";
        bench.prompter.paths = {input ? path : folder.file("output.dat")};
        bench.prompter.answers = {true};

        ::alarm(10);  // a reader waiting in open() for a writer ends the test here ("Alarm clock")
        const bool opened = input ? bench.reader.openInputFile() : bench.reader.openOutputFile();
        ::alarm(0);
        EXPECT_EQ(opened, c.opens);
        EXPECT_TRUE(bench.log.contains(c.message));
        EXPECT_EQ(bench.log.beeps, c.opens ? 0 : 1);
    }
}

}  // namespace
}  // namespace sorvath
