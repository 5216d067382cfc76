// The picture's colours. Every pixel of a drawn scene is one of these.
#pragma once

#include <QRgb>

namespace sorvath::palette {

inline constexpr QRgb kBackground = 0xFFFFFFFFu;        // 255, 255, 255
inline constexpr QRgb kForeground = 0xFF000000u;        // 0, 0, 0: outlines, walls, marks
inline constexpr QRgb kCounterClockwise = 0xFF00C864u;  // 0, 200, 100 (also every input-file particle)
inline constexpr QRgb kUnchanged = 0xFF808080u;         // 128, 128, 128
inline constexpr QRgb kClockwise = 0xFFFFE680u;         // 255, 230, 128
inline constexpr QRgb kContactForce = 0xFFFF0000u;      // 255, 0, 0
inline constexpr QRgb kRelativeRotation = 0xFF0000FFu;  // 0, 0, 255

}  // namespace sorvath::palette
