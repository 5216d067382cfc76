#include "gif_builder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace gifengine::testing {

std::vector<Colour> MakePalette(int bits, int seed) {
    std::vector<Colour> table(std::size_t(1) << bits);
    for (std::size_t k = 0; k < table.size(); ++k) {
        const auto v = uint32_t(k * 2654435761u + uint32_t(seed) * 40503u);
        table[k] = Colour{uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(k)};
    }
    return table;
}

namespace {

class BitWriter {
public:
    void put(int code, int width) {
        accumulator_ |= uint32_t(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            bytes.push_back(uint8_t(accumulator_));
            accumulator_ >>= 8;
            bits_ -= 8;
        }
    }
    void finish() {
        if (bits_ > 0) bytes.push_back(uint8_t(accumulator_));
        accumulator_ = 0;
        bits_ = 0;
    }
    std::vector<uint8_t> bytes;

private:
    uint32_t accumulator_ = 0;
    int bits_ = 0;
};

int BitsFor(std::size_t entries) {
    int bits = 1;
    while ((std::size_t(1) << bits) < entries) ++bits;
    return bits;
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutTable(std::vector<uint8_t>& out, const std::vector<Colour>& table) {
    for (const Colour& c : table) {
        out.push_back(c.r);
        out.push_back(c.g);
        out.push_back(c.b);
    }
}

void PutSubBlocks(std::vector<uint8_t>& out, const uint8_t* data, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const std::size_t part = std::min<std::size_t>(255, size - done);
        out.push_back(uint8_t(part));
        out.insert(out.end(), data + done, data + done + part);
        done += part;
    }
    out.push_back(0);
}

}  // namespace

std::vector<uint8_t> EncodeRaster(const std::vector<uint8_t>& pixels, int minimumCodeSize) {
    const int clear = 1 << minimumCodeSize;
    const int endOfInformation = clear + 1;
    int width = minimumCodeSize + 1;
    int next = endOfInformation + 1;
    std::unordered_map<uint32_t, int> dictionary;
    BitWriter writer;
    auto emit = [&](int code) {
        writer.put(code, width);
        if (next >= (1 << width) && width < 12) ++width;
    };
    writer.put(clear, width);
    if (!pixels.empty()) {
        int prefix = pixels[0];
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            const uint32_t key = (uint32_t(prefix) << 8) | pixels[i];
            const auto found = dictionary.find(key);
            if (found != dictionary.end()) {
                prefix = found->second;
                continue;
            }
            emit(prefix);
            if (next < 4096) {
                dictionary.emplace(key, next++);
            } else {
                writer.put(clear, width);
                dictionary.clear();
                width = minimumCodeSize + 1;
                next = endOfInformation + 1;
            }
            prefix = pixels[i];
        }
        emit(prefix);
    }
    writer.put(endOfInformation, width);
    writer.finish();
    std::vector<uint8_t> out{uint8_t(minimumCodeSize)};
    PutSubBlocks(out, writer.bytes.data(), writer.bytes.size());
    return out;
}

std::vector<uint8_t> InterlaceRows(const std::vector<uint8_t>& pixels, int width, int height) {
    std::vector<uint8_t> out;
    out.reserve(pixels.size());
    static constexpr int starts[] = {0, 4, 2, 1};
    static constexpr int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = starts[pass]; y < height; y += steps[pass]) {
            out.insert(out.end(), pixels.begin() + y * width, pixels.begin() + (y + 1) * width);
        }
    }
    return out;
}

GifBuilder& GifBuilder::version(const std::string& threeChars) {
    version_ = threeChars;
    return *this;
}

GifBuilder& GifBuilder::screen(uint16_t width, uint16_t height) {
    width_ = width;
    height_ = height;
    return *this;
}

GifBuilder& GifBuilder::globalTable(std::vector<Colour> table, bool sorted) {
    global_ = std::move(table);
    globalSorted_ = sorted;
    return *this;
}

GifBuilder& GifBuilder::loop(uint16_t count) {
    const uint8_t block[] = {0x21,
                             0xFF,
                             0x0B,
                             'N',
                             'E',
                             'T',
                             'S',
                             'C',
                             'A',
                             'P',
                             'E',
                             '2',
                             '.',
                             '0',
                             0x03,
                             0x01,
                             uint8_t(count),
                             uint8_t(count >> 8),
                             0x00};
    body_.insert(body_.end(), std::begin(block), std::end(block));
    return *this;
}

GifBuilder& GifBuilder::comment(const std::string& bytes) {
    body_.push_back(0x21);
    body_.push_back(0xFE);
    PutSubBlocks(body_, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return *this;
}

GifBuilder& GifBuilder::image(const Image& image) {
    for (const std::string& text : image.comments) comment(text);
    if (image.control) {
        const Control& c = *image.control;
        body_.insert(body_.end(), {0x21, 0xF9, 0x04});
        body_.push_back(uint8_t(((c.disposal & 7) << 2) | (c.userInput ? 2 : 0) | (c.transparency ? 1 : 0)));
        PutU16(body_, c.delay);
        body_.push_back(uint8_t(c.transparentIndex));
        body_.push_back(0);
    }
    body_.push_back(0x2C);
    PutU16(body_, image.left);
    PutU16(body_, image.top);
    PutU16(body_, image.width);
    PutU16(body_, image.height);
    const std::size_t colours =
        image.localTable.empty() ? std::max<std::size_t>(global_.size(), 2) : image.localTable.size();
    uint8_t packed = image.interlace ? 0x40 : 0x00;
    if (!image.localTable.empty()) packed |= uint8_t(0x80 | (BitsFor(image.localTable.size()) - 1));
    if (image.sortFlag) packed |= 0x20;
    body_.push_back(packed);
    PutTable(body_, image.localTable);
    const std::vector<uint8_t> ordered =
        image.interlace ? InterlaceRows(image.pixels, image.width, image.height) : image.pixels;
    const std::vector<uint8_t> raster = EncodeRaster(ordered, std::max(2, BitsFor(colours)));
    body_.insert(body_.end(), raster.begin(), raster.end());
    return *this;
}

GifBuilder& GifBuilder::raw(const std::vector<uint8_t>& bytes) {
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::noTrailer() {
    trailer_ = false;
    return *this;
}

std::vector<uint8_t> GifBuilder::bytes() const {
    std::vector<uint8_t> out;
    out.reserve(13 + global_.size() * 3 + body_.size() + 1);
    for (const char c : "GIF" + version_) out.push_back(uint8_t(c));
    PutU16(out, width_);
    PutU16(out, height_);
    uint8_t flags = 0;
    if (!global_.empty()) {
        const int size = BitsFor(global_.size()) - 1;
        flags = uint8_t(0x80 | (size << 4) | (globalSorted_ ? 0x08 : 0) | size);
    }
    out.push_back(flags);
    out.push_back(0);
    out.push_back(0);
    PutTable(out, global_);
    out.insert(out.end(), body_.begin(), body_.end());
    if (trailer_) out.push_back(0x3B);
    return out;
}

Image PatternImage(uint16_t width, uint16_t height, int colours, int seed) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.pixels[std::size_t(y) * width + x] = uint8_t((x + y + seed) % colours);
    }
    return image;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gifengine-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace gifengine::testing
