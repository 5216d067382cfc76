// Writing a picture as a single-image GIF file with giflib. A picture of at most
// 256 colours gets the exact colour table of the colours it contains (in order of
// first appearance, padded to a power of two), so the file decodes to exactly its
// pixels; only a picture with more colours is quantised (median cut, no dithering).
#pragma once

#include "viewer/platform/frame_converter.h"

#include <QImage>
#include <QRgb>

#include <string>
#include <vector>

namespace sorvath {

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<QRgb> colours;          // the colour table, 2 .. 256 entries (a power of two)
    std::vector<unsigned char> pixels;  // one index per pixel, row by row
    bool exact = true;                  // false when the picture had to be quantised
};

IndexedPicture indexPicture(const QImage& image);

// False (and no file left behind) when the file cannot be written.
bool writeGifFile(const QImage& image, const std::string& path);

// Reads a bitmap (any format Qt reads) and writes it with writeGifFile.
class GifFrameConverter : public FrameConverter {
public:
    bool convert(const std::string& bitmapPath, const std::string& gifPath) override;
    // Writes the picture itself: a bitmap holds exactly its pixels, so the GIF is the same.
    bool convertSaved(const QImage& picture, const std::string& bitmapPath, const std::string& gifPath) override;
};

}  // namespace sorvath
