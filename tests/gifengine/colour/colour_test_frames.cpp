#include "colour_test_frames.h"

#include <algorithm>

namespace gifengine::colour::testing {

using gifengine::GifFrameRecord;

std::vector<uint8_t> RasterOf(const std::vector<uint8_t>& indices, int minimumCodeSize) {
    const int clear = 1 << minimumCodeSize;
    const int codeBits = minimumCodeSize + 1;
    std::vector<uint8_t> packed;
    uint32_t bits = 0;
    int filled = 0;
    auto put = [&](int code) {
        bits |= uint32_t(code) << filled;
        filled += codeBits;
        while (filled >= 8) {
            packed.push_back(uint8_t(bits));
            bits >>= 8;
            filled -= 8;
        }
    };
    for (uint8_t index : indices) {
        put(clear);
        put(index);
    }
    put(clear + 1);  // end of information
    if (filled > 0) packed.push_back(uint8_t(bits));

    std::vector<uint8_t> raster{uint8_t(minimumCodeSize)};
    for (std::size_t done = 0; done < packed.size();) {
        const std::size_t part = std::min<std::size_t>(255, packed.size() - done);
        raster.push_back(uint8_t(part));
        raster.insert(raster.end(), packed.begin() + long(done), packed.begin() + long(done + part));
        done += part;
    }
    raster.push_back(0);
    return raster;
}

std::unique_ptr<GifFrameRecord> MakeFrame(int sizeBits, int transparentIndex,
                                          std::initializer_list<std::pair<int, int32_t>> colours,
                                          const std::string& path) {
    auto frame = std::make_unique<GifFrameRecord>();
    frame->descriptor.packed = uint8_t(0x80 | sizeBits);
    frame->descriptor.width = 2;
    frame->descriptor.height = 2;
    frame->setTransparentIndex(transparentIndex);
    const int count = frame->tableEntryCount();
    for (int k = 0; k < count; ++k) frame->colourTable[std::size_t(k)] = gifengine::RgbFromValue(k * 0x010101);
    for (const auto& [k, value] : colours) frame->colourTable[std::size_t(k)] = gifengine::RgbFromValue(value);
    const int minimumCodeSize = std::max(2, sizeBits + 1);
    frame->raster = RasterOf({0, 1, uint8_t(count - 1), 1}, minimumCodeSize);
    frame->rasterLength = int32_t(frame->raster.size());
    frame->setPath(path);
    frame->imageNumber = 1;
    return frame;
}

void Append(gifengine::FrameList& frames, std::unique_ptr<GifFrameRecord> frame) {
    frames.cursor.currentRow = frames.count() + 1;
    frames.InsertFrame(std::move(frame));
}

void SelectRows(gifengine::FrameList& frames, int top, int bottom) {
    frames.cursor = gifengine::GridCursor{top, top, bottom};
}

}  // namespace gifengine::colour::testing
