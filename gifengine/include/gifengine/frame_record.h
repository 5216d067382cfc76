// One frame of the animation being assembled: an image split out of a GIF
// file, with its compressed raster copied byte for byte, its colour table,
// its placement and its graphic control values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gifengine {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
static_assert(sizeof(Rgb) == 3, "colour tables are compared as packed RGB bytes");

// 256 RGB entries; a table of 2^(n+1) entries uses the first ones only.
using ColourTable = std::array<Rgb, 256>;

// Colour value R x 65536 + G x 256 + B; -1 stands for no colour.
inline int32_t ColourValue(const Rgb& c) { return (int32_t(c.r) << 16) | (int32_t(c.g) << 8) | int32_t(c.b); }
inline Rgb RgbFromValue(int32_t v) { return Rgb{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}; }
// Six upper-case hexadecimal digits RRGGBB.
std::string ColourHex(int32_t value);

// Graphic control extension in its GIF byte layout:
// 21 F9 04, packed, delay (u16 LE), transparent index, 00.
using ControlBlock = std::array<uint8_t, 8>;
// The block an image without a graphic control extension gets: disposal 2
// (restore to background), delay 10, transparency off, index 0.
inline constexpr ControlBlock kDefaultControlBlock{0x21, 0xF9, 0x04, 0x08, 10, 0, 0, 0x00};

struct ImageDescriptor {
    uint8_t separator = 0x2C;
    uint16_t left = 0;
    uint16_t top = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    // bit 7 local table, bit 6 interlace, bit 5 sort, bits 3-4 reserved, bits 0-2 size n
    uint8_t packed = 0x80;
};

inline constexpr std::size_t kPathCapacity = 512;  // 511 characters plus NUL

struct GifFrameRecord {
    std::vector<uint8_t> raster;             // LZW minimum code size, data sub-blocks, terminator
    int32_t rasterLength = 0;                // byte count of raster
    std::array<char, kPathCapacity> path{};  // source file, NUL-terminated, cut at 511
    std::size_t nameOffset = 0;              // start of the final path component within path
    int32_t imageNumber = 0;                 // 1-based position of the image in its file
    ControlBlock control = kDefaultControlBlock;
    ImageDescriptor descriptor;
    bool usesGlobalTable = false;  // table equals the global table: written without local table
    ColourTable colourTable{};

    // The file's own name: the final component of path (a view into path).
    std::string_view name() const;
    std::string_view pathText() const;
    // Stores a path cut to 511 bytes and points name at its final component.
    void setPath(std::string_view fullPath);
    // Replaces path with a text that is not a file path (name = its last word).
    void setPathAndName(std::string_view text, std::size_t nameStart);

    int sizeBits() const { return descriptor.packed & 7; }
    int tableEntryCount() const { return 2 << sizeBits(); }  // 2^(n+1)
    bool interlaced() const { return (descriptor.packed & 0x40) != 0; }

    uint16_t delay() const { return uint16_t(control[4] | (control[5] << 8)); }
    void setDelay(uint16_t hundredths) {
        control[4] = uint8_t(hundredths);
        control[5] = uint8_t(hundredths >> 8);
    }
    int disposal() const { return (control[3] >> 2) & 7; }
    void setDisposal(int method) { control[3] = uint8_t((control[3] & ~0x1C) | ((method & 7) << 2)); }
    bool transparencyOn() const { return (control[3] & 1) != 0; }
    void setTransparencyOn(bool on) { control[3] = uint8_t((control[3] & ~1) | (on ? 1 : 0)); }
    int transparentIndex() const { return control[6]; }
    void setTransparentIndex(int index) { control[6] = uint8_t(index); }
};

// True when the frame's 2^(n+1) equals count and its first count entries equal
// those of table, byte for byte.
bool TableMatches(const GifFrameRecord& frame, int count, const ColourTable& table);

}  // namespace gifengine
