#include "gifengine/gif_writer.h"

#include <cstring>

#include "gifengine/messages.h"

namespace gifengine {

namespace {

void PutU16(ByteSink& sink, uint16_t value) { sink.Put({uint8_t(value), uint8_t(value >> 8)}); }

// Screen flags for a global table described by a frame's packed byte: the
// colour resolution field repeats the size field.
uint8_t ScreenFlagsFrom(uint8_t packed) {
    const int size = packed & 7;
    const int sort = (packed >> 5) & 1;
    return uint8_t(0x80 + size * 16 + sort * 8 + size);
}

void PutTable(ByteSink& sink, const ColourTable& table, int count) {
    sink.Put(reinterpret_cast<const uint8_t*>(table.data()), std::size_t(count) * 3);
}

bool HasLoopingBlock(const FrameList& frames, const AnimationLayout& layout) {
    return layout.loop != 1 && frames.count() >= 2;
}

int64_t CommentBlockSize(std::size_t n) { return n == 0 ? 0 : int64_t(n + (n + 254) / 255 + 3); }

void PutDescriptorPosition(ByteSink& sink, const ImageDescriptor& d) {
    sink.Put({0x2C});
    PutU16(sink, d.left);
    PutU16(sink, d.top);
    PutU16(sink, d.width);
    PutU16(sink, d.height);
}

}  // namespace

void WriteAnimatedLayout(ByteSink& sink, const FrameList& frames, const AnimationLayout& layout) {
    const bool withGlobal = layout.globalFrame >= 0 && layout.global != nullptr;
    sink.Put(reinterpret_cast<const uint8_t*>("GIF89a"), 6);
    PutU16(sink, layout.screenWidth);
    PutU16(sink, layout.screenHeight);
    sink.Put({withGlobal ? ScreenFlagsFrom(frames[layout.globalFrame].descriptor.packed) : uint8_t(0), 0, 0});
    if (withGlobal) PutTable(sink, layout.global->entries, layout.global->globalCount);

    if (HasLoopingBlock(frames, layout)) {
        const uint16_t repeat = layout.loop >= 2 ? uint16_t(layout.loop - 1) : uint16_t(0);
        sink.Put({0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01});
        PutU16(sink, repeat);
        sink.Put({0x00});
    }

    if (!layout.comment.empty()) {
        sink.Put({0x21, 0xFE});
        const auto* bytes = reinterpret_cast<const uint8_t*>(layout.comment.data());
        for (std::size_t done = 0; done < layout.comment.size();) {
            const std::size_t part = std::min<std::size_t>(255, layout.comment.size() - done);
            sink.Put({uint8_t(part)});
            sink.Put(bytes + done, part);
            done += part;
        }
        sink.Put({0x00});
    }

    sink.Put({0x21, 0xFE, uint8_t(text::kSignatureComment.size())});
    sink.Put(reinterpret_cast<const uint8_t*>(text::kSignatureComment.data()), text::kSignatureComment.size());
    sink.Put({0x00});

    for (int i = 0; i < frames.count(); ++i) {
        const GifFrameRecord& frame = frames[i];
        sink.Put(frame.control.data(), frame.control.size());
        PutDescriptorPosition(sink, frame.descriptor);
        if (frame.usesGlobalTable) {
            sink.Put({uint8_t(frame.descriptor.packed & 0x58)});
        } else {
            sink.Put({frame.descriptor.packed});
            PutTable(sink, frame.colourTable, frame.tableEntryCount());
        }
        sink.Put(frame.raster.data(), std::size_t(frame.rasterLength));
    }
    sink.Put({0x3B});
}

int64_t AnimatedLayoutSize(const FrameList& frames, const AnimationLayout& layout) {
    int64_t size = 13;
    if (layout.globalFrame >= 0 && layout.global != nullptr) size += int64_t(layout.global->globalCount) * 3;
    if (HasLoopingBlock(frames, layout)) size += 19;
    size += CommentBlockSize(layout.comment.size());
    size += int64_t(text::kSignatureComment.size()) + 4;
    for (int i = 0; i < frames.count(); ++i) {
        const GifFrameRecord& frame = frames[i];
        size += 18 + frame.rasterLength;
        if (!frame.usesGlobalTable) size += int64_t(frame.tableEntryCount()) * 3;
    }
    return size + 1;
}

void WriteSingleLayout(ByteSink& sink, const GifFrameRecord& frame) {
    const ImageDescriptor& d = frame.descriptor;
    sink.Put(reinterpret_cast<const uint8_t*>("GIF89a"), 6);
    PutU16(sink, d.width);
    PutU16(sink, d.height);
    sink.Put({ScreenFlagsFrom(d.packed), 0, 0});
    PutTable(sink, frame.colourTable, frame.tableEntryCount());
    ControlBlock control = frame.control;
    control[4] = 0;
    control[5] = 0;
    sink.Put(control.data(), control.size());
    PutDescriptorPosition(sink, d);
    sink.Put({uint8_t(d.packed & 0x58)});
    sink.Put(frame.raster.data(), std::size_t(frame.rasterLength));
    sink.Put({0x3B});
}

}  // namespace gifengine
