// Encoding a picture as a single-image GIF file with giflib. A picture of at most
// 256 colours gets the exact colour table of the colours it contains (in order of
// first appearance, padded to a power of two), so the file decodes to exactly its
// pixels; only a picture with more colours is quantised (median cut, no dithering).
#pragma once

#include "viewer/platform/frame_converter.h"

#include <QImage>
#include <QRgb>

#include <optional>
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

// The bytes of the GIF file; std::nullopt for an empty picture or one too large for GIF.
std::optional<std::string> encodeGif(const QImage& image);

// The pixels of a picture in QImage::Format_RGB32 (or ARGB32), borrowed from it.
FramePixels framePixels(const QImage& image);
// The borrowed pixels as a QImage over the same memory (no copy).
QImage imageOf(const FramePixels& picture);

class GifFrameConverter : public FrameConverter {
public:
    std::optional<std::string> convert(const FramePixels& picture) override { return encodeGif(imageOf(picture)); }
};

}  // namespace sorvath
