// Builds GIF files in memory for tests: GIF87a/89a, global and local tables,
// graphic control blocks, comments, NETSCAPE looping blocks, interlaced and
// animated files. Rasters are real LZW data that any decoder reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gifengine::testing {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
};

// A table of 2^(bits) entries with distinct, recognisable colours.
std::vector<Colour> MakePalette(int bits, int seed = 0);

struct Control {
    int disposal = 0;
    bool userInput = false;
    bool transparency = false;
    int transparentIndex = 0;
    uint16_t delay = 0;
};

struct Image {
    uint16_t left = 0, top = 0, width = 1, height = 1;
    bool interlace = false;
    bool sortFlag = false;
    std::vector<Colour> localTable;     // empty: no local table
    std::vector<uint8_t> pixels;        // width * height indices, file (top-down) order
    std::optional<Control> control;     // graphic control extension before the image
    std::vector<std::string> comments;  // comment extensions before the image
};

// LZW data of an image as stored in a file: minimum code size byte, data
// sub-blocks, zero-length terminator.
std::vector<uint8_t> EncodeRaster(const std::vector<uint8_t>& pixels, int minimumCodeSize);
// Pixels in interlaced row order (rows 0,8,..., 4,12,..., 2,6,..., 1,3,...).
std::vector<uint8_t> InterlaceRows(const std::vector<uint8_t>& pixels, int width, int height);

class GifBuilder {
public:
    GifBuilder& version(const std::string& threeChars);  // "87a" or "89a" (default)
    GifBuilder& screen(uint16_t width, uint16_t height);
    GifBuilder& globalTable(std::vector<Colour> table, bool sorted = false);
    GifBuilder& loop(uint16_t count);               // NETSCAPE2.0 block
    GifBuilder& comment(const std::string& bytes);  // comment extension here
    GifBuilder& image(const Image& image);
    GifBuilder& raw(const std::vector<uint8_t>& bytes);  // anything, as is
    GifBuilder& noTrailer();

    std::vector<uint8_t> bytes() const;

private:
    std::string version_ = "89a";
    uint16_t width_ = 1, height_ = 1;
    std::vector<Colour> global_;
    bool globalSorted_ = false;
    std::vector<uint8_t> body_;
    bool trailer_ = true;
};

// A simple image of w x h with pixel (x, y) = (x + y + seed) mod colours.
Image PatternImage(uint16_t width, uint16_t height, int colours, int seed = 0);

// Writes bytes to a file; true on success.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

// A fresh folder under the system temp folder, removed with its contents on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace gifengine::testing
