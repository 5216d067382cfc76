// Reading the images of a GIF file as they are stored, without decoding them.
#pragma once

#include <string>

struct GifFileType;

namespace sorvath {

// Walks the images of a GIF file in file order. An image's raster is its compressed
// data as stored: the LZW minimum code size, then the data sub-blocks with their
// length bytes, up to and with the block terminator.
class GifRasterScanner {
public:
    // Only a regular file is opened: a FIFO or a device is refused without waiting.
    explicit GifRasterScanner(const std::string& path);
    ~GifRasterScanner();
    GifRasterScanner(const GifRasterScanner&) = delete;
    GifRasterScanner& operator=(const GifRasterScanner&) = delete;

    // The next image's raster; false at the trailer, or when the file cannot be read
    // or is not a whole GIF file (then problem() says so).
    bool next(std::string& raster);
    // Empty while the file reads well.
    const std::string& problem() const { return problem_; }

private:
    void fail();

    std::string path_;
    GifFileType* gif_ = nullptr;
    std::string problem_;
};

}  // namespace sorvath
