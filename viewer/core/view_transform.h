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
// of width x height pixels (in a picture that is not square, around the extent that
// limits the fit). A box of zero extent is treated as a box of extent 1 centred on its
// point.
ScaleState fittedScale(const SceneExtent& box, int width, int height);
// Zooming in shows 1 / (1 + kZoomStep) of the view about its centre; zooming out undoes it.
ScaleState zoomedScale(const ScaleState& scale, bool in);
// Moves the view by dx of its width and dy of its (negative) height.
ScaleState pannedScale(const ScaleState& scale, double dx, double dy);

// The view of a picture of oldWidth x oldHeight pixels in one of width x height: the
// same centre, and the view grown as much as the picture's more limiting side grew, so
// what was shown is shown whole, larger or smaller with the picture.
ScaleState resizedScale(const ScaleState& scale, int oldWidth, int oldHeight, int width, int height);

enum class PanDirection { Up, Down, Left, Right };

// The view of one picture: its size and the current mapping.
class ViewTransform {
public:
    ViewTransform(int width, int height) : width_(width), height_(height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const ScaleState& scale() const { return scale_; }

    void fit(const Scene& scene);
    void zoom(bool in);
    void pan(PanDirection direction);
    // The picture's new size: a fitted view is fitted again to the box it was fitted
    // to; a zoomed or panned one keeps its centre and grows with the picture
    // (resizedScale). A size below one pixel is ignored.
    void resize(int width, int height);

private:
    int width_;
    int height_;
    ScaleState scale_;
    bool fitted_ = false;  // no zoom or pan since the last fit
    SceneExtent box_;      // the box of the last fit
};

}  // namespace sorvath
