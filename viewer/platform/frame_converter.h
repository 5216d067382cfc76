// Turning one exported picture into a numbered GIF frame file.
#pragma once

#include <string>

namespace sorvath {

class FrameConverter {
public:
    virtual ~FrameConverter() = default;
    // Converts the bitmap file into a GIF file; false (and no GIF file left behind)
    // when the bitmap cannot be read or the GIF cannot be written.
    virtual bool convert(const std::string& bitmapPath, const std::string& gifPath) = 0;
};

}  // namespace sorvath
