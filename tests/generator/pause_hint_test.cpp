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

namespace fs = std::filesystem;

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

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class RunFolder {
public:
    RunFolder() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("tessark-pause-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(path_);
        std::ofstream(path_ / "tessctrl.dat") << kHopeless;
    }
    ~RunFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct ProcessRun {
    int status = -1;
    std::string out, err;
};

// Runs the built tessark in `folder` with standard input from `inputFd`;
// standard output and error go to files that are read back.
ProcessRun runTessarkProgram(const fs::path& folder, int inputFd, const std::function<void()>& whileRunning) {
    const fs::path outPath = folder / "stdout.txt", errPath = folder / "stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || chdir(folder.c_str()) != 0) _exit(126);
        dup2(inputFd, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        const std::string program = std::string(TOOLKIT_BIN_DIR) + "/tessark";
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ProcessRun run;
    if (child < 0) return run;
    whileRunning();
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

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
    const ProcessRun quiet = runTessarkProgram(piped.path(), file, [] {});
    close(file);

    // Input from a terminal: the same answers typed, then Ctrl+D.
    RunFolder typed;
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    termios mode{};
    ASSERT_EQ(tcgetattr(slave, &mode), 0);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);  // nothing typed comes back to read
    ASSERT_EQ(tcsetattr(slave, TCSANOW, &mode), 0);
    const ProcessRun atTerminal = runTessarkProgram(typed.path(), slave, [&] {
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
