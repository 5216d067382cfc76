// Where world points land on the drawing surface: the picture's pixels (from the four
// scale values and the picture's size) or a printed page's device pixels.
#pragma once

#include "viewer/draw/scale_state.h"
#include "viewer/draw/scene_canvas.h"

namespace sorvath {

class SceneTransform {
public:
    // The picture of width x height pixels showing the world rectangle of the scale values.
    static SceneTransform picture(const ScaleState& scale, int width, int height);
    // A page: world (xmin, ymax) at (offset, offset) page units, f page units per world
    // unit with y growing downward, and unitX, unitY device pixels per page unit.
    static SceneTransform page(double f, double xmin, double ymax, double offset, double unitX, double unitY);

    // Walls, orientation-mark centres, contact segments and rotation marks.
    PixelPoint point(double x, double y) const {
        if (divided_) return {(x - x_.origin) / x_.extent * x_.size, (y - y_.origin) / y_.extent * y_.size};
        return outlinePoint(x, y);
    }
    // Outline vertices, as one multiply-add per axis.
    PixelPoint outlinePoint(double x, double y) const {
        if (divided_) return {(x - x_.origin) * x_.factor, (y - y_.origin) * y_.factor};
        return {(x_.offset + (x - x_.origin) * x_.factor) * x_.unit,
                (y_.offset + (y - y_.origin) * y_.factor) * y_.unit};
    }
    // Calls use(map) with map(x, y) == outlinePoint(x, y), the choice of form made once
    // for a whole outline.
    template <typename Use>
    void withOutlineMap(Use&& use) const {
        if (divided_) {
            use([ox = x_.origin, fx = x_.factor, oy = y_.origin, fy = y_.factor](double x, double y) {
                return PixelPoint{(x - ox) * fx, (y - oy) * fy};
            });
        } else {
            use([x = x_, y = y_](double px, double py) {
                return PixelPoint{(x.offset + (px - x.origin) * x.factor) * x.unit,
                                  (y.offset + (py - y.origin) * y.factor) * y.unit};
            });
        }
    }

private:
    struct Axis {
        double origin = 0.0;
        double factor = 1.0;  // surface units per world unit
        double offset = 0.0;
        double unit = 1.0;
        double extent = 1.0;  // the picture's world extent (negative for y) and its size in pixels
        double size = 1.0;
    };

    Axis x_;
    Axis y_;
    bool divided_ = false;  // the picture places single points as a fraction of its extent
};

}  // namespace sorvath
