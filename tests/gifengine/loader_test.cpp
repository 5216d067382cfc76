#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

#include "engine_fixture.h"
#include "gifengine/gif_scanner.h"

using namespace gifengine::testing;
using gifengine::GifFrameRecord;
namespace text = gifengine::text;

namespace {

std::vector<uint8_t> OneImageWithGlobal(const std::string& version = "89a") {
    return GifBuilder()
        .version(version)
        .screen(30, 20)
        .globalTable(MakePalette(3))
        .image(PatternImage(10, 10, 8))
        .bytes();
}

bool SameEntries(const GifFrameRecord& frame, const gifengine::GlobalColourTable& global) {
    return TableMatches(frame, global.globalCount, global.entries);
}

}  // namespace

TEST_F(EngineTest, FirstFileIntoEmptyListFillsBoxesAndGlobalTable) {
    ASSERT_EQ(load(OneImageWithGlobal()), 0);
    ASSERT_EQ(engine.frames.count(), 1);
    const GifFrameRecord& frame = engine.frames[0];
    EXPECT_TRUE(frame.usesGlobalTable);
    EXPECT_EQ(engine.global.globalCount, 8);
    EXPECT_TRUE(SameEntries(frame, engine.global));
    EXPECT_EQ(frame.descriptor.packed & 0x87, 0x82);  // own table of 8 entries
    EXPECT_EQ(engine.boxes.EdLSWidth, "30");
    EXPECT_EQ(engine.boxes.EdLSHeight, "20");
    EXPECT_EQ(engine.boxes.EdIteration, "0");
    EXPECT_EQ(frame.name(), "a.gif");
    EXPECT_EQ(frame.imageNumber, 1);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(EngineTest, AnyVersionTextLoads) {
    for (const std::string version : {"87a", "89a", "xyz"}) {
        engine.clearFrames();
        EXPECT_EQ(load(OneImageWithGlobal(version)), 0) << version;
        EXPECT_EQ(engine.frames.count(), 1) << version;
    }
}

TEST_F(EngineTest, LaterFileIsGlobalOnlyWhenItsTableMatchesInSizeAndEntries) {
    ASSERT_EQ(load(OneImageWithGlobal()), 0);
    engine.boxes.EdLSWidth = "99";
    ASSERT_EQ(load(OneImageWithGlobal(), "same.gif"), 0);
    // Other colours of the same size, and the same first colours in a bigger table.
    std::vector<Colour> other = MakePalette(3, 7);
    std::vector<Colour> bigger = MakePalette(3);
    bigger.resize(16);
    ASSERT_EQ(load(GifBuilder().screen(10, 10).globalTable(other).image(PatternImage(4, 4, 8)).bytes(), "o.gif"), 0);
    ASSERT_EQ(load(GifBuilder().screen(10, 10).globalTable(bigger).image(PatternImage(4, 4, 8)).bytes(), "b.gif"), 0);
    ASSERT_EQ(engine.frames.count(), 4);
    // Each added before the current row, which is the empty row: list order.
    EXPECT_TRUE(engine.frames[1].usesGlobalTable);
    EXPECT_FALSE(engine.frames[2].usesGlobalTable);
    EXPECT_FALSE(engine.frames[3].usesGlobalTable);
    EXPECT_EQ(engine.global.globalCount, 8);
    EXPECT_EQ(engine.boxes.EdLSWidth, "99");  // boxes only filled for an empty list
}

TEST_F(EngineTest, LocalTableStaysLocalInEmptyListEvenWhenEqualToGlobal) {
    Image image = PatternImage(4, 4, 8);
    image.localTable = MakePalette(3);
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(3)).image(image).bytes()), 0);
    EXPECT_FALSE(engine.frames[0].usesGlobalTable);
    EXPECT_EQ(engine.global.globalCount, 8);
    // A second load into the non-empty list compares tables, so the same file is global now.
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(3)).image(image).bytes(), "b.gif"), 0);
    EXPECT_TRUE(engine.frames[1].usesGlobalTable);
}

TEST_F(EngineTest, ImageWithoutControlGetsDefaultBlock) {
    ASSERT_EQ(load(OneImageWithGlobal()), 0);
    const GifFrameRecord& frame = engine.frames[0];
    EXPECT_EQ(frame.delay(), 10);
    EXPECT_EQ(frame.disposal(), 2);
    EXPECT_FALSE(frame.transparencyOn());
    EXPECT_EQ(frame.control, (gifengine::ControlBlock{0x21, 0xF9, 0x04, 0x08, 0x0A, 0x00, 0x00, 0x00}));
}

TEST_F(EngineTest, AnimatedFileBecomesOneFramePerImageWithItsOwnValues) {
    GifBuilder builder;
    builder.screen(50, 50).globalTable(MakePalette(4));
    for (int i = 0; i < 5; ++i) {
        Image image = PatternImage(uint16_t(5 + i), 6, 16, i);
        image.left = uint16_t(i * 3);
        image.top = uint16_t(i);
        image.control = Control{i % 4, false, i % 2 == 1, i + 2, uint16_t(100 + i)};
        builder.image(image);
    }
    ASSERT_EQ(load(builder.bytes()), 0);
    ASSERT_EQ(engine.frames.count(), 5);
    for (int i = 0; i < 5; ++i) {
        const GifFrameRecord& frame = engine.frames[i];
        EXPECT_EQ(frame.imageNumber, i + 1);
        EXPECT_EQ(frame.delay(), 100 + i);
        EXPECT_EQ(frame.disposal(), i % 4);
        EXPECT_EQ(frame.transparencyOn(), i % 2 == 1);
        EXPECT_EQ(frame.transparentIndex(), i + 2);
        EXPECT_EQ(frame.descriptor.left, i * 3);
        EXPECT_EQ(frame.descriptor.top, i);
        EXPECT_EQ(frame.descriptor.width, 5 + i);
    }
}

TEST_F(EngineTest, LoopCountOfNetscapeBlockGoesToIterationBox) {
    const std::pair<std::optional<uint16_t>, std::string> cases[] = {{0, "0"}, {3, "3"}, {std::nullopt, "0"}, {5, "5"}};
    for (const auto& [count, shown] : cases) {
        engine.clearFrames();
        GifBuilder builder;
        builder.globalTable(MakePalette(2));
        if (count) builder.loop(*count);
        builder.image(PatternImage(2, 2, 4)).image(PatternImage(2, 2, 4));
        ASSERT_EQ(load(builder.bytes()), 0);
        EXPECT_EQ(engine.boxes.EdIteration, shown);
    }
}

TEST_F(EngineTest, ApplicationBlockWithOtherIdentifierGivesNoLoopCount) {
    const std::vector<uint8_t> other{0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                                     'X',  '2',  '.',  '0', 0x03, 0x01, 0x05, 0x00, 0x00};
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(2)).raw(other).image(PatternImage(2, 2, 4)).bytes()), 0);
    EXPECT_EQ(engine.boxes.EdIteration, "0");
    EXPECT_TRUE(engine.scanner().state.applicationPresent);
}

TEST_F(EngineTest, CommentsTakenOverOnlyIntoEmptyListAndNeverTheSignature) {
    Image image = PatternImage(2, 2, 4);
    image.comments = {std::string(text::kSignatureComment)};
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(2)).image(image).bytes()), 0);
    EXPECT_EQ(engine.animationComment, "");

    engine.clearFrames();
    image.comments = {std::string("\x83\x65\x83\x58\x00\x74", 6)};  // zero byte left out
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(2)).image(image).bytes()), 0);
    EXPECT_EQ(engine.animationComment, "\x83\x65\x83\x58t");

    image.comments = {"later"};
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(2)).image(image).bytes(), "b.gif"), 0);
    EXPECT_EQ(engine.animationComment, "\x83\x65\x83\x58t");

    // A comment after the last image is read but never reaches the animation.
    engine.clearFrames();
    ASSERT_EQ(load(GifBuilder().globalTable(MakePalette(2)).image(PatternImage(2, 2, 4)).comment("tail").bytes()), 0);
    EXPECT_EQ(engine.animationComment, "");
    EXPECT_EQ(engine.foundComment(), "tail");
}

TEST_F(EngineTest, TruncatedFilesKeepWholeImagesBeforeTheDamage) {
    const std::vector<uint8_t> whole = AnimatedWithGlobal(3, 16, 16);
    // Cut inside the third image's raster: two frames, no message.
    std::vector<uint8_t> cut(whole.begin(), whole.end() - 12);
    ASSERT_EQ(load(cut), 0);
    EXPECT_EQ(engine.frames.count(), 2);
    EXPECT_TRUE(reporter.messages.empty());

    // Cut inside the first image: the error message and no frame.
    engine.clearFrames();
    const std::size_t firstImageStart = 13 + 48 + 8 + 5;
    std::vector<uint8_t> early(whole.begin(), whole.begin() + long(firstImageStart));
    ASSERT_EQ(load(early, "early.gif"), -1);
    EXPECT_EQ(engine.frames.count(), 0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "エラー");
    EXPECT_EQ(reporter.messages[0].text, "ファイル " + folder.file("early.gif") + " に誤りがあります");
}

TEST_F(EngineTest, MalformedBlocksEndTheScan) {
    const auto head = GifBuilder().globalTable(MakePalette(2)).noTrailer();
    const std::vector<std::vector<uint8_t>> tails{
        {0x21, 0xF9, 0x05, 0, 0, 0, 0, 0, 0},  // graphic control size not 4
        {0x21, 0xFF, 0x0A, 0},                 // application size not 11
        {0x00},                                // unknown byte
        {0x3B},                                // trailer before any image
        {0x21, 0xFE, 0x05, 'a'},               // end of file inside a comment
    };
    for (const auto& tail : tails) {
        reporter.messages.clear();
        EXPECT_EQ(load(GifBuilder(head).raw(tail).bytes()), -1);
        EXPECT_EQ(engine.frames.count(), 0);
        EXPECT_EQ(reporter.messages.size(), 1u);
    }
    // The same after a good image: the image stays, nothing is said.
    reporter.messages.clear();
    EXPECT_EQ(load(GifBuilder(head).image(PatternImage(2, 2, 4)).raw({0x21, 0xF9, 0x07}).bytes()), 0);
    EXPECT_EQ(engine.frames.count(), 1);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(EngineTest, PlainTextAndUnknownExtensionsAreSkipped) {
    const std::vector<uint8_t> plainText{0x21, 0x01, 0x0C, 0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0, 0x02, 'h', 'i', 0x00};
    const std::vector<uint8_t> unknown{0x21, 0x99, 0x03, 1, 2, 3, 0x00};
    ASSERT_EQ(
        load(GifBuilder().globalTable(MakePalette(2)).raw(plainText).raw(unknown).image(PatternImage(2, 2, 4)).bytes()),
        0);
    EXPECT_EQ(engine.frames.count(), 1);
}

TEST_F(EngineTest, UnreadableAndForeignFilesAreRefusedWithTheirMessages) {
    const std::string fifo = folder.file("pipe.gif");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // What the reader says first; the loader then says the file cannot be opened.
    const std::pair<std::string, std::string> unreadable[] = {
        {folder.file("missing.gif"), "ファイルがオープンできません"},
        {folder.path(), "ファイル読込中にエラーが発生しました"},  // a folder opens but cannot be read
        {fifo, "ファイルがオープンできません"},                   // nothing is waited for
    };
    for (const auto& [path, readerText] : unreadable) {
        SCOPED_TRACE(path);
        reporter.messages.clear();
        auto loading = std::async(std::launch::async, [&, path = path] { return engine.LoadGifFile(path); });
        if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the load waits for a writer";
            ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // lets it go
        }
        EXPECT_EQ(loading.get(), -1);
        ASSERT_EQ(reporter.messages.size(), 2u);
        EXPECT_EQ(reporter.messages[0].caption, "CopyAllFileToMemory()");
        EXPECT_EQ(reporter.messages[0].text, readerText);
        EXPECT_EQ(reporter.messages[1].caption, "エラー");
        EXPECT_EQ(reporter.messages[1].text, "ファイル " + path + " がオープンできません");
    }

    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'G', 'I'}, std::vector<uint8_t>{'P', 'N', 'G', 1, 2, 3}}) {
        reporter.messages.clear();
        EXPECT_EQ(load(bytes, "x.gif"), -1);
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, folder.file("x.gif") + " は、GIFファイルではありません");
    }
    EXPECT_EQ(engine.frames.count(), 0);
}

TEST_F(EngineTest, FailedLoadLeavesListTableAndBoxes) {
    ASSERT_EQ(load(OneImageWithGlobal()), 0);
    const auto boxes = engine.boxes;
    const auto count = engine.global.globalCount;
    EXPECT_EQ(load({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0}, "bad.gif"), -1);
    EXPECT_EQ(engine.frames.count(), 1);
    EXPECT_EQ(engine.boxes.EdLSWidth, boxes.EdLSWidth);
    EXPECT_EQ(engine.global.globalCount, count);
}

TEST_F(EngineTest, LongPathIsCutTo511Characters) {
    std::string path = "/";
    while (path.size() < 600) path += "d/";
    path += "image.gif";
    ASSERT_EQ(engine.LoadGifBytes(path, OneImageWithGlobal()), 0);
    const GifFrameRecord& frame = engine.frames[0];
    EXPECT_EQ(frame.pathText(), path.substr(0, 511));
    EXPECT_EQ(frame.pathText().size(), 511u);
    EXPECT_EQ(frame.name(), frame.pathText().substr(frame.pathText().find_last_of('/') + 1));
}

TEST_F(EngineTest, InterlacedImageKeepsFlagAndRasterBytes) {
    Image image = PatternImage(9, 11, 8);
    image.interlace = true;
    const std::vector<uint8_t> bytes = GifBuilder().globalTable(MakePalette(3)).image(image).bytes();
    ASSERT_EQ(load(bytes), 0);
    const GifFrameRecord& frame = engine.frames[0];
    EXPECT_TRUE(frame.interlaced());
    // Raster = everything between the descriptor and the trailer.
    const std::size_t start = 13 + 24 + 10;
    const std::vector<uint8_t> expected(bytes.begin() + long(start), bytes.end() - 1);
    EXPECT_EQ(frame.raster, expected);
    EXPECT_EQ(frame.rasterLength, int(expected.size()));
}

TEST_F(EngineTest, ImageWithoutAnyTableGetsClearedLocalTable) {
    // First a file with a table, so stale contents would show.
    ASSERT_EQ(load(OneImageWithGlobal()), 0);
    std::vector<uint8_t> bare = GifBuilder().screen(4, 4).image(PatternImage(4, 4, 4)).bytes();
    bare[10] = 0x01;  // no global table, size bits 1: 4 entries
    ASSERT_EQ(load(bare, "bare.gif"), 0);
    const GifFrameRecord& frame = engine.frames[1];
    EXPECT_EQ(frame.tableEntryCount(), 4);
    EXPECT_FALSE(frame.usesGlobalTable);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(frame.colourTable[std::size_t(k)], gifengine::Rgb{});
}

TEST_F(EngineTest, ImagesGoInBeforeTheCurrentFrameWhichStaysCurrent) {
    ASSERT_EQ(load(AnimatedWithGlobal(3, 4, 4)), 0);
    engine.frames.cursor = gifengine::GridCursor{2, 2, 2};
    ASSERT_EQ(load(AnimatedWithGlobal(2, 4, 4), "new.gif"), 0);
    ASSERT_EQ(engine.frames.count(), 5);
    EXPECT_EQ(engine.frames[1].name(), "new.gif");
    EXPECT_EQ(engine.frames[1].imageNumber, 1);
    EXPECT_EQ(engine.frames[2].imageNumber, 2);
    EXPECT_EQ(engine.frames[3].name(), "a.gif");
    EXPECT_EQ(engine.frames[3].imageNumber, 2);
    EXPECT_EQ(engine.frames.cursor.currentRow, 4);  // the old frame 2
}

// Whatever is offered beyond the list's 1000 frames is left out with one message
// that says how many images were: the rest of a file, and whole files after it.
TEST_F(EngineTest, ImagesBeyondTheCapacityAreCountedInOneMessage) {
    struct Offer {
        const char* name;
        int framesBefore;
        std::vector<int> imagesPerFile;
        int added;
    };
    const Offer offers[] = {
        {"the rest of one file", 990, {15}, 10},
        {"files after the list is full", 995, std::vector<int>(20, 1), 5},
        {"a full list", 1000, {10, 3}, 0},
        {"everything fits", 990, {4, 6}, 10},
    };
    const std::vector<uint8_t> ten = AnimatedWithGlobal(10, 2, 2, 1);
    for (const Offer& offer : offers) {
        SCOPED_TRACE(offer.name);
        engine.clearFrames();
        while (engine.frames.count() < offer.framesBefore) ASSERT_EQ(engine.LoadGifBytes("/f.gif", ten), 0);
        while (engine.frames.count() > offer.framesBefore) engine.frames.DeleteFrame(0);
        std::vector<std::string> paths;
        int offered = 0;
        for (const int images : offer.imagesPerFile) {
            paths.push_back(folder.file("g" + std::to_string(paths.size()) + ".gif"));
            ASSERT_TRUE(WriteFile(paths.back(), AnimatedWithGlobal(images, 2, 2, 1)));
            offered += images;
        }
        reporter.messages.clear();
        engine.LoadGifFiles(paths);
        EXPECT_EQ(engine.frames.count(), offer.framesBefore + offer.added);
        if (offered == offer.added) {
            EXPECT_TRUE(reporter.messages.empty());
            continue;
        }
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
        EXPECT_EQ(reporter.messages[0].text, "画像リストの上限(1000)に達したため、" +
                                                 std::to_string(offered - offer.added) +
                                                 "個の画像を追加できませんでした");
    }
    EXPECT_EQ(engine.LoadGifBytes("/h.gif", ten), -1);
}
