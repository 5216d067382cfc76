#include "viewer/draw/scene_picture.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/draw/palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace sorvath {
namespace {

// A scene of a 20 x 20 world box (about 24 pixels per world unit).
class ViewerDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        scene.source = SourceMode::Output;
        scene.xmin = scene.ymin = -10.0;
        scene.xmax = scene.ymax = 10.0;
    }

    Particle& add(double x, double y, double a, double thetaPrevious, double thetaCurrent, int nv = 40) {
        Particle& p = scene.particles[static_cast<size_t>(++scene.nop)];
        p.a = a;
        p.b = a;
        p.nv = static_cast<int16_t>(nv);
        p.previous = {x, y, thetaPrevious};
        p.current = {x, y, thetaCurrent};
        return p;
    }

    void draw() {
        picture.setscale(scene);
        picture.drawscene(scene, options);
    }

    QRgb at(double x, double y) const {
        const int px = static_cast<int>(std::floor(picture.pixelX(x)));
        const int py = static_cast<int>(std::floor(picture.pixelY(y)));
        return picture.image().pixel(px, py);
    }
    QRgb atPixel(int px, int py) const { return picture.image().pixel(px, py); }
    int pixelColumn(double x) const { return static_cast<int>(std::floor(picture.pixelX(x))); }
    int pixelRow(double y) const { return static_cast<int>(std::floor(picture.pixelY(y))); }

    Scene scene;
    ViewOptions options;
    ScenePicture picture;
};

TEST_F(ViewerDrawing, SetscaleFitsTheLargerExtentWithAMargin) {
    scene.xmin = 0.0;
    scene.xmax = 40.0;
    scene.ymin = -5.0;
    scene.ymax = 5.0;
    picture.setscale(scene);
    const ScaleState& s = picture.scale();
    EXPECT_DOUBLE_EQ(s.pscale, 533.0 / (1.1 * 40.0));
    EXPECT_FLOAT_EQ(s.ScaleLeft, -2.0f);
    EXPECT_FLOAT_EQ(s.ScaleTop, 7.0f);
    EXPECT_FLOAT_EQ(s.ScaleWidth, 44.0f);
    EXPECT_FLOAT_EQ(s.ScaleHeight, -44.0f);
    EXPECT_EQ(s.xlng, 40.0);
    EXPECT_EQ(s.ylng, 10.0);
    EXPECT_EQ(picture.W0(), 533);
    EXPECT_EQ(picture.image().width(), 533);
    EXPECT_EQ(picture.image().height(), 533);
    EXPECT_NEAR(picture.pixelX(0.0), 533.0 * 2.0 / 44.0, 1e-3);
    EXPECT_NEAR(picture.pixelY(5.0), 533.0 * 2.0 / 44.0, 1e-3);
}

TEST_F(ViewerDrawing, ZeroExtentBoxShowsOneWorldUnitAroundThePoint) {
    scene.xmin = scene.xmax = 3.0;
    scene.ymin = scene.ymax = -2.0;
    picture.setscale(scene);
    const ScaleState& s = picture.scale();
    EXPECT_TRUE(std::isfinite(s.pscale));
    EXPECT_FLOAT_EQ(s.ScaleWidth, 1.1f);
    EXPECT_NEAR(picture.pixelX(3.0), 266.5, 1e-3);
    EXPECT_NEAR(picture.pixelY(-2.0), 266.5, 1e-3);
}

TEST_F(ViewerDrawing, FillColourFollowsTheSenseOfRotation) {
    options.colour = true;
    add(-6.0, 0.0, 1.5, 0.2, 0.5);  // counter-clockwise
    add(0.0, 0.0, 1.5, 0.4, 0.4);   // unchanged
    add(6.0, 0.0, 1.5, 0.5, 0.2);   // clockwise
    draw();
    EXPECT_EQ(at(-10.5, 10.5), palette::kBackground);
    EXPECT_EQ(at(-6.0, 0.7), palette::kCounterClockwise);
    EXPECT_EQ(at(0.0, 0.7), palette::kUnchanged);
    EXPECT_EQ(at(6.0, 0.7), palette::kClockwise);

    scene.source = SourceMode::Input;
    picture.clear();
    picture.drawscene(scene, options);
    for (double x : {-6.0, 0.0, 6.0}) EXPECT_EQ(at(x, 0.7), palette::kCounterClockwise) << x;
}

TEST_F(ViewerDrawing, TurnAcrossPiIsASmallClockwiseTurn) {
    options.colour = true;
    const Particle& p = add(0.0, 0.0, 2.0, -3.1, 3.1);
    draw();
    EXPECT_EQ(at(0.0, 1.0), palette::kClockwise);
    // The drawing only reads the scene.
    EXPECT_EQ(p.previous.theta, -3.1);
}

// A turn of 100 degrees is taken for a turn across +-pi; drawing it again must not
// take it back.
TEST_F(ViewerDrawing, RedrawingTheSameSceneGivesTheSamePicture) {
    options.colour = true;
    options.periodic = true;
    add(-4.0, 0.0, 2.0, 0.0, 100.0 / 180.0 * kPi);
    add(4.0, 0.0, 2.0, 0.0, -3.0);
    scene.perw = 9.0;
    const Scene before = scene;
    draw();
    const QImage first = picture.image().copy();
    EXPECT_EQ(at(-4.0, 1.0), palette::kClockwise);
    EXPECT_EQ(at(4.0, 1.0), palette::kCounterClockwise);
    picture.clear();
    picture.drawscene(scene, options);
    EXPECT_TRUE(picture.image() == first);
    for (int i = 1; i <= scene.nop; ++i) {
        EXPECT_EQ(scene.particles[static_cast<size_t>(i)].previous.theta,
                  before.particles[static_cast<size_t>(i)].previous.theta);
        EXPECT_EQ(scene.particles[static_cast<size_t>(i)].current.theta,
                  before.particles[static_cast<size_t>(i)].current.theta);
    }
}

TEST_F(ViewerDrawing, PictureOfAnotherSizeMapsTheRunOntoItsOwnPixels) {
    ScenePicture tall(300, 420);
    scene.ymin = -2.0;
    scene.ymax = 2.0;
    add(0.0, 0.0, 1.0, 0.0, 0.0);
    tall.setscale(scene);
    tall.drawscene(scene, options);
    EXPECT_EQ(tall.image().size(), QSize(300, 420));
    // The 20-unit width spans 300 / 1.1 pixels; the top is 1 unit of margin above y = 2.
    EXPECT_NEAR(tall.pixelX(0.0), 150.0, 1e-3);
    EXPECT_NEAR(tall.pixelX(10.0) - tall.pixelX(0.0), 150.0 / 1.1, 1e-3);
    EXPECT_NEAR(tall.pixelY(0.0), 3.0 * 300.0 / 22.0, 1e-3);
    const int row = static_cast<int>(tall.pixelY(0.0));
    EXPECT_EQ(tall.image().pixel(static_cast<int>(tall.pixelX(0.5)), row), palette::kForeground);
    EXPECT_EQ(tall.image().pixel(150, static_cast<int>(tall.pixelY(-1.0))), palette::kForeground);
    EXPECT_EQ(tall.image().pixel(150, static_cast<int>(tall.pixelY(-1.5))), palette::kBackground);
}

TEST_F(ViewerDrawing, ColourOffDrawsOutlineAndOrientationMarkOnly) {
    add(0.0, 0.0, 3.0, 0.0, 0.0, 100);
    draw();
    EXPECT_EQ(at(0.0, 1.5), palette::kBackground);
    // The mark runs along the a axis (theta 0: to the right).
    EXPECT_EQ(at(1.5, 0.0), palette::kForeground);
    EXPECT_EQ(atPixel(pixelColumn(3.0) - 1, pixelRow(0.0)), palette::kForeground);
    EXPECT_EQ(at(0.0, 3.0), palette::kForeground);
    EXPECT_EQ(at(0.0, 3.3), palette::kBackground);
}

TEST_F(ViewerDrawing, TriangleIsInscribedInItsEllipse) {
    options.colour = true;
    add(0.0, 0.0, 4.0, -1.0, 0.0, 3);
    draw();
    EXPECT_EQ(at(0.0, 0.3), palette::kCounterClockwise);
    // Inside the circle but beyond the triangle's left edge (x = -2).
    EXPECT_EQ(at(-3.0, 0.0), palette::kBackground);
}

TEST_F(ViewerDrawing, TouchingParticlesKeepTheirOutlinesAndFillsDoNotLeak) {
    options.colour = true;
    add(-2.0, 0.0, 2.0, 0.0, 0.1);
    add(2.0, 0.0, 2.0, 0.1, 0.0);
    // Mostly outside the picture: its outline is not closed on screen.
    add(-12.5, 12.5, 3.0, 0.0, 0.3);
    draw();
    EXPECT_EQ(at(0.0, 0.0), palette::kForeground);
    EXPECT_EQ(at(-2.0, 1.0), palette::kCounterClockwise);
    EXPECT_EQ(at(2.0, 1.0), palette::kClockwise);
    EXPECT_EQ(atPixel(0, 0), palette::kCounterClockwise);
    EXPECT_EQ(at(-6.0, 6.0), palette::kBackground);
    EXPECT_EQ(at(8.0, -8.0), palette::kBackground);
}

// The fills go to the raster one path per colour; a later particle still covers an
// earlier one where they overlap, whichever colour's path it is in.
TEST_F(ViewerDrawing, ALaterParticleCoversAnEarlierOneWhateverTheirColours) {
    options.colour = true;
    add(-1.0, 0.0, 3.0, 0.5, 0.2);  // clockwise
    add(1.0, 0.0, 3.0, 0.2, 0.5);   // counter-clockwise, over the first
    add(1.0, 5.0, 3.0, 0.2, 0.5);   // counter-clockwise
    add(-1.0, 5.0, 3.0, 0.4, 0.4);  // unchanged, over the third
    draw();
    EXPECT_EQ(at(-0.5, 0.5), palette::kCounterClockwise);
    EXPECT_EQ(at(-3.0, 0.5), palette::kClockwise);
    EXPECT_EQ(at(0.5, 5.5), palette::kUnchanged);
    EXPECT_EQ(at(3.0, 5.5), palette::kCounterClockwise);
}

TEST_F(ViewerDrawing, GrainSelectWithoutMarksDrawsWallsButNoParticle) {
    options.colour = true;
    options.contactDisplay = ContactDisplay::GrainSelect;
    add(0.0, 0.0, 2.0, 0.0, 0.5);
    Particle& marked = add(5.0, 5.0, 1.0, 0.0, 0.5);
    scene.nwall = 1;
    scene.walls[1] = {-8.0, -8.0, 8.0, -8.0};
    draw();
    EXPECT_EQ(at(0.0, 1.0), palette::kBackground);
    EXPECT_EQ(at(2.0 - 0.01, 0.0), palette::kBackground);
    EXPECT_EQ(at(5.0, 5.5), palette::kBackground);
    EXPECT_EQ(at(0.0, -8.0), palette::kForeground);

    marked.selected = true;
    picture.clear();
    picture.drawscene(scene, options);
    EXPECT_EQ(at(5.0, 5.5), palette::kCounterClockwise);
    EXPECT_EQ(at(0.0, 1.0), palette::kBackground);
}

TEST_F(ViewerDrawing, PeriodicImagesAreShiftedBothWaysWithoutFillOrMark) {
    options.colour = true;
    options.periodic = true;
    add(0.0, 0.0, 1.0, 0.0, 0.2);
    scene.perw = 6.0;
    scene.dt = 0.5;
    scene.perv = 1.0;
    scene.iloop = 14;
    scene.iloop0 = 10;  // shift 6 - 0.5 x 4 x 1 = 4
    scene.nwall = 1;
    scene.walls[1] = {0.0, -6.0, 0.0, -3.0};
    draw();
    for (double xadd : {-4.0, 4.0}) {
        EXPECT_EQ(at(xadd + 1.0, 0.0), palette::kForeground) << xadd;
        EXPECT_EQ(at(xadd, 0.5), palette::kBackground) << xadd;
        EXPECT_EQ(at(xadd + 0.5, 0.0), palette::kBackground) << xadd;
        EXPECT_EQ(at(xadd, -4.5), palette::kForeground) << xadd;
    }
    EXPECT_EQ(at(0.0, 0.5), palette::kCounterClockwise);
    EXPECT_EQ(at(2.0, -4.5), palette::kBackground);

    // With no shift the images coincide with the particle itself.
    scene.perw = 2.0;
    picture.clear();
    picture.drawscene(scene, options);
    EXPECT_EQ(at(4.0, -4.5), palette::kBackground);
    EXPECT_EQ(at(0.0, -4.5), palette::kForeground);
}

TEST_F(ViewerDrawing, ContactSegmentsAreRedAndWideAboveTheThreshold) {
    options.contactDisplay = ContactDisplay::DrawLines;
    add(-8.0, 8.0, 2.0, 0.0, 0.0);
    add(8.0, 8.0, 2.0, 0.0, 0.0);
    scene.nctot = scene.ncont = 2;
    scene.contacts[1] = {1, 2, 0.0, 0.0, 0.0, 5.0, 0.0};   // above 1 x avfn
    scene.contacts[2] = {1, -2, 4.0, 0.0, 0.0, 1.0, 0.0};  // below
    scene.avfn = 3.0;
    draw();
    // angle 0: the segment is vertical, half length (2 + 2) / 2.
    const int row = pixelRow(1.0);
    const int strong = pixelColumn(0.0);
    EXPECT_EQ(atPixel(strong, row), palette::kContactForce);
    EXPECT_EQ(atPixel(strong + 1, row), palette::kContactForce);
    EXPECT_EQ(atPixel(strong + 2, row), palette::kBackground);
    const int weak = pixelColumn(4.0);
    EXPECT_EQ(atPixel(weak, row), palette::kContactForce);
    EXPECT_EQ(atPixel(weak + 1, row), palette::kBackground);
    EXPECT_EQ(at(0.0, 1.9), palette::kContactForce);
    EXPECT_EQ(at(0.0, 2.2), palette::kBackground);

    options.ratio = 2.0f;  // threshold 6: both thin now
    picture.clear();
    picture.drawscene(scene, options);
    EXPECT_EQ(atPixel(strong + 1, row), palette::kBackground);
}

TEST_F(ViewerDrawing, LargeRelativeRotationGetsABlueSquare) {
    options.relativeRotation = true;
    options.contactDisplay = ContactDisplay::DrawLines;
    add(-8.0, 8.0, 2.0, 0.0, 0.0);
    add(8.0, 8.0, 2.0, 0.0, 1.0);
    add(8.0, -8.0, 2.0, 0.0, 0.1);
    scene.nctot = scene.ncont = 2;
    scene.contacts[1] = {1, 2, -4.0, 0.0, 0.0, 1.0, 0.0};  // rel 1.0
    scene.contacts[2] = {1, 3, 4.0, 0.0, 0.0, 1.0, 0.0};   // rel 0.1
    scene.avfn = 1.0;
    scene.avrot = 0.55;
    draw();
    // Half size 0.2 x a of particle 1 = 0.4.
    EXPECT_EQ(atPixel(pixelColumn(-4.4), pixelRow(0.2)), palette::kRelativeRotation);
    EXPECT_EQ(at(-4.2, 0.4), palette::kRelativeRotation);
    EXPECT_EQ(atPixel(pixelColumn(3.6), pixelRow(0.2)), palette::kBackground);
}

TEST_F(ViewerDrawing, EveryPixelIsAPaletteColour) {
    testing::ResultRun run = testing::latticeRun(400, 2, 20);
    scene.nop = 400;
    for (int i = 1; i <= 400; ++i) {
        Particle& p = scene.particles[static_cast<size_t>(i)];
        const testing::Shape& shape = run.shapes[static_cast<size_t>(i - 1)];
        p.a = shape.a;
        p.b = shape.b;
        p.nv = static_cast<int16_t>(shape.nv);
        p.previous = run.steps[0].poses[static_cast<size_t>(i - 1)];
        p.current = run.steps[1].poses[static_cast<size_t>(i - 1)];
        p.selected = i % 2 == 0;
    }
    scene.nwall = 4;
    for (int j = 1; j <= 4; ++j) scene.walls[static_cast<size_t>(j)] = run.walls[static_cast<size_t>(j - 1)];
    scene.xmin = scene.ymin = 0.0;
    scene.xmax = scene.ymax = 40.0;
    scene.nctot = scene.ncont = 50;
    for (int k = 1; k <= 50; ++k) {
        const testing::ContactRecord& c = run.steps[1].contacts[static_cast<size_t>(k)];
        scene.contacts[static_cast<size_t>(k)] = {
            static_cast<int16_t>(c.ip), static_cast<int16_t>(c.jp), c.xc, c.yc, c.ang, -c.fn, 0.0};
    }
    scene.avfn = 3.0;
    scene.perw = 10.0;
    options = {true, true, true, ContactDisplay::DrawLines, 1.0f};
    draw();
    const std::set<QRgb> allowed = {palette::kBackground,      palette::kForeground, palette::kCounterClockwise,
                                    palette::kUnchanged,       palette::kClockwise,  palette::kContactForce,
                                    palette::kRelativeRotation};
    std::set<QRgb> seen;
    for (int y = 0; y < 533; ++y)
        for (int x = 0; x < 533; ++x) seen.insert(picture.image().pixel(x, y));
    for (QRgb colour : seen) EXPECT_TRUE(allowed.count(colour)) << std::hex << colour;
    EXPECT_GE(seen.size(), 6u);
}

TEST_F(ViewerDrawing, FarAwayAndOutOfTableDataDrawsNothingHarmful) {
    options.colour = true;
    options.contactDisplay = ContactDisplay::DrawLines;
    options.relativeRotation = true;
    add(1.0e300, -1.0e300, 1.0e300, 0.0, 1.0);
    add(0.0, 0.0, 1.0e-300, 0.0, 1.0);
    scene.nctot = scene.ncont = 1;
    scene.contacts[1] = {-5, 32767, 0.0, 0.0, 0.0, 1.0, 0.0};
    scene.nwall = 1;
    scene.walls[1] = {-1.0e308, 0.0, 1.0e308, 0.0};
    draw();
    EXPECT_EQ(at(0.0, 0.0), palette::kForeground);
    EXPECT_EQ(at(5.0, 5.0), palette::kBackground);
}

// In a 4-unit box a world coordinate of 1e306 is about 1.2e308 pixels away,
// so the pixel difference of two such ends exceeds the largest double.
TEST_F(ViewerDrawing, WallsAndParticlesAt1e306DrawWhatCrossesThePicture) {
    constexpr double far = 1.0e306;
    scene.xmin = scene.ymin = -2.0;
    scene.xmax = scene.ymax = 2.0;
    options.colour = true;
    // A diamond round the whole picture: its fill covers every pixel, its
    // orientation mark runs from the centre to the right edge.
    add(0.0, 0.0, far, 0.0, 0.0, 4);
    add(far, -far, 1.0, 0.0, 1.0);
    scene.nwall = 2;
    scene.walls[1] = {0.0, -far, 0.0, far};
    scene.walls[2] = {far, -far, far, far};
    draw();
    const int centreColumn = pixelColumn(0.0);
    const int centreRow = pixelRow(0.0);
    ASSERT_GT(centreColumn, 0);
    ASSERT_LT(centreColumn, 532);
    for (int y = 0; y < 533; ++y) EXPECT_EQ(atPixel(centreColumn, y), palette::kForeground) << "row " << y;
    for (int x = centreColumn; x < 533; ++x) EXPECT_EQ(atPixel(x, centreRow), palette::kForeground) << "column " << x;
    int filled = 0;
    for (int y = 0; y < 533; ++y)
        for (int x = 0; x < 533; ++x) {
            const QRgb colour = atPixel(x, y);
            if (colour == palette::kUnchanged)
                ++filled;
            else
                EXPECT_EQ(colour, palette::kForeground) << x << "," << y;
        }
    // Everything but the wall's column and the mark's half row.
    EXPECT_EQ(filled, 533 * 533 - 533 - (533 - centreColumn - 1));
}

}  // namespace
}  // namespace sorvath
