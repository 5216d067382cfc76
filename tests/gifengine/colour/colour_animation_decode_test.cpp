// The generated animation, written by the engine's writer, read back with
// giflib: every image keeps the source's pixel indices and carries the
// interpolated colours.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

#include "colour_test_frames.h"
#include "gifengine/colour/colour_animation.h"
#include "gifengine/gif_writer.h"

using namespace gifengine::colour;
using namespace gifengine::colour::testing;
using gifengine::Rgb;

namespace {

struct MemoryInput {
    const std::vector<uint8_t>* bytes;
    std::size_t position = 0;
};

int ReadMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* input = static_cast<MemoryInput*>(gif->UserData);
    const std::size_t left = input->bytes->size() - input->position;
    const std::size_t n = std::min<std::size_t>(left, std::size_t(length));
    std::memcpy(out, input->bytes->data() + input->position, n);
    input->position += n;
    return int(n);
}

}  // namespace

TEST(ColourAnimationDecode, WrittenAnimationDecodesToSourceIndicesAndPhaseColours) {
    gifengine::FrameList frames;
    auto source = MakeFrame(1, 0, {{0, 0x000000}, {1, 0xFF0000}, {2, 0x336699}, {3, 0x00FF80}});
    source->descriptor.width = 2;
    source->descriptor.height = 2;
    const std::vector<uint8_t> indices{0, 1, 3, 2};
    source->raster = RasterOf(indices, 2);
    source->rasterLength = int32_t(source->raster.size());
    Append(frames, std::move(source));

    ColourAnimationWork work(frames[0], 0);
    work.lastColours[1] = Rgb{0, 0, 0};
    work.lastColours[3] = Rgb{0xFF, 0x00, 0x00};
    work.lastColours[0] = Rgb{0, 255, 0};
    ASSERT_TRUE(GenerateColourTableAnimation(frames, work, {4, true, true}));
    ASSERT_EQ(frames.count(), 6);

    gifengine::VectorSink sink;
    gifengine::AnimationLayout layout;
    layout.screenWidth = 2;
    layout.screenHeight = 2;
    gifengine::WriteAnimatedLayout(sink, frames, layout);

    MemoryInput input{&sink.bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadMemory, &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    ASSERT_EQ(gif->ImageCount, 6);

    const int reds1[] = {255, 171, 86, 0, 86, 171};    // entry 1: FF0000 -> 000000
    const int greens0[] = {0, 85, 170, 255, 170, 85};  // entry 0: 000000 -> 00FF00
    const int greens3[] = {255, 171, 86, 0, 86, 171};  // entry 3: 00FF80 -> FF0000
    const int reds3[] = {0, 85, 170, 255, 170, 85};
    const int blues3[] = {128, 86, 44, 0, 44, 86};
    for (int j = 0; j < 6; ++j) {
        SCOPED_TRACE(j);
        const SavedImage& image = gif->SavedImages[j];
        ASSERT_NE(image.ImageDesc.ColorMap, nullptr);
        ASSERT_EQ(image.ImageDesc.ColorMap->ColorCount, 4);
        ASSERT_EQ(image.ImageDesc.Width * image.ImageDesc.Height, 4);
        EXPECT_EQ(std::vector<uint8_t>(image.RasterBits, image.RasterBits + 4), indices);
        const GifColorType* map = image.ImageDesc.ColorMap->Colors;
        EXPECT_EQ(map[1].Red, reds1[j]);
        EXPECT_EQ(map[1].Green, 0);
        EXPECT_EQ(map[0].Green, greens0[j]);
        EXPECT_EQ(map[3].Red, reds3[j]);
        EXPECT_EQ(map[3].Green, greens3[j]);
        EXPECT_EQ(map[3].Blue, blues3[j]);
        EXPECT_EQ(map[2].Red, 0x33);
        EXPECT_EQ(map[2].Green, 0x66);
        EXPECT_EQ(map[2].Blue, 0x99);
    }
    DGifCloseFile(gif, &error);
}
