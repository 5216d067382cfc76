// The engine's commands run from the command line: the grid's rows as text, the
// split that replaces nothing unasked, and unreadable files failing with the
// loader's own messages.
#include "gifengine/engine_jobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "gif_builder.h"

using namespace gifengine::testing;
using namespace gifengine;

namespace {

// Two images: the first with the file's table, the second offset, with a local
// table, restoring to the background and transparent colour 1.
std::vector<uint8_t> TwoImages() {
    Image first = PatternImage(4, 3, 4);
    first.control = Control{1, false, false, 0, 25};
    Image second = PatternImage(2, 2, 2, 1);
    second.left = 1;
    second.top = 1;
    second.localTable = {{0, 0, 0}, {0xAB, 0x0C, 0xEF}};
    second.control = Control{2, false, true, 1, 7};
    const std::vector<Colour> table{{0x12, 0x34, 0x56}, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    return GifBuilder().screen(4, 3).globalTable(table).image(first).image(second).bytes();
}

struct Ran {
    int status;
    std::string out;
    std::string err;
};

Ran RunJob(const EngineJob& job, const std::string& folder) {
    std::ostringstream out, err;
    const int status = RunEngineJob(job, "flikkor", out, err);
    std::string shown = err.str();
    for (std::size_t at; (at = shown.find(folder)) != std::string::npos;) shown.replace(at, folder.size(), "DIR");
    return {status, out.str(), shown};
}

}  // namespace

TEST(EngineJobs, InfoPrintsTheGridsHeaderAndOneRowPerImage) {
    TempFolder folder;
    const std::string path = folder.file("two.gif");
    ASSERT_TRUE(WriteFile(path, TwoImages()));
    const Ran ran = RunJob(InfoJob{{path, path}}, folder.path());
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.err, "");
    // Added twice as the add command adds: the second copy's first frame matches the global table too.
    EXPECT_EQ(ran.out,
              "No.\t元画像\t位置\tｻｲｽﾞ\tﾃﾞｨﾚｲ\t消去法\t透過\tｶﾗｰﾃｰﾌﾞﾙ\t色数\tﾌﾙﾊﾟｽ名\n"
              "1\ttwo.gif(1)\t0,0\t4x3\t25\t未消去\tｵﾌ-0(123456)\tｸﾞﾛｰﾊﾞﾙ\t4\t" +
                  path +
                  "\n"
                  "2\ttwo.gif(2)\t1,1\t2x2\t7\t背景色\tｵﾝ-1(AB0CEF)\tﾛｰｶﾙ\t2\t" +
                  path +
                  "\n"
                  "3\ttwo.gif(1)\t0,0\t4x3\t25\t未消去\tｵﾌ-0(123456)\tｸﾞﾛｰﾊﾞﾙ\t4\t" +
                  path +
                  "\n"
                  "4\ttwo.gif(2)\t1,1\t2x2\t7\t背景色\tｵﾝ-1(AB0CEF)\tﾛｰｶﾙ\t2\t" +
                  path + "\n");
}

TEST(EngineJobs, SplitWritesNumberedFilesAndReplacesThemOnlyWhenForced) {
    TempFolder folder;
    const std::string input = folder.file("in.gif");
    ASSERT_TRUE(WriteFile(input, TwoImages()));
    const std::string prefix = folder.file("part.v");
    const struct {
        bool replace;
        int status;
        std::string err;
    } steps[] = {
        {false, 0, ""},
        {false, 1, "flikkor: DIR/part.v001.gif など 2 個のファイルが既に存在します。\n"},
        {true, 0, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.err);
        // The second file is marked so that a replacement shows.
        if (std::filesystem::exists(prefix + "002.gif")) {
            ASSERT_TRUE(WriteFile(prefix + "002.gif", {'x'}));
        }
        const Ran ran = RunJob(SplitJob{input, prefix, step.replace}, folder.path());
        EXPECT_EQ(ran.status, step.status);
        EXPECT_EQ(ran.err, step.err);
        EXPECT_EQ(ran.out, step.status == 0 ? prefix + "001.gif\n" + prefix + "002.gif\n" : "");
        EXPECT_EQ(ReadFile(prefix + "002.gif").size() == 1, step.status != 0);
    }
    EXPECT_EQ(DefaultSplitPrefix("/a.b/clip.gif"), "/a.b/clip");
    EXPECT_EQ(DefaultSplitPrefix("/a.b/clip"), "/a.b/clip");
}

TEST(EngineJobs, UnreadableFilesFailWithTheLoadersMessagesAndWriteNothing) {
    TempFolder folder;
    const std::string good = folder.file("good.gif");
    const std::string text = folder.file("text.gif");
    ASSERT_TRUE(WriteFile(good, TwoImages()));
    ASSERT_TRUE(WriteFile(text, {'h', 'e', 'l', 'l', 'o'}));
    const std::string missing = folder.file("missing.gif");
    const std::string out = folder.file("out.gif");
    const struct {
        EngineJob job;
        std::string err;
    } cases[] = {
        // The whole-file reader's box, then the loader's, as in the window.
        {MakeJob{{good, missing}, out, 5, 2, false},
         "flikkor: ファイルがオープンできません\nflikkor: ファイル DIR/missing.gif がオープンできません\n"},
        {MakeJob{{text}, out, {}, {}, true}, "flikkor: DIR/text.gif は、GIFファイルではありません\n"},
        {InfoJob{{missing}},
         "flikkor: ファイルがオープンできません\nflikkor: ファイル DIR/missing.gif がオープンできません\n"},
        {SplitJob{text, folder.file("p"), true}, "flikkor: DIR/text.gif は、GIFファイルではありません\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        const Ran ran = RunJob(c.job, folder.path());
        EXPECT_EQ(ran.status, 1);
        EXPECT_EQ(ran.err, c.err);
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"good.gif", "text.gif"}));
}
