#include "viewer/draw/scene_transform.h"

namespace sorvath {

SceneTransform SceneTransform::picture(const ScaleState& scale, int width, int height) {
    SceneTransform t;
    t.divided_ = true;
    t.x_.origin = scale.ScaleLeft;
    t.x_.extent = scale.ScaleWidth;
    t.x_.size = width;
    t.x_.factor = width / static_cast<double>(scale.ScaleWidth);
    t.y_.origin = scale.ScaleTop;
    t.y_.extent = scale.ScaleHeight;
    t.y_.size = height;
    t.y_.factor = height / static_cast<double>(scale.ScaleHeight);
    return t;
}

SceneTransform SceneTransform::page(double f, double xmin, double ymax, double offset, double unitX, double unitY) {
    SceneTransform t;
    t.x_ = {xmin, f, offset, unitX};
    // offset + f (ymax - y) is offset + (-f) (y - ymax), exactly.
    t.y_ = {ymax, -f, offset, unitY};
    return t;
}

}  // namespace sorvath
