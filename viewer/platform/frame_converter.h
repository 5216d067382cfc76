// Turning one exported picture into the bytes of a numbered GIF frame file. The
// picture comes as plain pixels, so the export that calls the converter needs no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sorvath {

// A picture's pixels as 0xffRRGGBB words, row by row; borrowed, not owned.
struct FramePixels {
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    const uint32_t* pixels = nullptr;
};

class FrameConverter {
public:
    virtual ~FrameConverter() = default;
    // The picture as a whole single-image GIF file; std::nullopt when it cannot be converted.
    virtual std::optional<std::string> convert(const FramePixels& picture) = 0;
};

}  // namespace sorvath
