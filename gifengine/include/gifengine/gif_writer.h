// The byte layouts of the written files, assembled straight from the frame
// records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gifengine/frame_list.h"
#include "gifengine/global_colour_table.h"

namespace gifengine {

// Receives the bytes of a file as they are assembled.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Put(const uint8_t* data, std::size_t size) = 0;
    void Put(std::initializer_list<uint8_t> bytes) { Put(bytes.begin(), bytes.size()); }
};

class VectorSink final : public ByteSink {
public:
    void Put(const uint8_t* data, std::size_t size) override { bytes.insert(bytes.end(), data, data + size); }
    using ByteSink::Put;
    std::vector<uint8_t> bytes;
};

// Values one animated file is written with.
struct AnimationLayout {
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    int32_t loop = 0;      // plays: 0 for ever, 1 once, N >= 2 writes N - 1
    int globalFrame = -1;  // first frame using the global table, -1 none
    const GlobalColourTable* global = nullptr;
    std::string_view comment;  // animation comment bytes, may be empty
};

void WriteAnimatedLayout(ByteSink& sink, const FrameList& frames, const AnimationLayout& layout);
// Exact length WriteAnimatedLayout produces.
int64_t AnimatedLayoutSize(const FrameList& frames, const AnimationLayout& layout);
// One frame as a one-image file: its own size as screen, its table as global table.
void WriteSingleLayout(ByteSink& sink, const GifFrameRecord& frame);

}  // namespace gifengine
