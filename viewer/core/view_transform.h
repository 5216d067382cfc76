// The mapping from world coordinates to picture pixels, as pure functions of the
// scene's extent and the picture's size: the fit with its margin, the zoom about the
// centre and the pan by a part of the view. The four user-coordinate values are
// single precision like the picture surface's own; ScaleHeight is negative so world
// y grows upward.
#pragma once

#include "viewer/core/scene.h"

namespace sorvath {

inline constexpr double kMarginRatio = 0.05;
// The zoom factor's step; a pan moves the view by a quarter of it.
inline constexpr double kZoomStep = 0.2;

struct ScaleState {
    float ScaleLeft = 0.0f;
    float ScaleTop = 0.0f;
    float ScaleWidth = 1.0f;
    float ScaleHeight = -1.0f;

    // Working values of the fit; xlng and ylng also serve the high-quality print.
    double pscale = 1.0;
    double margin = 0.0;
    double xlng = 0.0;
    double ylng = 0.0;
};

struct SceneExtent {
    double xmin = 0.0;
    double xmax = 0.0;
    double ymin = 0.0;
    double ymax = 0.0;
};

SceneExtent extentOf(const Scene& scene);

// Fits the box with a margin of kMarginRatio around its larger extent into a picture
// of width x height pixels. A box of zero extent is treated as a box of extent 1
// centred on its point.
ScaleState fittedScale(const SceneExtent& box, int width, int height);
// Zooming in shows 1 / (1 + kZoomStep) of the view about its centre; zooming out undoes it.
ScaleState zoomedScale(const ScaleState& scale, bool in);
// Moves the view by dx of its width and dy of its (negative) height.
ScaleState pannedScale(const ScaleState& scale, double dx, double dy);

enum class PanDirection { Up, Down, Left, Right };

// The view of one picture: its size and the current mapping.
class ViewTransform {
public:
    ViewTransform(int width, int height) : width_(width), height_(height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const ScaleState& scale() const { return scale_; }

    void fit(const Scene& scene) { scale_ = fittedScale(extentOf(scene), width_, height_); }
    void zoom(bool in) { scale_ = zoomedScale(scale_, in); }
    void pan(PanDirection direction);

private:
    int width_;
    int height_;
    ScaleState scale_;
};

}  // namespace sorvath
