// Turning one exported picture into the bytes of a numbered GIF frame file.
#pragma once

#include <QImage>

#include <optional>
#include <string>

namespace sorvath {

class FrameConverter {
public:
    virtual ~FrameConverter() = default;
    // The picture as a whole single-image GIF file; std::nullopt when it cannot be converted.
    virtual std::optional<std::string> convert(const QImage& picture) = 0;
};

}  // namespace sorvath
