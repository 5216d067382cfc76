// The picture's size. The mapping from world coordinates to picture pixels
// (ScaleState) and its fit, zoom and pan live in the core's view transform.
#pragma once

#include "viewer/core/view_transform.h"

namespace sorvath {

inline constexpr int kPictureWidth = 533;   // W0: 8000 twips at 15 twips per pixel
inline constexpr int kPictureHeight = 533;  // H0

}  // namespace sorvath
