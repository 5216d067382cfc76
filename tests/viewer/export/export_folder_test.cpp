// Where the export writes: beside the run when its folder can be written, else in
// the user's cache; and which files of an earlier export it removes first.
#include "viewer/export/export_folder.h"
#include "tests/support/scratch_folder.h"
#include "tests/viewer/export/export_rig.h"
#include "viewer/export/export_messages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using namespace testing;

constexpr fs::perms kReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec;

TEST(ExportFolder, BesideTheRunUnlessItsFolderCannotBeWrittenThenInTheCache) {
    const struct {
        const char* name;
        std::function<void(ExportRig&)> arrange;
        bool inCache;
    } cases[] = {
        {"writable run folder", nullptr, false},
        {"read-only run folder", [](ExportRig& rig) { fs::permissions(rig.runPath, kReadOnlyFolder); }, true},
        {"read-only run folder with a writable animation folder",
         [](ExportRig& rig) {
             fs::create_directory(rig.exportFolder());
             fs::permissions(rig.runPath, kReadOnlyFolder);
         },
         false},
        {"read-only animation folder",
         [](ExportRig& rig) {
             fs::create_directory(rig.exportFolder());
             fs::permissions(rig.exportFolder(), kReadOnlyFolder);
         },
         true},
        {"a file named animation", [](ExportRig& rig) { testing::writeTextFile(rig.exportFolder(), "notes"); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportRig rig(testing::fourBlockRun());
        if (c.arrange) c.arrange(rig);
        const std::string folder =
            c.inCache ? (rig.cacheFolder.path() / (rig.runFolder.path().filename().string() + "-out-0007")).string()
                      : rig.exportFolder().string();
        EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AnimationMade) << rig.log.messages.back();
        EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + folder + "/tempanim.gif (1 frames)");
        EXPECT_TRUE(fs::is_regular_file(folder + "/temp-101.gif"));
        ASSERT_EQ(rig.desktop.requests.size(), 1u);
        EXPECT_EQ(rig.desktop.requests[0].arguments, std::vector<std::string>{folder});
        EXPECT_EQ(rig.desktop.requests[0].workingDirectory, folder);
        EXPECT_EQ(fs::is_empty(rig.cacheFolder.path()), !c.inCache);
        EXPECT_TRUE(fs::is_empty(rig.programFolder.path()));
        fs::permissions(rig.runPath, fs::perms::owner_all);
        if (fs::is_directory(rig.exportFolder())) fs::permissions(rig.exportFolder(), fs::perms::owner_all);
    }
}

TEST(ExportFolder, WhenNeitherFolderCanBeWrittenNothingIsAskedOrWritten) {
    ExportRig rig(testing::fourBlockRun());
    fs::permissions(rig.runPath, kReadOnlyFolder);
    testing::writeTextFile(rig.cacheFolder.path() / "file", "a file where the cache would be");
    rig.settings.cacheFolder = rig.cacheFolder.file("file");
    const size_t questions = rig.prompter.questions.size();
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::NotWritable);
    const std::string cached =
        rig.cacheFolder.file("file") + "/" + rig.runFolder.path().filename().string() + "-out-0007";
    EXPECT_EQ(rig.log.messages.back(), export_messages::kFolderNotWritable + rig.exportFolder().string() + " (" +
                                           std::strerror(EACCES) + "), " + cached + " (" + std::strerror(ENOTDIR) +
                                           ")");
    EXPECT_EQ(rig.prompter.questions.size(), questions);
    EXPECT_TRUE(rig.desktop.requests.empty());
    fs::permissions(rig.runPath, fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(rig.exportFolder()));
}

TEST(ExportFolder, OnlyTheExportsOwnEarlierFilesAreRemoved) {
    ExportRig rig(testing::fourBlockRun());
    fs::create_directory(rig.exportFolder());
    testing::TempFolder elsewhere;
    testing::writeTextFile(elsewhere.file("kept.gif"), "the user's own picture");
    const std::vector<std::string> removed = {"temp-7.gif", "temp-101.gif", "temp-102.gif", "tempanim.gif"};
    const std::vector<std::string> kept = {"temp-.gif",     "temp-1a.gif", "temp-101.gif.bak", "temp-101.GIF",
                                           "tempanim.gif~", "other.gif",   "notes.txt"};
    for (const std::string& name : removed) testing::writeTextFile(rig.exportFile(name), "earlier " + name);
    for (const std::string& name : kept) testing::writeTextFile(rig.exportFile(name), "kept " + name);
    fs::create_symlink(elsewhere.file("kept.gif"), rig.exportFile("temp-5.gif"));

    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AnimationMade) << rig.log.messages.back();
    std::map<std::string, std::string> expected;
    for (const std::string& name : kept) expected[name] = "kept " + name;
    expected["temp-101.gif"] = rig.exportFolderContents()["temp-101.gif"];
    expected["tempanim.gif"] = rig.exportFolderContents()["tempanim.gif"];
    EXPECT_EQ(rig.exportFolderContents(), expected);
    EXPECT_NE(expected["temp-101.gif"], "earlier temp-101.gif");
    // A link is removed as a name; what it names stays.
    std::ifstream target(elsewhere.file("kept.gif"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(target), {}), "the user's own picture");
}

TEST(ExportFolder, ARunNamedWithoutItsFolderIsTakenFromTheCurrentFolder) {
    toolkit::testing::ScratchFolder run;
    const fs::path started = fs::current_path();
    fs::current_path(run.path());
    const std::string runName = run.path().filename().string();
    const struct {
        const char* output;
        fs::path beside;
        std::string cached;
    } cases[] = {
        {"output.dat", run.path() / "animation", "/c/" + runName + "-output"},
        {"./sub/../out-1.dat", run.path() / "animation", "/c/" + runName + "-out-1"},
        {"sub/output.dat", run.path() / "sub" / "animation", "/c/sub-output"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runAnimationFolder(c.output), c.beside.string()) << c.output;
        EXPECT_EQ(cachedAnimationFolder(c.output, "/c"), c.cached) << c.output;
    }
    fs::current_path(started);
}

TEST(ExportFolder, TheCacheFolderComesFromTheEnvironment) {
    const char* const savedCache = std::getenv("XDG_CACHE_HOME");
    const char* const savedHome = std::getenv("HOME");
    const std::string cache = savedCache ? savedCache : "";
    const std::string home = savedHome ? savedHome : "";
    const struct {
        const char* cache;  // nullptr: unset
        const char* home;
        const char* expected;
    } cases[] = {
        {"/c", "/h", "/c/sorvath"},
        {nullptr, "/h", "/h/.cache/sorvath"},
        {"relative", "/h", "/h/.cache/sorvath"},
        {"", "/h", "/h/.cache/sorvath"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        c.cache ? setenv("XDG_CACHE_HOME", c.cache, 1) : unsetenv("XDG_CACHE_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(sorvathCacheFolder(), c.expected) << (c.cache ? c.cache : "(unset)");
    }
    savedCache ? setenv("XDG_CACHE_HOME", cache.c_str(), 1) : unsetenv("XDG_CACHE_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

}  // namespace
}  // namespace sorvath
