// The split: numbered single-image files named after the save dialog's choice,
// through the same save dialog as the make.
#include <sys/stat.h>

#include <fstream>

#include "engine_fixture.h"
#include "gifengine/split_names.h"

using namespace gif_test;
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

TEST_F(EngineTest, SplitStopsAtTheFirstFailure) {
    ASSERT_EQ(load(AnimatedWithGlobal(5, 4, 4)), 0);
    // A folder where the third file should go cannot be written over.
    ASSERT_EQ(::mkdir(folder.file("x003.gif").c_str(), 0755), 0);
    chooser.names.push_back(folder.file("x.gif"));
    EXPECT_EQ(engine.splitIntoFiles(), 2);
    EXPECT_TRUE(Exists(folder.file("x002.gif")));
    EXPECT_FALSE(Exists(folder.file("x004.gif"))) << "no frame is tried after the failed one";
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "ファイルがオープンできません");
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
