// The view transform: the fit of the scene's box with its margin, the zoom about the
// centre and the pan, as pure functions of the box and the picture size.
#include "viewer/core/view_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace sorvath {
namespace {

struct FitCase {
    const char* name;
    SceneExtent box;
    int width;
    int height;
    // Expected by the rule: the larger extent (with a margin of 0.05 of it each side)
    // fills its side of the picture.
    double pscale;
    double left;
    double top;
};

class ViewTransformFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(ViewTransformFit, TheLargerExtentWithItsMarginFillsThePicture) {
    const FitCase& c = GetParam();
    const ScaleState s = fittedScale(c.box, c.width, c.height);
    EXPECT_DOUBLE_EQ(s.pscale, c.pscale);
    EXPECT_FLOAT_EQ(s.ScaleLeft, static_cast<float>(c.left));
    EXPECT_FLOAT_EQ(s.ScaleTop, static_cast<float>(c.top));
    EXPECT_FLOAT_EQ(s.ScaleWidth, static_cast<float>(c.width / c.pscale));
    EXPECT_FLOAT_EQ(s.ScaleHeight, static_cast<float>(-c.height / c.pscale));
    EXPECT_LT(s.ScaleHeight, 0.0f);  // world y grows upward
}

INSTANTIATE_TEST_SUITE_P(Boxes, ViewTransformFit,
                         ::testing::Values(
                             // 10 across, 4 down: 11 world units across 550 pixels, margin 0.5.
                             FitCase{"wide", {0.0, 10.0, 0.0, 4.0}, 550, 550, 50.0, -0.5, 4.5},
                             // 2 across, 20 down: 22 world units down 440 pixels, margin 1.
                             FitCase{"tall", {-1.0, 1.0, -10.0, 10.0}, 300, 440, 20.0, -2.0, 11.0},
                             // 10 across, 4 down in a low picture: the height limits the fit.
                             FitCase{"wide_in_low", {0.0, 10.0, 0.0, 4.0}, 300, 88, 20.0, -0.2, 4.2},
                             // Equal extents take the height.
                             FitCase{"square", {0.0, 5.0, 0.0, 5.0}, 200, 110, 20.0, -0.25, 5.25},
                             // One point: a box of one unit around it.
                             FitCase{"point", {3.0, 3.0, 7.0, 7.0}, 110, 110, 100.0, 2.45, 7.55},
                             // A box that is no number: one unit around the origin.
                             FitCase{"nan",
                                     {std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0},
                                     110,
                                     110,
                                     100.0,
                                     -0.55,
                                     0.55}),
                         [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(ViewTransform, TheFitKeepsTheExtentsForThePrint) {
    const ScaleState s = fittedScale({1.0, 4.0, -2.0, 6.0}, 533, 533);
    EXPECT_DOUBLE_EQ(s.xlng, 3.0);
    EXPECT_DOUBLE_EQ(s.ylng, 8.0);
    EXPECT_DOUBLE_EQ(s.margin, 0.4);
}

TEST(ViewTransform, ZoomOutUndoesZoomInAboutTheCentre) {
    const ScaleState loaded = fittedScale({0.0, 18.0, 0.0, 12.0}, 533, 533);
    const ScaleState in = zoomedScale(loaded, true);
    EXPECT_FLOAT_EQ(in.ScaleWidth, loaded.ScaleWidth / 1.2f);
    EXPECT_FLOAT_EQ(in.ScaleHeight, loaded.ScaleHeight / 1.2f);
    EXPECT_FLOAT_EQ(in.ScaleLeft + in.ScaleWidth / 2, loaded.ScaleLeft + loaded.ScaleWidth / 2);
    EXPECT_FLOAT_EQ(in.ScaleTop + in.ScaleHeight / 2, loaded.ScaleTop + loaded.ScaleHeight / 2);
    // The fit's working values stay.
    EXPECT_EQ(in.pscale, loaded.pscale);
    EXPECT_EQ(in.xlng, loaded.xlng);
    const ScaleState back = zoomedScale(in, false);
    EXPECT_FLOAT_EQ(back.ScaleLeft, loaded.ScaleLeft);
    EXPECT_FLOAT_EQ(back.ScaleTop, loaded.ScaleTop);
    EXPECT_FLOAT_EQ(back.ScaleWidth, loaded.ScaleWidth);
    EXPECT_FLOAT_EQ(back.ScaleHeight, loaded.ScaleHeight);
}

struct PanCase {
    PanDirection direction;
    PanDirection opposite;
    double dx;  // expected move of ScaleLeft, in view widths
    double dy;  // expected move of ScaleTop, in view heights (negative: up is a minus)
};

TEST(ViewTransform, EachPanMovesAQuarterZoomStepAndItsOppositeMovesBack) {
    const PanCase cases[] = {{PanDirection::Up, PanDirection::Down, 0.0, -0.05},
                             {PanDirection::Down, PanDirection::Up, 0.0, 0.05},
                             {PanDirection::Left, PanDirection::Right, -0.05, 0.0},
                             {PanDirection::Right, PanDirection::Left, 0.05, 0.0}};
    Scene scene;
    scene.xmax = 18.0;
    scene.ymax = 12.0;
    for (const PanCase& c : cases) {
        ViewTransform view(533, 533);
        view.fit(scene);
        const ScaleState before = view.scale();
        view.pan(c.direction);
        EXPECT_FLOAT_EQ(view.scale().ScaleLeft, static_cast<float>(before.ScaleLeft + c.dx * before.ScaleWidth));
        EXPECT_FLOAT_EQ(view.scale().ScaleTop, static_cast<float>(before.ScaleTop + c.dy * before.ScaleHeight));
        EXPECT_EQ(view.scale().ScaleWidth, before.ScaleWidth);
        EXPECT_EQ(view.scale().ScaleHeight, before.ScaleHeight);
        view.pan(c.opposite);
        EXPECT_FLOAT_EQ(view.scale().ScaleLeft, before.ScaleLeft);
        EXPECT_FLOAT_EQ(view.scale().ScaleTop, before.ScaleTop);
    }
}

// A resize: a fitted view is fitted again to its box in the new size; a zoomed or panned
// one keeps its centre and grows as the picture's more limiting side grew.
TEST(ViewTransform, AResizedPictureRefitsAFittedViewAndGrowsAnyOtherAboutItsCentre) {
    Scene scene;
    scene.xmax = 18.0;
    scene.ymax = 12.0;
    const struct {
        const char* name;
        bool zoomed;
        int width;
        int height;
        double grown;  // expected growth of a zoomed view's pixels per world unit
    } cases[] = {
        {"fitted, wider", false, 833, 533, 0.0},   {"fitted, taller", false, 533, 900, 0.0},
        {"zoomed, larger", true, 1599, 1066, 2.0}, {"zoomed, smaller", true, 400, 533, 400.0 / 533.0},
        {"zoomed, no pixels", true, 0, 533, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ViewTransform view(533, 533);
        view.fit(scene);
        if (c.zoomed) {
            view.zoom(true);
            view.pan(PanDirection::Left);
        }
        const ScaleState before = view.scale();
        view.resize(c.width, c.height);
        const ScaleState after = view.scale();
        if (!c.zoomed) {
            const ScaleState refit = fittedScale(extentOf(scene), c.width, c.height);
            EXPECT_EQ(after.ScaleLeft, refit.ScaleLeft);
            EXPECT_EQ(after.ScaleTop, refit.ScaleTop);
            EXPECT_EQ(after.ScaleWidth, refit.ScaleWidth);
            EXPECT_EQ(after.ScaleHeight, refit.ScaleHeight);
            continue;
        }
        const int width = c.width < 1 ? 533 : c.width;
        const int height = c.width < 1 ? 533 : c.height;
        EXPECT_EQ(view.width(), width);
        EXPECT_FLOAT_EQ(after.ScaleLeft + after.ScaleWidth / 2, before.ScaleLeft + before.ScaleWidth / 2);
        EXPECT_FLOAT_EQ(after.ScaleTop + after.ScaleHeight / 2, before.ScaleTop + before.ScaleHeight / 2);
        EXPECT_FLOAT_EQ(width / after.ScaleWidth, static_cast<float>(c.grown * 533 / before.ScaleWidth));
        EXPECT_FLOAT_EQ(height / after.ScaleHeight, static_cast<float>(c.grown * 533 / before.ScaleHeight));
    }
}

TEST(ViewTransform, UpShowsMoreOfTheTopAndRightMoreOfTheRight) {
    const ScaleState loaded = fittedScale({0.0, 18.0, 0.0, 12.0}, 533, 533);
    EXPECT_GT(pannedScale(loaded, 0.0, -0.05).ScaleTop, loaded.ScaleTop);
    EXPECT_GT(pannedScale(loaded, 0.05, 0.0).ScaleLeft, loaded.ScaleLeft);
}

}  // namespace
}  // namespace sorvath
