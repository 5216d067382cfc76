// The mapping from world coordinates to picture pixels. The four user-coordinate
// values are single precision like the picture surface's own; ScaleHeight is
// negative so world y grows upward.
#pragma once

namespace sorvath {

inline constexpr int kPictureWidth = 533;   // W0: 8000 twips at 15 twips per pixel
inline constexpr int kPictureHeight = 533;  // H0
inline constexpr double kMarginRatio = 0.05;

struct ScaleState {
    float ScaleLeft = 0.0f;
    float ScaleTop = 0.0f;
    float ScaleWidth = 1.0f;
    float ScaleHeight = -1.0f;

    // Working values of setscale; xlng and ylng also serve the high-quality print.
    double pscale = 1.0;
    double margin = 0.0;
    double xlng = 0.0;
    double ylng = 0.0;
};

}  // namespace sorvath
