// Flikkor's command line: one folder, or GIF files, or the usage and status 2.
#include "assembler/platform/start_arguments.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/scratch_folder.h"

// Run in a scratch folder holding the folder "frames", so that relative names resolve there.
TEST(StartArguments, OneFolderOrGifFilesWithAbsolutePathsAndAnythingElseRefused) {
    toolkit_test::ScratchFolder scratch;
    std::filesystem::create_directory(scratch.path() / "frames");
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(scratch.path());
    const auto at = [&](const char* name) { return scratch.file(name); };
    const struct {
        std::vector<const char*> arguments;
        std::string folder;
        std::vector<std::string> files;
        std::string refusal;  // the reason given before the usage line
    } cases[] = {
        {{}, "", {}, ""},
        {{"frames"}, at("frames"), {}, ""},
        {{"./frames/"}, at("frames"), {}, ""},
        // in their order, any letter case, missing files too (the loader reports those)
        {{"b.gif", "/x/A.GIF", "frames/../c.Gif"}, "", {at("b.gif"), "/x/A.GIF", at("c.Gif")}, ""},
        {{"a.png"}, "", {}, "'a.png' is neither a folder nor a .gif file"},
        {{"agif"}, "", {}, "'agif' is neither a folder nor a .gif file"},
        {{"a.gif", "notes.txt"}, "", {}, "'notes.txt' is neither a folder nor a .gif file"},
        {{"frames", "a.gif"}, "", {}, "a folder ('frames') must be the only argument"},
        {{"a.gif", "frames"}, "", {}, "a folder ('frames') must be the only argument"},
        {{"--make"}, "", {}, "unknown argument '--make'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "nothing" : c.arguments.front());
        toolkit::ProgramCommandLine commandLine({"flikkor", "1.0", "Assembles.\n"});
        const flikkor::StartArguments start(commandLine);
        std::vector<const char*> argv = c.arguments;
        argv.insert(argv.begin(), "flikkor");
        std::ostringstream out, err;
        const std::optional<int> status = commandLine.answer(int(argv.size()), argv.data(), out, err);
        if (!c.refusal.empty()) {
            EXPECT_EQ(status, 2);
            EXPECT_EQ(err.str(), "flikkor: " + c.refusal +
                                     "\nUsage: flikkor [--help | --version] [DIR | FILE.gif ...]\n"
                                     "Try 'flikkor --help' for more information.\n");
            continue;
        }
        ASSERT_FALSE(status.has_value()) << err.str();
        EXPECT_EQ(start.request().folder, c.folder);
        EXPECT_EQ(start.request().files, c.files);
    }
    std::filesystem::current_path(saved);
}
