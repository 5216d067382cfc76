// Files written by the engine decode with giflib to exactly what their
// sources decode to.
#include "engine_fixture.h"
#include "giflib_decode.h"

using namespace gifengine::testing;

namespace {

std::vector<DecodedImage> DecodeAll(const std::vector<std::vector<uint8_t>>& sources) {
    std::vector<DecodedImage> images;
    for (const auto& bytes : sources) {
        const DecodedGif decoded = DecodeWithGiflib(bytes);
        EXPECT_TRUE(decoded.ok) << decoded.error;
        images.insert(images.end(), decoded.images.begin(), decoded.images.end());
    }
    return images;
}

std::vector<std::vector<uint8_t>> Sources() {
    // Animated with a global table, disposal, delays and transparency.
    GifBuilder animated;
    animated.screen(40, 30).globalTable(MakePalette(5)).loop(0);
    for (int i = 0; i < 4; ++i) {
        Image image = PatternImage(uint16_t(20 + i), uint16_t(10 + 2 * i), 32, i);
        image.left = uint16_t(3 * i);
        image.top = uint16_t(i);
        image.control = Control{i % 3 + 1, false, i % 2 == 0, 7 + i, uint16_t(4 * i)};
        animated.image(image);
    }
    // Interlaced with a local table, GIF87a without control blocks.
    Image interlaced = PatternImage(33, 17, 64, 5);
    interlaced.interlace = true;
    interlaced.localTable = MakePalette(6, 3);
    const auto interlacedFile = GifBuilder().version("87a").screen(33, 17).image(interlaced).bytes();
    // Mixed local and global tables, 256 colours, a large image.
    Image large = PatternImage(120, 90, 256, 1);
    for (std::size_t k = 0; k < large.pixels.size(); ++k) large.pixels[k] = uint8_t((k * 7919) >> 3);
    Image small = PatternImage(5, 5, 2);
    small.localTable = MakePalette(1, 4);
    small.control = Control{2, true, true, 1, 100};
    const auto mixed = GifBuilder().screen(120, 90).globalTable(MakePalette(8)).image(large).image(small).bytes();
    return {animated.bytes(), interlacedFile, mixed};
}

}  // namespace

TEST_F(EngineTest, WrittenAnimationDecodesLikeItsSources) {
    const auto sources = Sources();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        ASSERT_EQ(load(sources[i], "s" + std::to_string(i) + ".gif"), 0);
    }
    const std::vector<DecodedImage> expected = DecodeAll(sources);
    ASSERT_EQ(engine.frames.count(), int(expected.size()));
    engine.boxes.EdLSWidth = "200";
    engine.boxes.EdLSHeight = "200";

    for (bool withGlobal : {true, false}) {
        if (!withGlobal) engine.ClearGlobalTableUse();
        const std::vector<uint8_t> written = make();
        const DecodedGif decoded = DecodeWithGiflib(written);
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.screenWidth, 200);
        ASSERT_EQ(decoded.images.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k) {
            DecodedImage want = expected[k];
            if (!want.hasControl) {
                // The engine gives such images its default control block.
                want.hasControl = true;
                want.delay = 10;
                want.disposal = 2;
                want.transparentIndex = -1;
            }
            EXPECT_EQ(decoded.images[k], want) << "image " << k << (withGlobal ? " global" : " local");
        }
    }
}

TEST_F(EngineTest, SingleGifsDecodeLikeTheirFrames) {
    const auto sources = Sources();
    ASSERT_EQ(load(sources[0]), 0);
    ASSERT_EQ(load(sources[1], "i.gif"), 0);
    const std::vector<DecodedImage> expected = DecodeAll({sources[0], sources[1]});
    for (int i = 0; i < engine.frames.count(); ++i) {
        const std::string path = folder.file("single" + std::to_string(i) + ".gif");
        ASSERT_EQ(engine.MakeSingleGif(i, path), 1);
        const DecodedGif decoded = DecodeWithGiflib(ReadFile(path));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        ASSERT_EQ(decoded.images.size(), 1u);
        EXPECT_EQ(decoded.screenWidth, expected[std::size_t(i)].width);
        EXPECT_EQ(decoded.images[0].rgb, expected[std::size_t(i)].rgb);
        EXPECT_EQ(decoded.images[0].left, expected[std::size_t(i)].left);
        EXPECT_EQ(decoded.images[0].delay, 0);
    }
}
