// Flikkor's command line: one folder, or GIF files, or the usage and status 2.
#include "assembler/platform/start_arguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/scratch_folder.h"

using flikkor::StartArguments;
using flikkor::StartRequest;

namespace {

struct Parsed {
    std::optional<int> status;
    std::string err;
    StartRequest request;
};

Parsed parse(std::vector<std::string> arguments) {
    toolkit::ProgramCommandLine commandLine({"flikkor", "1.0", "Assembles.\n"});
    const StartArguments start(commandLine);
    arguments.insert(arguments.begin(), "flikkor");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    std::ostringstream out, err;
    Parsed parsed;
    parsed.status = commandLine.answer(static_cast<int>(argv.size()), argv.data(), out, err);
    parsed.err = err.str();
    if (!parsed.status) parsed.request = start.request();
    return parsed;
}

// Runs in a scratch folder holding the folder "frames", so relative names resolve there.
struct InScratch : ::testing::Test {
    toolkit_test::ScratchFolder scratch;
    std::filesystem::path saved = std::filesystem::current_path();
    void SetUp() override {
        std::filesystem::create_directory(scratch.path() / "frames");
        std::filesystem::current_path(scratch.path());
    }
    void TearDown() override { std::filesystem::current_path(saved); }
    std::string at(const std::string& name) const { return scratch.file(name); }
};

}  // namespace

TEST_F(InScratch, OneFolderOrGifFilesBecomeTheStartRequestWithAbsolutePaths) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string folder;
        std::vector<std::string> files;
    } cases[] = {
        {"nothing", {}, "", {}},
        {"a folder", {"frames"}, at("frames"), {}},
        {"a folder with a slash", {"./frames/"}, at("frames"), {}},
        {"files in their order, any case, missing ones too",
         {"b.gif", at("A.GIF"), "frames/../c.Gif"},
         "",
         {at("b.gif"), at("A.GIF"), at("c.Gif")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed parsed = parse(c.arguments);
        ASSERT_FALSE(parsed.status.has_value()) << parsed.err;
        EXPECT_EQ(parsed.request.folder, c.folder);
        EXPECT_EQ(parsed.request.files, c.files);
    }
}

TEST_F(InScratch, AnythingElseIsRefusedWithTheUsageAndStatusTwo) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string reason;
    } cases[] = {
        {"another kind of file", {"a.png"}, "'a.png' is neither a folder nor a .gif file"},
        {"a name ending in gif without the dot", {"agif"}, "'agif' is neither a folder nor a .gif file"},
        {"a file among GIFs", {"a.gif", "notes.txt"}, "'notes.txt' is neither a folder nor a .gif file"},
        {"a folder and a file", {"frames", "a.gif"}, "a folder ('frames') must be the only argument"},
        {"two folders", {"frames", "."}, "a folder ('frames') must be the only argument"},
        {"an unknown option", {"--make"}, "unknown argument '--make'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed parsed = parse(c.arguments);
        EXPECT_EQ(parsed.status, 2);
        EXPECT_NE(parsed.err.find(c.reason), std::string::npos) << parsed.err;
        EXPECT_NE(parsed.err.find("Usage: flikkor [--help | --version] [DIR | FILE.gif ...]\n"), std::string::npos)
            << parsed.err;
    }
}
