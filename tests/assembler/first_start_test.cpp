// The real program's first start with no settings, in a fresh home folder: settings
// go to the XDG configuration folder, the work folder to the XDG cache folder, and
// nothing is made in the start folder or directly in the home folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "tests/support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

}  // namespace

TEST(FirstStart, SettingsAndWorkFolderGoToTheXdgFoldersAndNothingElseIsMade) {
    for (const bool xdgFoldersSet : {false, true}) {  // when set: outside the home folder, not made yet
        SCOPED_TRACE(xdgFoldersSet ? "XDG folders set" : "XDG folders not set");
        toolkit::testing::ScratchFolder scratch;
        const fs::path home = scratch.path() / "home", start = scratch.path() / "start";
        fs::create_directory(home);
        fs::create_directory(start);
        const fs::path config = xdgFoldersSet ? scratch.path() / "config" : home / ".config";
        const fs::path cache = xdgFoldersSet ? scratch.path() / "cache" : home / ".cache";
        std::vector<std::string> environment = {"HOME=" + home.string(), "QT_QPA_PLATFORM=offscreen",
                                                "XDG_RUNTIME_DIR=" + scratch.path().string()};
        if (xdgFoldersSet)
            environment.insert(environment.end(),
                               {"XDG_CONFIG_HOME=" + config.string(), "XDG_CACHE_HOME=" + cache.string()});
        std::vector<char*> envp;
        for (std::string& entry : environment) envp.push_back(entry.data());
        envp.push_back(nullptr);

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            char program[] = FLIKKOR_PROGRAM;
            char* argv[] = {program, nullptr};
            if (::chdir(start.c_str()) == 0) ::execve(program, argv, envp.data());
            ::_exit(127);
        }
        // The settings are stored at the end of the start-up.
        const fs::path settings = config / "Quillbay/Flikkor.conf";
        for (int k = 0; k < 600 && !fs::exists(settings); ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(child, SIGTERM);
        ::waitpid(child, nullptr, 0);

        ASSERT_TRUE(fs::exists(settings));
        EXPECT_EQ(namesIn(start), std::set<std::string>{});
        const std::set<std::string> inHome =
            xdgFoldersSet ? std::set<std::string>{} : std::set<std::string>{".cache", ".config"};
        EXPECT_EQ(namesIn(home), inHome);
        std::ostringstream stored;
        stored << std::ifstream(settings).rdbuf();
        const fs::path workFolder = cache / "flikkor/AnimTmp";
        EXPECT_NE(stored.str().find("WorkDir=" + workFolder.string() + "\n"), std::string::npos) << stored.str();
        for (const fs::path& made : {cache / "flikkor", workFolder}) {
            struct stat info {};
            ASSERT_EQ(::stat(made.c_str(), &info), 0) << made;
            EXPECT_EQ(info.st_mode & 07777, 0700u) << made;
        }
    }
}
