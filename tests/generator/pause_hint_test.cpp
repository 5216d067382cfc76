// The operator pause after a failed placement pass: the hint for someone at a
// terminal goes to standard error only, and standard output stays the same.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "generator/run_driver.h"
#include "tests/generator/tessark_process.h"
#include "tests/support/scratch_folder.h"

namespace fs = std::filesystem;
using tessark::testing::ProcessRun;
using tessark::testing::runTessarkProgram;

namespace {

// A disc larger than the rectangle: every pass fails and the size never changes.
constexpr const char* kHopeless = "0 2\n2 3\n1.0 0 0 9\n0 0 1 1\n0\n";

std::string hintLines(int count) {
    std::string lines;
    for (int k = 0; k < count; ++k) lines += std::string(tessark::kPauseHint) + "\n";
    return lines;
}

int occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A scratch folder holding the hopeless control file.
struct RunFolder : toolkit::testing::ScratchFolder {
    RunFolder() { write("tessctrl.dat", kHopeless); }
};

}  // namespace

TEST(PauseHint, WrittenBeforeEveryWaitAndTheConsoleIsUnchanged) {
    RunFolder withHint, without;
    std::istringstream inputA("7\n8\n"), inputB("7\n8\n");
    std::ostringstream consoleA, consoleB, hint;
    EXPECT_EQ(tessark::runTessark(withHint.path(), inputA, consoleA, tessark::OverlapSearch::CellGrid, &hint), 1);
    EXPECT_EQ(tessark::runTessark(without.path(), inputB, consoleB), 1);
    // Three failed passes: two answered, the third meets the end of the input.
    EXPECT_EQ(occurrences(consoleA.str(), " CAN NOT FIND ADIQUATE POSITION\n"), 3);
    EXPECT_EQ(hint.str(), hintLines(3));
    EXPECT_EQ(consoleA.str(), consoleB.str());
    EXPECT_EQ(consoleA.str().find(tessark::kPauseHint), std::string::npos);
}

TEST(PauseHint, ProgramHintsOnStandardErrorOnlyWhenInputIsATerminal) {
    if (!fs::exists(fs::path(TOOLKIT_BIN_DIR) / "tessark")) GTEST_SKIP() << "tessark has not been built";

    // Input from a file: no hint.
    RunFolder piped;
    std::ofstream(piped.path() / "answers.txt") << "7\n8\n";
    const int file = open((piped.path() / "answers.txt").c_str(), O_RDONLY);
    ASSERT_GE(file, 0);
    const ProcessRun quiet = runTessarkProgram(piped.path(), file, [](pid_t) {});
    close(file);

    // Input from a terminal: the same answers typed, then Ctrl+D.
    RunFolder typed;
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    termios mode{};
    ASSERT_EQ(tcgetattr(slave, &mode), 0);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);  // nothing typed comes back to read
    ASSERT_EQ(tcsetattr(slave, TCSANOW, &mode), 0);
    const ProcessRun atTerminal = runTessarkProgram(typed.path(), slave, [&](pid_t) {
        const std::string keys = std::string("7\n8\n") + static_cast<char>(mode.c_cc[VEOF]);
        EXPECT_EQ(write(master, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    });
    close(slave);
    close(master);

    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(atTerminal.status, 1);
    EXPECT_EQ(occurrences(quiet.out, " CAN NOT FIND ADIQUATE POSITION\n"), 3);
    EXPECT_EQ(atTerminal.out, quiet.out);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(atTerminal.err, hintLines(3));
}
