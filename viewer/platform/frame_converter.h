// Turning one exported picture into a numbered GIF frame file.
#pragma once

#include <QImage>

#include <string>

namespace sorvath {

class FrameConverter {
public:
    virtual ~FrameConverter() = default;
    // Converts the bitmap file into a GIF file; false (and no GIF file left behind)
    // when the bitmap cannot be read or the GIF cannot be written.
    virtual bool convert(const std::string& bitmapPath, const std::string& gifPath) = 0;
    // The same for a picture that has just been saved as bitmapPath; a converter that
    // can take the picture itself need not read the file back.
    virtual bool convertSaved(const QImage& picture, const std::string& bitmapPath, const std::string& gifPath) {
        (void)picture;
        return convert(bitmapPath, gifPath);
    }
};

}  // namespace sorvath
