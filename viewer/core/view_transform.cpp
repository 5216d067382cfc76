#include "viewer/core/view_transform.h"

#include <algorithm>
#include <cmath>

namespace sorvath {

SceneExtent extentOf(const Scene& scene) { return {scene.xmin, scene.xmax, scene.ymin, scene.ymax}; }

ScaleState fittedScale(const SceneExtent& box, int width, int height) {
    double xmin = box.xmin;
    double xmax = box.xmax;
    double ymin = box.ymin;
    double ymax = box.ymax;
    if (!(std::max(xmax - xmin, ymax - ymin) > 0.0)) {
        // All on one point: show a box of one world unit around it.
        const double cx = std::isfinite(xmin) ? xmin : 0.0;
        const double cy = std::isfinite(ymin) ? ymin : 0.0;
        xmin = cx - 0.5;
        xmax = cx + 0.5;
        ymin = cy - 0.5;
        ymax = cy + 0.5;
    }
    ScaleState scale;
    scale.xlng = xmax - xmin;
    scale.ylng = ymax - ymin;
    double extent = 0.0;
    // The side that limits the fit: the larger extent in a square picture.
    if (static_cast<double>(height) * scale.xlng > static_cast<double>(width) * scale.ylng) {
        scale.pscale = width / ((2.0 * kMarginRatio + 1.0) * scale.xlng);
        extent = scale.xlng;
    } else {
        scale.pscale = height / ((2.0 * kMarginRatio + 1.0) * scale.ylng);
        extent = scale.ylng;
    }
    scale.margin = kMarginRatio * extent;
    scale.ScaleTop = static_cast<float>(ymax + scale.margin);
    scale.ScaleLeft = static_cast<float>(xmin - scale.margin);
    scale.ScaleHeight = static_cast<float>(-height / scale.pscale);
    scale.ScaleWidth = static_cast<float>(width / scale.pscale);
    return scale;
}

ScaleState zoomedScale(const ScaleState& scale, bool in) {
    ScaleState s = scale;
    const double z = kZoomStep;
    if (in) {
        s.ScaleHeight = static_cast<float>(s.ScaleHeight / (1.0 + z));
        s.ScaleWidth = static_cast<float>(s.ScaleWidth / (1.0 + z));
        s.ScaleTop = static_cast<float>(s.ScaleTop + z / 2.0 * s.ScaleHeight);
        s.ScaleLeft = static_cast<float>(s.ScaleLeft + z / 2.0 * s.ScaleWidth);
    } else {
        s.ScaleTop = static_cast<float>(s.ScaleTop - z / 2.0 * s.ScaleHeight);
        s.ScaleLeft = static_cast<float>(s.ScaleLeft - z / 2.0 * s.ScaleWidth);
        s.ScaleHeight = static_cast<float>(s.ScaleHeight * (1.0 + z));
        s.ScaleWidth = static_cast<float>(s.ScaleWidth * (1.0 + z));
    }
    return s;
}

ScaleState pannedScale(const ScaleState& scale, double dx, double dy) {
    ScaleState s = scale;
    s.ScaleLeft = static_cast<float>(s.ScaleLeft + dx * s.ScaleWidth);
    s.ScaleTop = static_cast<float>(s.ScaleTop + dy * s.ScaleHeight);
    return s;
}

ScaleState resizedScale(const ScaleState& scale, int oldWidth, int oldHeight, int width, int height) {
    ScaleState s = scale;
    const double grown = std::min(static_cast<double>(width) / oldWidth, static_cast<double>(height) / oldHeight);
    const double centreX = s.ScaleLeft + s.ScaleWidth / 2.0;
    const double centreY = s.ScaleTop + s.ScaleHeight / 2.0;
    const double across = s.ScaleWidth / oldWidth / grown * width;
    const double down = s.ScaleHeight / oldHeight / grown * height;
    s.ScaleWidth = static_cast<float>(across);
    s.ScaleHeight = static_cast<float>(down);
    s.ScaleLeft = static_cast<float>(centreX - across / 2.0);
    s.ScaleTop = static_cast<float>(centreY - down / 2.0);
    return s;
}

void ViewTransform::fit(const Scene& scene) {
    box_ = extentOf(scene);
    scale_ = fittedScale(box_, width_, height_);
    fitted_ = true;
}

void ViewTransform::zoom(bool in) {
    scale_ = zoomedScale(scale_, in);
    fitted_ = false;
}

void ViewTransform::resize(int width, int height) {
    if (width < 1 || height < 1 || (width == width_ && height == height_)) return;
    scale_ = fitted_ ? fittedScale(box_, width, height) : resizedScale(scale_, width_, height_, width, height);
    width_ = width;
    height_ = height;
}

void ViewTransform::pan(PanDirection direction) {
    fitted_ = false;
    const double step = kZoomStep / 4.0;
    // ScaleHeight is negative: subtracting a part of it moves the view up.
    switch (direction) {
        case PanDirection::Up: scale_ = pannedScale(scale_, 0.0, -step); break;
        case PanDirection::Down: scale_ = pannedScale(scale_, 0.0, step); break;
        case PanDirection::Left: scale_ = pannedScale(scale_, -step, 0.0); break;
        case PanDirection::Right: scale_ = pannedScale(scale_, step, 0.0); break;
    }
}

}  // namespace sorvath
