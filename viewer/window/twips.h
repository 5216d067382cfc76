// The window was laid out in twips; the screen has 15 twips per pixel.
#pragma once

#include <QRect>

namespace sorvath {

inline constexpr int kTwipsPerScreenPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerScreenPixel / 2) / kTwipsPerScreenPixel; }

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace sorvath
