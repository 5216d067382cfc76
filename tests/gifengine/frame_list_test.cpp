#include "engine_fixture.h"
#include "gifengine/frame_row.h"

using namespace gifengine::testing;
using gifengine::GridCursor;

namespace {

// Frames whose delay tells which loaded image they are: 1..n.
class ListTest : public EngineTest {
protected:
    void loadNumbered(int n) {
        GifBuilder builder;
        builder.screen(8, 8).globalTable(MakePalette(2));
        for (int i = 1; i <= n; ++i) {
            Image image = PatternImage(2, 2, 4);
            image.control = Control{0, false, false, 0, uint16_t(i)};
            builder.image(image);
        }
        ASSERT_EQ(load(builder.bytes()), 0);
    }
    std::vector<int> order() const {
        std::vector<int> out;
        for (int i = 0; i < engine.frames.count(); ++i) out.push_back(engine.frames[i].delay());
        return out;
    }
    GridCursor cursor() const { return engine.frames.cursor; }
};

bool operator==(const GridCursor& a, const GridCursor& b) {
    return a.currentRow == b.currentRow && a.topRow == b.topRow && a.bottomRow == b.bottomRow;
}

}  // namespace

TEST_F(ListTest, DuplicateInsertsCopiesAfterBlockAndSelectsThem) {
    loadNumbered(5);
    select(2, 4);
    engine.duplicateSelection();
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 4, 2, 3, 4, 5}));
    EXPECT_TRUE((cursor() == GridCursor{5, 5, 7}));
    // Deep copies: changing a copy leaves its source.
    engine.frames[4].setDelay(99);
    engine.frames[4].raster[0] ^= 1;
    EXPECT_EQ(engine.frames[1].delay(), 2);
    EXPECT_NE(engine.frames[1].raster, engine.frames[4].raster);
    EXPECT_EQ(engine.frames[4].name(), "a.gif");
    EXPECT_EQ(engine.frames[4].usesGlobalTable, engine.frames[1].usesGlobalTable);
}

TEST_F(ListTest, DuplicateLeavesEmptyRowOutAndRefusesBeyondCapacity) {
    loadNumbered(3);
    select(3, 4);
    engine.duplicateSelection();
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 3}));
    select(5, 5);
    engine.duplicateSelection();
    EXPECT_EQ(engine.frames.count(), 4);

    while (engine.frames.count() < 1000) {
        select(1, std::min(engine.frames.count(), 1000 - engine.frames.count()));
        engine.duplicateSelection();
    }
    EXPECT_TRUE(reporter.messages.empty());
    select(1, 2);
    engine.duplicateSelection();
    EXPECT_EQ(engine.frames.count(), 1000);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{std::string(gifengine::text::kListFull)});
}

TEST_F(ListTest, UpAndDownMoveBlockWithinList) {
    loadNumbered(5);
    select(4, 5);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Down);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 4, 5}));
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Up);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 4, 5, 3}));
    EXPECT_TRUE((cursor() == GridCursor{3, 3, 4}));
    select(1, 1);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Up);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 4, 5, 3}));
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Down);
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 4, 5, 3}));
    EXPECT_TRUE((cursor() == GridCursor{2, 2, 2}));
}

TEST_F(ListTest, MoveTopAndBottom) {
    loadNumbered(5);
    select(3, 4);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Top);
    EXPECT_EQ(order(), (std::vector<int>{3, 4, 1, 2, 5}));
    EXPECT_TRUE((cursor() == GridCursor{1, 1, 2}));
    select(1, 2);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Bottom);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 5, 3, 4}));
    EXPECT_TRUE((cursor() == GridCursor{4, 4, 5}));
    // Last frame with the empty row: nothing moves.
    select(5, 6);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Bottom);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Down);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 5, 3, 4}));
    // Block with the empty row moves up without it.
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Up);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 5, 4, 3}));
    // Starting at the empty row: refused.
    select(6, 6);
    engine.moveSelection(gifengine::GifEngine::MoveTarget::Top);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 5, 4, 3}));
}

TEST_F(ListTest, DeleteRemovesSelectedFramesAndEmptyListClearsBoxes) {
    loadNumbered(5);
    select(5, 6);
    engine.deleteSelection();
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE((cursor() == GridCursor{5, 5, 5}));
    select(2, 3);
    engine.deleteSelection();
    EXPECT_EQ(order(), (std::vector<int>{1, 4}));
    EXPECT_TRUE((cursor() == GridCursor{2, 2, 2}));
    EXPECT_EQ(engine.boxes.EdLSWidth, "8");
    select(1, 2);
    engine.deleteSelection();
    EXPECT_TRUE(engine.frames.empty());
    EXPECT_TRUE((cursor() == GridCursor{1, 1, 1}));
    EXPECT_EQ(engine.boxes.EdLSWidth, "");
    EXPECT_EQ(engine.boxes.EdLSHeight, "");
    EXPECT_EQ(engine.boxes.EdIteration, "");
    EXPECT_EQ(engine.PredictFileSizeText(), "");
}

TEST_F(ListTest, ClearKeepsCommentAndGlobalTable) {
    loadNumbered(3);
    engine.animationComment = "kept";
    engine.clearFrames();
    EXPECT_TRUE(engine.frames.empty());
    EXPECT_EQ(engine.animationComment, "kept");
    EXPECT_EQ(engine.global.globalCount, 4);
    EXPECT_EQ(engine.boxes.EdIteration, "");
}

TEST_F(ListTest, AllSelectLeavesEmptyRowOut) {
    engine.selectAll();
    EXPECT_TRUE((cursor() == GridCursor{1, 1, 1}));
    loadNumbered(4);
    select(3, 3);
    engine.selectAll();
    EXPECT_TRUE((cursor() == GridCursor{1, 1, 4}));
}

TEST(FrameRow, CellTextsOfOneFrame) {
    gifengine::GifFrameRecord frame;
    frame.setPath("/data/run/temp-12.gif");
    frame.imageNumber = 3;
    frame.descriptor = {0x2C, 8, 4, 320, 240, 0x83};
    frame.setDelay(25);
    frame.setDisposal(1);
    frame.setTransparencyOn(true);
    frame.setTransparentIndex(5);
    frame.colourTable[5] = {0xFF, 0x00, 0xFF};
    const auto cells = gifengine::ShowFrameRow(frame, 6);
    const gifengine::FrameRowTexts expected{"7",      "temp-12.gif(3)", "8,4",  "320x240", "25",
                                            "未消去", "ｵﾝ-5(FF00FF)",   "ﾛｰｶﾙ", "16",      "/data/run/temp-12.gif"};
    EXPECT_EQ(cells, expected);

    frame.setTransparencyOn(false);
    frame.setTransparentIndex(16);
    frame.usesGlobalTable = true;
    EXPECT_EQ(gifengine::ShowFrameRow(frame, 0)[6], "ｵﾌ-16(?)");
    EXPECT_EQ(gifengine::ShowFrameRow(frame, 0)[7], "ｸﾞﾛｰﾊﾞﾙ");
    const char* names[] = {"未定義", "未消去", "背景色", "描画前", "4", "7"};
    const int methods[] = {0, 1, 2, 3, 4, 7};
    for (int k = 0; k < 6; ++k) {
        frame.setDisposal(methods[k]);
        EXPECT_EQ(gifengine::ShowFrameRow(frame, 0)[5], names[k]);
        EXPECT_EQ(frame.control[3] & ~0x1C, 0x00);  // other packed bits untouched
    }
    EXPECT_EQ(gifengine::FrameGridHeaders()[9], "ﾌﾙﾊﾟｽ名");
}
