// The split: numbered single-image files named after the save dialog's choice,
// through the same save dialog as the make.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

#include "engine_fixture.h"
#include "gifengine/split_names.h"
#include "tests/support/file_size_limit.h"

using namespace gifengine::testing;
using gifengine::SplitBaseName;
using gifengine::SplitFileName;

namespace {

bool Exists(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0;
}

}  // namespace

TEST_F(EngineTest, SplitWritesThreeFramesAsClipGifAndRemembersTheFolder) {
    ASSERT_EQ(load(AnimatedWithGlobal(3, 6, 4)), 0);
    engine.saveInitialFolder = "/start";
    chooser.names.push_back(folder.file("clip.gif"));
    EXPECT_EQ(engine.splitIntoFiles(), 3);
    for (const char* name : {"clip001.gif", "clip002.gif", "clip003.gif"})
        EXPECT_TRUE(Exists(folder.file(name))) << name;
    EXPECT_FALSE(Exists(folder.file("clip.gif")));
    EXPECT_FALSE(Exists(folder.file("clip004.gif")));
    // The make's dialog: same title, name and folder.
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].title, "ファイル作成");
    EXPECT_EQ(chooser.requests[0].initialFileName, "noname.gif");
    EXPECT_EQ(chooser.requests[0].initialFolder, "/start");
    EXPECT_TRUE(chooser.requests[0].confirmOverwrite);
    EXPECT_EQ(engine.saveInitialFolder, folder.path());
    EXPECT_TRUE(engine.LastMadeFile.empty());
    EXPECT_TRUE(reporter.messages.empty());

    // The next make opens where the split wrote.
    chooser.names.push_back(std::nullopt);
    EXPECT_EQ(engine.MakeAnimatedGif(""), 0);
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[1].initialFolder, folder.path());
}

TEST(SplitNames, NumberingChangesWidthAtTenAndAtOneHundred) {
    EXPECT_EQ(SplitFileName("anim", 1), "anim001.gif");
    EXPECT_EQ(SplitFileName("anim", 9), "anim009.gif");
    EXPECT_EQ(SplitFileName("anim", 10), "anim010.gif");
    EXPECT_EQ(SplitFileName("anim", 99), "anim099.gif");
    EXPECT_EQ(SplitFileName("anim", 100), "anim100.gif");
    EXPECT_EQ(SplitFileName("anim", 1000), "anim1000.gif");
}

TEST(SplitNames, BaseNameLosesOnlyTheLastExtensionOfTheFileName) {
    EXPECT_EQ(SplitBaseName("frames"), "frames");
    EXPECT_EQ(SplitBaseName("a.b.gif"), "a.b");
    EXPECT_EQ(SplitBaseName("/x/Anim.GIF"), "/x/Anim");
    EXPECT_EQ(SplitBaseName("/my.folder/frames"), "/my.folder/frames");
    EXPECT_EQ(SplitFileName(SplitBaseName("frames"), 1), "frames001.gif");
    EXPECT_EQ(SplitFileName(SplitBaseName("a.b.gif"), 1), "a.b001.gif");
}

// Numbered files already there are replaced only after one question for all of
// them; refused, nothing changes.
TEST_F(EngineTest, SplitAsksOnceBeforeReplacingNumberedFiles) {
    struct Case {
        const char* name;
        std::vector<std::string> existing;
        gifengine::MessageAnswer answer;
        std::string question;  // empty: none asked
    };
    const std::string first = folder.file("sp001.gif");
    const Case cases[] = {
        {"none there", {}, gifengine::MessageAnswer::Ok, ""},
        {"one there, kept",
         {"sp002.gif"},
         gifengine::MessageAnswer::Cancel,
         folder.file("sp002.gif") + " は既に存在します。\n上書きして構いませんか？"},
        {"three there, replaced",
         {"sp001.gif", "sp002.gif", "sp003.gif"},
         gifengine::MessageAnswer::Ok,
         first + " など 3 個のファイルが既に存在します。\n上書きして構いませんか？"},
    };
    ASSERT_EQ(load(AnimatedWithGlobal(3, 6, 4)), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* name : {"sp001.gif", "sp002.gif", "sp003.gif"}) std::remove(folder.file(name).c_str());
        for (const std::string& name : c.existing) ASSERT_TRUE(WriteFile(folder.file(name), {'o', 'l', 'd'}));
        reporter.messages.clear();
        reporter.answers = {c.answer};
        chooser.names.push_back(folder.file("sp.gif"));
        const bool replaced = c.answer == gifengine::MessageAnswer::Ok;
        EXPECT_EQ(engine.splitIntoFiles(), replaced ? 3 : 0);
        if (c.question.empty()) {
            EXPECT_TRUE(reporter.messages.empty());
        } else {
            ASSERT_EQ(reporter.messages.size(), 1u);
            EXPECT_EQ(reporter.messages[0].caption, "Reelwright:確認");
            EXPECT_EQ(reporter.messages[0].text, c.question);
            EXPECT_EQ(reporter.messages[0].buttons, gifengine::MessageButtons::OkCancel);
        }
        for (int n = 1; n <= 3; ++n) {
            const std::string path = SplitFileName(folder.file("sp"), n);
            const bool old = std::count(c.existing.begin(), c.existing.end(), SplitFileName("sp", n)) != 0;
            EXPECT_EQ(Exists(path), replaced || old) << path;
            if (Exists(path)) {
                EXPECT_EQ(ReadFile(path) == std::vector<uint8_t>({'o', 'l', 'd'}), old && !replaced) << path;
            }
        }
    }
}

// The numbered files belong together: a failure at any of them (a full disk, a
// folder in the way) leaves every old one as it was and no new one beside them.
TEST_F(EngineTest, FailedSplitChangesNoNumberedFile) {
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::optional<rlim_t> sizeLimit;
        std::string failed;  // the file the message names
        std::string reason;
    };
    const Case cases[] = {
        {"full disk", [] {}, 4096, "x003.gif", " の書込中にエラーが発生しました\nファイルサイズの上限を超えました"},
        {"folder in the way", [&] { ::mkdir(folder.file("x004.gif").c_str(), 0755); }, std::nullopt, "x004.gif",
         " がオープンできません\n同じ名前のフォルダがあります"},
    };
    // Small frames around a large third one, which passes the size limit.
    ASSERT_EQ(load(AnimatedWithGlobal(2, 8, 8, 8)), 0);
    ASSERT_EQ(load(AnimatedWithGlobal(1, 200, 200, 8), "big.gif"), 0);
    ASSERT_EQ(load(AnimatedWithGlobal(2, 8, 8, 8), "c.gif"), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        for (const char* name : {"x001.gif", "x003.gif"}) ASSERT_TRUE(WriteFile(folder.file(name), {'o', 'l', 'd'}));
        const std::string before = listing();
        reporter.messages.clear();
        chooser.names.push_back(folder.file("x.gif"));
        int written = -1;
        {
            std::optional<toolkit::testing::FileSizeLimit> full;
            if (c.sizeLimit) full.emplace(*c.sizeLimit);
            written = engine.splitIntoFiles();
        }
        EXPECT_EQ(written, 0);
        EXPECT_EQ(listing(), before);
        EXPECT_EQ(ReadFile(folder.file("x001.gif")), std::vector<uint8_t>({'o', 'l', 'd'}));
        ASSERT_EQ(reporter.messages.size(), 2u);  // the question, then the failure
        EXPECT_EQ(reporter.messages[1].caption, "Reelwright:エラー");
        EXPECT_EQ(reporter.messages[1].text, "ファイル " + folder.file(c.failed) + c.reason);
    }
}

TEST_F(EngineTest, SplitOfAnEmptyListIsReportedAndCancelWritesNothing) {
    chooser.names.push_back(folder.file("x.gif"));
    engine.saveInitialFolder = "/keep";
    EXPECT_EQ(engine.splitIntoFiles(), 0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(reporter.messages[0].text, "画像がありません");
    EXPECT_TRUE(chooser.requests.empty());

    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4)), 0);
    chooser.names.clear();
    chooser.names.push_back(std::nullopt);
    EXPECT_EQ(engine.splitIntoFiles(), 0);
    EXPECT_FALSE(Exists(folder.file("x001.gif")));
    EXPECT_EQ(engine.saveInitialFolder, "/keep");
}
