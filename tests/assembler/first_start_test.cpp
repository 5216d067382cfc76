// The real program's first start with no settings, in a fresh home folder: its
// settings go to the XDG configuration folder and its work folder to the XDG
// cache folder; nothing is made in the start folder or directly in the home folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "tests/support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

std::string storedValue(const fs::path& settingsFile, const std::string& name) {
    std::ifstream in(settingsFile);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + "=", 0) == 0) return line.substr(name.size() + 1);
    return {};
}

// Starts flikkor in `start` with exactly `environment`, waits until it has stored
// its settings in `settingsFile` (the end of its start-up), then stops it.
void runFirstStart(const fs::path& start, const std::vector<std::string>& environment, const fs::path& settingsFile) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::vector<char*> envp;
        for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
        envp.push_back(nullptr);
        char program[] = FLIKKOR_PROGRAM;
        char* argv[] = {program, nullptr};
        if (::chdir(start.c_str()) == 0) ::execve(program, argv, envp.data());
        ::_exit(127);
    }
    int status = 0;
    bool exited = false;
    for (int k = 0; k < 600 && !fs::exists(settingsFile); ++k) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!exited) {
        ::kill(child, SIGTERM);
        ::waitpid(child, &status, 0);
    }
    EXPECT_FALSE(exited) << "flikkor ended by itself, status " << status;
    ASSERT_TRUE(fs::exists(settingsFile)) << "no settings stored";
}

}  // namespace

TEST(FirstStart, SettingsAndWorkFolderGoToTheXdgFoldersAndNothingElseIsMade) {
    const struct {
        const char* name;
        bool xdgFoldersSet;  // XDG_CONFIG_HOME and XDG_CACHE_HOME outside the home folder
    } cases[] = {{"XDG folders not set", false}, {"XDG folders set, not there yet", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        toolkit_test::ScratchFolder scratch;
        const fs::path home = scratch.path() / "home", start = scratch.path() / "start";
        const fs::path runtime = scratch.path() / "runtime";
        for (const fs::path& folder : {home, start, runtime}) fs::create_directory(folder);
        fs::permissions(runtime, fs::perms::owner_all);
        const fs::path config = c.xdgFoldersSet ? scratch.path() / "xdg-config" : home / ".config";
        const fs::path cache = c.xdgFoldersSet ? scratch.path() / "xdg-cache" : home / ".cache";
        std::vector<std::string> environment = {"HOME=" + home.string(), "QT_QPA_PLATFORM=offscreen",
                                                "XDG_RUNTIME_DIR=" + runtime.string(), "PATH=/usr/bin:/bin"};
        if (c.xdgFoldersSet) {
            environment.push_back("XDG_CONFIG_HOME=" + config.string());
            environment.push_back("XDG_CACHE_HOME=" + cache.string());
        }
        const fs::path settingsFile = config / "Quillbay" / "Flikkor.conf";
        runFirstStart(start, environment, settingsFile);

        EXPECT_EQ(namesIn(start), std::set<std::string>{});
        const std::set<std::string> homeNames =
            c.xdgFoldersSet ? std::set<std::string>{} : std::set<std::string>{".cache", ".config"};
        EXPECT_EQ(namesIn(home), homeNames);
        const fs::path workFolder = cache / "flikkor" / "AnimTmp";
        EXPECT_EQ(storedValue(settingsFile, "WorkDir"), workFolder.string());
        for (const fs::path& made : {cache / "flikkor", workFolder}) {
            struct stat info {};
            ASSERT_EQ(::stat(made.c_str(), &info), 0) << made;
            EXPECT_EQ(info.st_mode & 07777, 0700u) << made;
        }
    }
}
