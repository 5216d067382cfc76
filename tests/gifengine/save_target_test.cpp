// Where the writers may put their file: a read-only target is refused, a
// writable target in a folder without room for a temporary file is written
// in place, and otherwise the old file is replaced only by a complete one.
#include <sys/stat.h>
#include <unistd.h>

#include "engine_fixture.h"

using namespace gif_test;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}  // namespace

TEST_F(EngineTest, ReadOnlyTargetIsRefusedWithTheOpenFailureAndKept) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    const std::string target = folder.file("locked.gif");
    ASSERT_TRUE(WriteFile(target, Bytes("old")));
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(engine.MakeAnimatedGif(target), 0);
    EXPECT_EQ(engine.MakeSingleGif(0, target), 0);
    EXPECT_EQ(ReadFile(target), Bytes("old"));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(reporter.messages[0].text, "ファイルがオープンできません");
    // The interactive make names the file first, then refuses it the same way.
    chooser.names.push_back(target);
    EXPECT_EQ(engine.MakeAnimatedGif(""), 0);
    EXPECT_EQ(ReadFile(target), Bytes("old"));
    EXPECT_EQ(reporter.texts().back(), "ファイルがオープンできません");
}

TEST_F(EngineTest, WritableTargetIsReplacedKeepingItsPermission) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    const std::string target = folder.file("open.gif");
    ASSERT_TRUE(WriteFile(target, Bytes("old")));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(engine.MakeAnimatedGif(target), 1);
    const std::vector<uint8_t> written = ReadFile(target);
    ASSERT_GE(written.size(), 6u);
    EXPECT_EQ(std::string(written.begin(), written.begin() + 6), "GIF89a");
    struct stat s {};
    ASSERT_EQ(::stat(target.c_str(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0640u);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(EngineTest, TargetWhoseFolderTakesNoTemporaryFileIsWrittenInPlace) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    // A name so long that the temporary name beside it is refused by the file system.
    const std::string target = folder.file(std::string(250, 'n') + ".gif");
    ASSERT_TRUE(WriteFile(target, Bytes("old")));
    EXPECT_EQ(engine.MakeAnimatedGif(target), 1);
    EXPECT_EQ(ReadFile(target), make("reference.gif"));
    EXPECT_TRUE(reporter.messages.empty());
    // Without a file there to write into, the same name cannot be made.
    ASSERT_EQ(::unlink(target.c_str()), 0);
    EXPECT_EQ(engine.MakeAnimatedGif(target), 0);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"ファイルがオープンできません"});
}

TEST_F(EngineTest, WritableTargetInAReadOnlyFolderIsWrittenInPlace) {
    if (::geteuid() == 0) GTEST_SKIP() << "the administrator may write into any folder";
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    const std::string sub = folder.file("sub");
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
    const std::string target = sub + "/t.gif";
    ASSERT_TRUE(WriteFile(target, Bytes("old")));
    ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
    EXPECT_EQ(engine.MakeAnimatedGif(target), 1);
    ::chmod(sub.c_str(), 0755);
    EXPECT_EQ(ReadFile(target), make("reference.gif"));
}
