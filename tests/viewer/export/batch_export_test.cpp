// "sorvath --gif" as a user runs it, without a display: what it prints and its exit
// status for a run it exports, runs it cannot read, an -o it cannot write and
// command lines it does not understand. Its pictures and bytes against the window's
// export are checked in assembler_e2e_test.cpp.
#include "tests/packaging/shell.h"
#include "tests/viewer/support/result_run_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using toolkit::testing::CommandResult;
using toolkit::testing::readFile;
using toolkit::testing::runCommand;
using toolkit::testing::shellQuoted;

// A folder with a run of five step blocks (two frames) and its wall file, and a
// cache folder of its own.
class BatchExport : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeRun(folder_.path(), "out-0007.dat", testing::latticeRun(4, 5), testing::RecordLayout::Long, true,
                          false);
    }
    std::string run() const { return folder_.file("out-0007.dat"); }
    // sorvath with these arguments, on a display that does not exist (it must not be asked for).
    CommandResult sorvath(const std::string& arguments, const std::string& prefix = {}) const {
        return runCommand(prefix + "env DISPLAY=:9999 XDG_CACHE_HOME=" + shellQuoted(cache_.path()) + " " +
                          shellQuoted(fs::path(TOOLKIT_BIN_DIR) / "sorvath") + " " + arguments);
    }

    testing::TempFolder folder_;
    testing::TempFolder cache_;
};

TEST_F(BatchExport, WritesTheAnimationWhereAskedAndPrintsItsPath) {
    const std::string animation = folder_.file("animation/tempanim.gif");
    CommandResult made = sorvath("--gif " + shellQuoted(run()));
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_EQ(made.output, animation + "\n");
    const std::string bytes = readFile(animation);
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");

    // -o: the same animation there; an earlier export's files are replaced.
    made = sorvath("--gif " + shellQuoted(run()) + " -o " + shellQuoted(folder_.file("a.gif")));
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_EQ(made.output, folder_.file("a.gif") + "\n");
    EXPECT_TRUE(readFile(folder_.file("a.gif")) == bytes);
    EXPECT_TRUE(readFile(animation) == bytes);

    // At a terminal (script gives it one) the frames are counted as they are written.
    const std::string command = "env DISPLAY=:9999 XDG_CACHE_HOME=" + shellQuoted(cache_.path()) + " " +
                                shellQuoted(fs::path(TOOLKIT_BIN_DIR) / "sorvath") + " --gif " + shellQuoted(run());
    made = runCommand("script -qec " + shellQuoted(command) + " /dev/null");
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_NE(made.output.find("\rframe 1 of 2\rframe 2 of 2\r\n" + animation), std::string::npos) << made.output;
}

struct Refusal {
    const char* name;
    std::function<std::string(const testing::TempFolder& folder)> arguments;
    int status;
    // What standard error says; "FOLDER" stands for the run's folder.
    std::string says;
};

class BatchRefusal : public BatchExport, public ::testing::WithParamInterface<Refusal> {};

TEST_P(BatchRefusal, ExitsWithItsStatusAndSaysWhy) {
    const Refusal& refusal = GetParam();
    const CommandResult result = sorvath(refusal.arguments(folder_));
    EXPECT_EQ(result.status, refusal.status) << result.output;
    std::string says = refusal.says;
    for (size_t at; (at = says.find("FOLDER")) != std::string::npos;) says.replace(at, 6, folder_.path().string());
    EXPECT_NE(result.output.find(says), std::string::npos) << result.output;
    // Nothing was written for a command that did not run.
    if (refusal.status == 2 || refusal.says.find("could not be written") != std::string::npos) {
        EXPECT_FALSE(fs::exists(folder_.path() / "animation"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, BatchRefusal,
    ::testing::Values(
        Refusal{"MissingRun", [](const auto& f) { return "--gif " + f.file("out-0008.dat"); }, 1,
                "sorvath: FOLDER/out-0008.dat: Reading error. Check if you chose an appropriate file. (No such file or "
                "directory)\n"},
        Refusal{"UnreadableRun",
                [](const auto& f) {
                    testing::writeTextFile(f.file("out-0009.dat"), "this is not a run\n");
                    return "--gif " + f.file("out-0009.dat");
                },
                1, "sorvath: FOLDER/out-0009.dat: Reading Error. Check if the selected file is appropriate.\n"},
        Refusal{"RunTooShortForAFrame",
                [](const auto& f) {
                    testing::writeRun(f.path(), "out-0003.dat", testing::latticeRun(4, 3), testing::RecordLayout::Long,
                                      false, false);
                    return "--gif " + f.file("out-0003.dat");
                },
                1, "sorvath: The animation GIF was not made: the run has no step block after its first three"},
        Refusal{"OutputInAMissingFolder",
                [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " -o " + f.file("none/a.gif"); }, 1,
                "sorvath: The animation GIF could not be written: FOLDER/none/a.gif: No such file or directory\n"},
        Refusal{"OutputIsAFolder",
                [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " -o " + f.path().string(); }, 1,
                "sorvath: The animation GIF could not be written: FOLDER: Is a directory\n"},
        Refusal{"EveryZero", [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " --every 0"; }, 2,
                "sorvath: --every: Value 0 not in range"},
        Refusal{"LinesAndSelect",
                [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " --lines --select 2"; }, 2,
                "sorvath: --lines excludes --select"},
        Refusal{"SelectNotANumber", [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " --select x"; }, 2,
                "sorvath: --select: 'x' is not a number\n"},
        Refusal{"SizeNotWxH", [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " --size 200"; }, 2,
                "sorvath: --size: '200' is not WxH"},
        Refusal{"ZoomTooFar", [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " --zoom 51"; }, 2,
                "sorvath: --zoom: Value 51 not in range"},
        Refusal{"ViewOptionWithoutGif", [](const auto&) { return std::string("--color"); }, 2,
                "sorvath: --color requires --gif"},
        Refusal{"GifAndRun",
                [](const auto& f) { return "--gif " + f.file("out-0007.dat") + " " + f.file("out-0007.dat"); }, 2,
                "sorvath: RUN excludes --gif"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvath
