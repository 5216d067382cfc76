// Flikkor's command line: one folder, or GIF files, or the usage and status 2.
#include "assembler/platform/start_arguments.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/scratch_folder.h"

namespace {

// Flikkor's command line given these arguments (after the program's name).
struct Answered {
    explicit Answered(std::vector<const char*> arguments) : start(commandLine) {
        arguments.insert(arguments.begin(), "flikkor");
        std::ostringstream out;
        status = commandLine.answer(int(arguments.size()), arguments.data(), out, err);
    }
    toolkit::ProgramCommandLine commandLine{{"flikkor", "1.0", "Assembles.\n"}};
    flikkor::StartArguments start;
    std::optional<int> status;
    std::ostringstream err;
};

}  // namespace

// Run in a scratch folder holding the folder "frames", so that relative names resolve there.
TEST(StartArguments, OneFolderOrGifFilesWithAbsolutePathsAndAnythingElseRefused) {
    toolkit::testing::ScratchFolder scratch;
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
        {{"--bogus"}, "", {}, "unknown argument '--bogus'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "nothing" : c.arguments.front());
        const Answered answered(c.arguments);
        const std::optional<int>& status = answered.status;
        const std::ostringstream& err = answered.err;
        const flikkor::StartArguments& start = answered.start;
        if (!c.refusal.empty()) {
            EXPECT_EQ(status, 2);
            EXPECT_EQ(err.str(), "flikkor: " + c.refusal + "\n" + answered.commandLine.usageLine() +
                                     "Try 'flikkor --help' for more information.\n");
            continue;
        }
        ASSERT_FALSE(status.has_value()) << err.str();
        EXPECT_EQ(start.request().folder, c.folder);
        EXPECT_EQ(start.request().files, c.files);
        EXPECT_FALSE(start.job().has_value());
    }
    std::filesystem::current_path(saved);
}

namespace {

std::string Described(const gifengine::EngineJob& job, const std::string& folder) {
    std::ostringstream text;
    const auto number = [](const std::optional<int>& n) { return n ? std::to_string(*n) : std::string("-"); };
    if (const auto* make = std::get_if<gifengine::MakeJob>(&job)) {
        text << (make->sizeOnly ? "size" : "make " + make->output) << " delay " << number(make->delay) << " loop "
             << number(make->loop);
        for (const std::string& file : make->files) text << " " << file;
    } else if (const auto* info = std::get_if<gifengine::InfoJob>(&job)) {
        text << "info";
        for (const std::string& file : info->files) text << " " << file;
    } else if (const auto* split = std::get_if<gifengine::SplitJob>(&job)) {
        text << "split " << split->input << " to " << split->prefix << (split->replace ? " force" : "");
    }
    std::string described = text.str();
    for (std::size_t at; (at = described.find(folder)) != std::string::npos;)
        described.replace(at, folder.size(), "DIR");
    return described;
}

}  // namespace

// The engine's commands: the job run instead of the window, or the usage and status 2.
TEST(StartArguments, EngineCommandsBecomeJobsAndMisfitsAreRefused) {
    toolkit::testing::ScratchFolder scratch;
    std::filesystem::create_directory(scratch.path() / "frames");
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(scratch.path());
    const struct {
        std::vector<const char*> arguments;
        std::string job;  // or the refusal
    } cases[] = {
        {{"--make", "o", "--delay", "7", "--loop", "0", "a.gif"}, "make o delay 7 loop 0 DIR/a.gif"},
        {{"--make", "o.gif", "--size", "a.gif"}, "size delay - loop - DIR/a.gif"},
        {{"--info", "a.gif", "b.gif"}, "info DIR/a.gif DIR/b.gif"},
        {{"--split", "x.y/in.gif"}, "split x.y/in.gif to x.y/in"},
        {{"--split", "in.gif", "--to", "p/q", "--force"}, "split in.gif to p/q force"},
        {{"--make", "o.gif"}, "refused: no GIF files given"},
        {{"--info", "frames"}, "refused: 'frames' is not a .gif file"},
        {{"--delay", "5", "a.gif"}, "refused: --delay and --loop need --make or --size"},
        {{"--split", "in.gif", "a.gif"}, "refused: --split takes no other files"},
        {{"--to", "p", "a.gif"}, "refused: --to requires --split"},
        {{"--make", "o.gif", "--info", "a.gif"}, "refused: --make excludes --info"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job);
        const Answered answered(c.arguments);
        const std::optional<int>& status = answered.status;
        const std::ostringstream& err = answered.err;
        const flikkor::StartArguments& start = answered.start;
        if (status) {
            EXPECT_EQ(*status, 2);
            EXPECT_EQ("refused: " + err.str().substr(9, err.str().find('\n') - 9), c.job);
            continue;
        }
        ASSERT_TRUE(start.job().has_value()) << c.job;
        EXPECT_EQ(Described(*start.job(), scratch.path().string()), c.job);
    }
    std::filesystem::current_path(saved);
}
