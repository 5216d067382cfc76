#include <cstring>
#include <filesystem>

#include "engine_fixture.h"
#include "gifengine/gif_writer.h"
#include "gifengine/integer_text.h"

using namespace gifengine::testing;
namespace text = gifengine::text;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) out.push_back(uint8_t(v));
    return out;
}

bool ContainsAt(const std::vector<uint8_t>& file, std::size_t at, const std::vector<uint8_t>& part) {
    return at + part.size() <= file.size() && std::equal(part.begin(), part.end(), file.begin() + long(at));
}

std::vector<uint8_t> NetscapeBlock(int repeat) {
    return Bytes({0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, repeat & 0xFF,
                  repeat >> 8, 0x00});
}

}  // namespace

TEST_F(EngineTest, TwoFramesWithSharedTableAreWrittenByteForByte) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    ASSERT_EQ(engine.boxes.EdIteration, "0");
    const std::vector<uint8_t> file = make();
    const auto& f0 = engine.frames[0];
    const auto& f1 = engine.frames[1];

    std::vector<uint8_t> expected =
        Bytes({0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x0A, 0x00, 0x0A, 0x00, 0xB3, 0x00, 0x00});
    for (int k = 0; k < 16; ++k) {
        const auto& c = engine.global.entries[std::size_t(k)];
        expected.insert(expected.end(), {c.r, c.g, c.b});
    }
    const auto netscape = NetscapeBlock(0);
    expected.insert(expected.end(), netscape.begin(), netscape.end());
    expected.insert(expected.end(), {0x21, 0xFE, 0x1B});
    expected.insert(expected.end(), text::kSignatureComment.begin(), text::kSignatureComment.end());
    expected.push_back(0x00);
    for (const auto* frame : {&f0, &f1}) {
        expected.insert(expected.end(), frame->control.begin(), frame->control.end());
        const auto position = Bytes({0x2C, 0, 0, 0, 0, 0x0A, 0x00, 0x0A, 0x00, 0x00});
        expected.insert(expected.end(), position.begin(), position.end());
        expected.insert(expected.end(), frame->raster.begin(), frame->raster.end());
    }
    expected.push_back(0x3B);
    EXPECT_EQ(file, expected);
    EXPECT_EQ(file.size(), 148u + f0.raster.size() + f1.raster.size());
    EXPECT_EQ(engine.PredictFileSizeText(), std::to_string(file.size()));
    EXPECT_EQ(engine.LastMadeWidth, 10);
    EXPECT_EQ(engine.LastMadeHeight, 10);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(EngineTest, RepeatBoxCountsPlays) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    const std::size_t at = 13 + 48;
    engine.boxes.EdIteration = "1";
    std::vector<uint8_t> file = make();
    EXPECT_FALSE(ContainsAt(file, at, NetscapeBlock(0)));
    EXPECT_TRUE(ContainsAt(file, at, Bytes({0x21, 0xFE, 0x1B})));
    EXPECT_EQ(engine.PredictFileSize(), int64_t(file.size()));

    engine.boxes.EdIteration = "3";
    EXPECT_TRUE(ContainsAt(make(), at, NetscapeBlock(2)));
    engine.boxes.EdIteration = "65536";
    EXPECT_TRUE(ContainsAt(make(), at, NetscapeBlock(65535)));
    EXPECT_TRUE(reporter.messages.empty());

    // Not an integer, or too big to store: warning when interactive, then 0.
    for (const std::string bad : {"abc", "65537", "-2"}) {
        reporter.messages.clear();
        engine.boxes.EdIteration = bad;
        chooser.names.push_back(folder.file("i"));
        ASSERT_EQ(engine.MakeAnimatedGif(""), 1);
        EXPECT_TRUE(ContainsAt(ReadFile(folder.file("i.gif")), at, NetscapeBlock(0))) << bad;
        ASSERT_FALSE(reporter.messages.empty());
        EXPECT_EQ(reporter.messages[0].caption, "Reelwright:警告");
        EXPECT_EQ(reporter.messages[0].text, "繰り返し回数の指定が正しくありません\n0(連続)として作成します");
        EXPECT_EQ(engine.PredictFileSize(), int64_t(ReadFile(folder.file("i.gif")).size()));
    }
    // Non-interactive: no warning.
    reporter.messages.clear();
    make();
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(EngineTest, OneFrameNeverGetsLoopingBlock) {
    ASSERT_EQ(load(AnimatedWithGlobal(1, 10, 10)), 0);
    const std::vector<uint8_t> file = make();
    EXPECT_FALSE(ContainsAt(file, 13 + 48, NetscapeBlock(0)));
    EXPECT_EQ(engine.PredictFileSize(), int64_t(file.size()));
    EXPECT_EQ(file.size(), 13u + 48 + 31 + 18 + engine.frames[0].raster.size() + 1);
}

TEST_F(EngineTest, CommentIsWrittenInSubBlocksOf255) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    const std::size_t at = 13 + 48 + 19;
    for (const std::size_t length : {1u, 255u, 256u, 600u}) {
        engine.animationComment = std::string(length, 'c');
        const std::vector<uint8_t> file = make();
        ASSERT_TRUE(ContainsAt(file, at, Bytes({0x21, 0xFE})));
        std::size_t p = at + 2;
        std::size_t total = 0;
        while (file[p] != 0) {
            const std::size_t part = file[p];
            EXPECT_TRUE(part == 255 || total + part == length);
            total += part;
            p += part + 1;
        }
        EXPECT_EQ(total, length);
        EXPECT_TRUE(ContainsAt(file, p + 1, Bytes({0x21, 0xFE, 0x1B, 'F'})));
        EXPECT_EQ(engine.PredictFileSize(), int64_t(file.size())) << length;
    }
}

TEST_F(EngineTest, EmptyCommentWritesOnlyTheSignatureComment) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    engine.animationComment.clear();
    const std::vector<uint8_t> file = make();
    const std::size_t at = 13 + 48 + 19;
    ASSERT_TRUE(ContainsAt(file, at, Bytes({0x21, 0xFE, 0x1B, 'F'})));
    // The signature's sub-blocks end, and the first frame's control block follows.
    std::size_t p = at + 2;
    while (p < file.size() && file[p] != 0) p += file[p] + 1u;
    EXPECT_TRUE(ContainsAt(file, p + 1, Bytes({0x21, 0xF9})));
    EXPECT_EQ(engine.PredictFileSize(), int64_t(file.size()));
}

TEST_F(EngineTest, WithoutGlobalTableEveryFrameCarriesItsOwn) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    engine.ClearGlobalTableUse();
    EXPECT_EQ(engine.global.globalCount, 16);  // the table itself stays
    chooser.names.push_back(folder.file("local.gif"));
    ASSERT_EQ(engine.MakeAnimatedGif(""), 1);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, text::kNoGlobalTable);
    const std::vector<uint8_t> file = ReadFile(folder.file("local.gif"));
    EXPECT_EQ(file[10], 0x00);
    // First frame's descriptor follows header, looping block, signature and control.
    const std::size_t descriptor = 13 + 19 + 31 + 8;
    EXPECT_EQ(file[descriptor], 0x2C);
    EXPECT_EQ(file[descriptor + 9], 0x83);  // local table of 16
    EXPECT_EQ(engine.PredictFileSize(), int64_t(file.size()));
}

TEST_F(EngineTest, InterlacedGlobalFrameKeepsInterlaceBit) {
    Image image = PatternImage(10, 10, 16);
    image.interlace = true;
    image.sortFlag = true;
    ASSERT_EQ(load(GifBuilder().screen(10, 10).globalTable(MakePalette(4), true).image(image).image(image).bytes()), 0);
    const std::vector<uint8_t> file = make();
    EXPECT_EQ(file[10], 0x80 + 3 * 16 + 8 + 3);  // sort flag from the frame
    EXPECT_EQ(file[13 + 48 + 19 + 31 + 8 + 9], 0x40);
}

TEST_F(EngineTest, WarningsForFramesOutsideScreenAndRestorePrevious) {
    GifBuilder builder;
    builder.screen(20, 20).globalTable(MakePalette(2));
    Image image = PatternImage(20, 20, 4);
    image.left = 5;
    image.top = 5;
    image.control = Control{3, false, false, 0, 10};
    builder.image(image).image(image);
    ASSERT_EQ(load(builder.bytes()), 0);
    make();
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, text::kOutsideScreen);
    EXPECT_EQ(reporter.messages[1].text, text::kRestorePrevious);
    EXPECT_EQ(reporter.messages[1].caption, "Reelwright:警告");
}

TEST_F(EngineTest, RefusalsComeInOrderAndTouchNoFile) {
    EXPECT_EQ(engine.MakeAnimatedGif(folder.file("x.gif")), 0);
    ASSERT_EQ(reporter.texts(), std::vector<std::string>{std::string(text::kNoSourceImages)});
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    for (const auto& [w, h] : std::vector<std::pair<std::string, std::string>>{
             {"0", "10"}, {"10", "-1"}, {"ten", "10"}, {"65536", "10"}, {"", ""}}) {
        reporter.messages.clear();
        engine.boxes.EdLSWidth = w;
        engine.boxes.EdLSHeight = h;
        engine.boxes.EdIteration = "zz";
        EXPECT_EQ(engine.MakeAnimatedGif(""), 0);
        ASSERT_EQ(reporter.messages.size(), 1u) << w << "x" << h;
        EXPECT_EQ(reporter.messages[0].text, text::kBadScreenSize);
        EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
    }
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.gif")));
    engine.boxes.EdLSWidth = "65535";
    engine.boxes.EdLSHeight = "65535";
    engine.boxes.EdIteration = "0";
    EXPECT_EQ(make("max.gif")[6], 0xFF);
}

TEST_F(EngineTest, SaveDialogNameGetsGifExtension) {
    ASSERT_EQ(load(AnimatedWithGlobal(2, 10, 10)), 0);
    std::filesystem::create_directory(folder.file("sub.d"));
    const std::pair<std::string, std::string> cases[] = {
        {folder.file("clip.txt"), folder.file("clip.gif")},
        {folder.file("clip"), folder.file("clip.gif")},
        {folder.file("anim.GIF"), folder.file("anim.gif")},
        {folder.file("sub.d/plain"), folder.file("sub.d/plain.gif")},
    };
    for (const auto& [chosen, written] : cases) {
        chooser.names.push_back(chosen);
        ASSERT_EQ(engine.MakeAnimatedGif(""), 1);
        EXPECT_TRUE(std::filesystem::exists(written)) << written;
        EXPECT_EQ(engine.LastMadeFile, written);
    }
    ASSERT_EQ(chooser.requests.size(), 4u);
    const auto& request = chooser.requests.back();
    EXPECT_EQ(request.title, "ファイル作成");
    EXPECT_EQ(request.filter, "GIFﾌｧｲﾙ (*.gif)|*.gif");
    EXPECT_EQ(request.initialFileName, "noname.gif");
    EXPECT_EQ(request.initialFolder, folder.path());
    EXPECT_EQ(engine.saveInitialFolder, folder.file("sub.d"));

    // Cancel: 0, no message, LastMadeFile unchanged.
    reporter.messages.clear();
    chooser.names.push_back(std::nullopt);
    EXPECT_EQ(engine.MakeAnimatedGif(""), 0);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(engine.LastMadeFile, folder.file("sub.d/plain.gif"));
}

TEST_F(EngineTest, SingleGifUsesFrameSizeAndKeepsPosition) {
    GifBuilder builder;
    builder.screen(40, 40).globalTable(MakePalette(3));
    Image image = PatternImage(6, 5, 8);
    image.left = 8;
    image.top = 4;
    image.control = Control{1, false, true, 3, 77};
    builder.image(image);
    ASSERT_EQ(load(builder.bytes()), 0);
    ASSERT_EQ(engine.MakeSingleGif(0, folder.file("one.gif")), 1);
    const std::vector<uint8_t> file = ReadFile(folder.file("one.gif"));
    const auto& frame = engine.frames[0];
    std::vector<uint8_t> expected = Bytes({'G', 'I', 'F', '8', '9', 'a', 6, 0, 5, 0, 0x80 + 2 * 16 + 2, 0, 0});
    for (int k = 0; k < 8; ++k) {
        const auto& c = frame.colourTable[std::size_t(k)];
        expected.insert(expected.end(), {c.r, c.g, c.b});
    }
    expected.insert(expected.end(), {0x21, 0xF9, 0x04, frame.control[3], 0, 0, 3, 0});
    expected.insert(expected.end(), {0x2C, 8, 0, 4, 0, 6, 0, 5, 0, uint8_t(frame.descriptor.packed & 0x58)});
    expected.insert(expected.end(), frame.raster.begin(), frame.raster.end());
    expected.push_back(0x3B);
    EXPECT_EQ(file, expected);
}

TEST_F(EngineTest, GlobalTableFromFrameMarksEqualTablesOnly) {
    // Frames 1, 3, 5: the same 16 entries; frame 2: those 16 first in a
    // 32-entry table; frame 4: other colours.
    const auto base = MakePalette(4);
    auto wide = MakePalette(5);
    std::copy(base.begin(), base.end(), wide.begin());
    const std::vector<std::vector<Colour>> tables{base, wide, base, MakePalette(4, 9), base};
    for (std::size_t i = 0; i < tables.size(); ++i) {
        Image image = PatternImage(4, 4, 16);
        image.localTable = tables[i];
        ASSERT_EQ(load(GifBuilder().image(image).bytes(), "f" + std::to_string(i) + ".gif"), 0);
    }
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(engine.frames[i].usesGlobalTable);
    engine.SetGlobalTableFromFrame(2);
    const bool expected[] = {true, false, true, false, true};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(engine.frames[i].usesGlobalTable, expected[i]) << i;
    EXPECT_EQ(engine.global.globalCount, 16);
    EXPECT_EQ(engine.ShowFrameRow(0)[7], "ｸﾞﾛｰﾊﾞﾙ");
    EXPECT_EQ(engine.ShowFrameRow(1)[7], "ﾛｰｶﾙ");

    // The empty row chosen, or several rows selected.
    select(6, 6);
    engine.setGlobalTableFromSelection();
    select(1, 2);
    engine.setGlobalTableFromSelection();
    EXPECT_EQ(reporter.texts(), (std::vector<std::string>{std::string(text::kGlobalTableNoImage),
                                                          std::string(text::kGlobalTableSelectOne)}));
    select(2, 2);
    engine.setGlobalTableFromSelection();
    EXPECT_EQ(engine.global.globalCount, 32);
    EXPECT_TRUE(engine.frames[1].usesGlobalTable);
    EXPECT_FALSE(engine.frames[0].usesGlobalTable);
}

TEST_F(EngineTest, ScreenSizeButtonCopiesFirstSelectedFrame) {
    GifBuilder builder;
    builder.screen(50, 50).globalTable(MakePalette(2)).image(PatternImage(7, 9, 4)).image(PatternImage(3, 2, 4));
    ASSERT_EQ(load(builder.bytes()), 0);
    select(2, 3);
    engine.fitScreenToSelection();
    EXPECT_EQ(engine.boxes.EdLSWidth, "3");
    EXPECT_EQ(engine.boxes.EdLSHeight, "2");
    select(3, 3);
    engine.fitScreenToSelection();
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{std::string(text::kScreenSizeNoImage)});
}

TEST(IntegerText, BoxTextsBecomeNumbers) {
    EXPECT_EQ(gifengine::IntegerValue("42"), 42);
    EXPECT_EQ(gifengine::IntegerValue(" -7 "), -7);
    EXPECT_EQ(gifengine::IntegerValue("+3"), 3);
    EXPECT_FALSE(gifengine::IntegerValue(""));
    EXPECT_FALSE(gifengine::IntegerValue("1.5"));
    EXPECT_FALSE(gifengine::IntegerValue("12a"));
    EXPECT_FALSE(gifengine::IntegerValue("+-1"));
    EXPECT_FALSE(gifengine::IntegerValue("99999999999"));
    EXPECT_EQ(gifengine::ScreenDimensionValue("65535"), 65535);
    EXPECT_EQ(gifengine::ScreenDimensionValue("65536"), 0);
    EXPECT_EQ(gifengine::RepeatCountValue("65536"), 65536);
    EXPECT_EQ(gifengine::RepeatCountValue("65537"), -1);
    EXPECT_EQ(gifengine::RepeatCountValue("x"), -1);
}
