#include "viewer/draw/scene_renderer.h"
#include "viewer/draw/painter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <vector>

namespace sorvath {
namespace {

// Keeps every figure the renderer hands over, in order, and how many calls it took.
class RecordingCanvas final : public SceneCanvas {
public:
    struct Call {
        char kind = 'l';  // l: a segment, p: a longer polyline, f: a fill
        std::vector<PixelPoint> points;
        QRgb colour = 0;
        int width = 1;
    };

    void stroke(const FigureBatch& figures, QRgb colour, int width) override {
        ++batches;
        for (int f = 0; f < figures.size(); ++f)
            calls.push_back({figures.count(f) == 2 ? 'l' : 'p',
                             {figures.points(f), figures.points(f) + figures.count(f)},
                             colour,
                             width});
    }
    void fill(std::span<const FillBatch> fills) override {
        ++batches;
        inDrawingOrder(fills, [this](const FillBatch& batch, int f) {
            const PixelPoint* points = batch.polygons->points(f);
            calls.push_back({'f', {points, points + batch.polygons->count(f)}, batch.colour, 1});
        });
    }
    int count(QRgb colour) const {
        int n = 0;
        for (const Call& call : calls) n += call.colour == colour ? 1 : 0;
        return n;
    }

    std::vector<Call> calls;
    int batches = 0;
};

struct UnwrapCase {
    double previous;
    double current;
    int passes;
    double expected;
};

class UnwrappedPrevious : public ::testing::TestWithParam<UnwrapCase> {};

TEST_P(UnwrappedPrevious, MovesAFullTurnPerPassWhileTheAnglesDifferByMoreThanAQuarterTurn) {
    const UnwrapCase& c = GetParam();
    EXPECT_DOUBLE_EQ(unwrappedPreviousTheta({0.0, 0.0, c.previous}, {0.0, 0.0, c.current}, c.passes), c.expected);
}

constexpr double kHundredDegrees = 100.0 / 180.0 * kPi;

INSTANTIATE_TEST_SUITE_P(Passes, UnwrappedPrevious,
                         ::testing::Values(UnwrapCase{-3.1, 3.1, 0, -3.1}, UnwrapCase{-3.1, 3.1, 1, -3.1 + 2.0 * kPi},
                                           UnwrapCase{-3.1, 3.1, 3, -3.1 + 2.0 * kPi},
                                           UnwrapCase{3.1, -3.1, 1, 3.1 - 2.0 * kPi}, UnwrapCase{0.3, 0.1, 5, 0.3},
                                           UnwrapCase{0.0, kHundredDegrees, 1, 2.0 * kPi},
                                           UnwrapCase{0.0, kHundredDegrees, 2, 0.0},
                                           UnwrapCase{0.0, kHundredDegrees, 3, 2.0 * kPi},
                                           UnwrapCase{0.0, 12.0, 1, 2.0 * kPi}, UnwrapCase{0.0, 12.0, 3, 4.0 * kPi}));

class SceneRendering : public ::testing::Test {
protected:
    Particle& add(double x, double y, double a, int nv) {
        Particle& p = scene.particles[static_cast<size_t>(++scene.nop)];
        p.a = p.b = a;
        p.nv = static_cast<int16_t>(nv);
        p.previous = p.current = {x, y, 0.0};
        return p;
    }

    Scene scene;
    SceneRenderer renderer;
    RecordingCanvas canvas;
};

TEST_F(SceneRendering, LineDrawingOnAPageIsWallsThenOutlineAndMarkPerParticleInOneColour) {
    constexpr QRgb kInk = 0xFF000080u;
    scene.xmin = -1.0;
    scene.ymax = 3.0;
    scene.nwall = 1;
    scene.walls[1] = {-1.0, 3.0, 1.0, 3.0};
    Particle& first = add(0.0, 0.0, 1.0, 4);
    first.previous.theta = 1.0;  // would be filled and marked in the picture
    add(5.0, 5.0, 1.0, 0);       // no outline
    add(0.0, 2.0, 0.5, 6);
    scene.nctot = scene.ncont = 1;
    scene.contacts[1] = {1, 3, 0.0, 1.0, 0.0, 9.0, 0.0};
    scene.perw = 4.0;
    // 100 page units per world unit from (2500, 2500), two device pixels per unit.
    renderer.draw(scene, SceneTransform::page(100.0, scene.xmin, scene.ymax, 2500.0, 2.0, 2.0), lineDrawing(kInk),
                  canvas);
    ASSERT_EQ(canvas.calls.size(), 5u);
    EXPECT_EQ(canvas.count(kInk), 5);
    EXPECT_EQ(canvas.batches, 1);  // one path of the one colour
    const std::vector<char> kinds = {canvas.calls[0].kind, canvas.calls[1].kind, canvas.calls[2].kind,
                                     canvas.calls[3].kind, canvas.calls[4].kind};
    EXPECT_EQ(kinds, (std::vector<char>{'l', 'p', 'l', 'p', 'l'}));
    EXPECT_DOUBLE_EQ(canvas.calls[0].points[0].x, 5000.0);
    EXPECT_DOUBLE_EQ(canvas.calls[0].points[0].y, 5000.0);
    EXPECT_DOUBLE_EQ(canvas.calls[0].points[1].x, 5400.0);
    EXPECT_EQ(canvas.calls[1].points.size(), 5u);
    EXPECT_EQ(canvas.calls[3].points.size(), 7u);
    // Centre (0, 0) at (2600, 2800) page units, down the page as world y falls.
    EXPECT_DOUBLE_EQ(canvas.calls[2].points[0].x, 5200.0);
    EXPECT_DOUBLE_EQ(canvas.calls[2].points[0].y, 5600.0);
    EXPECT_DOUBLE_EQ(canvas.calls[2].points[1].x, canvas.calls[1].points.back().x);
    EXPECT_DOUBLE_EQ(canvas.calls[2].points[1].y, canvas.calls[1].points.back().y);
}

TEST(SceneRenderingOptions, PictureDrawingFollowsTheDisplaySwitches) {
    const ViewOptions view{true, false, true, ContactDisplay::GrainSelect, 2.5f};
    const DrawingOptions options = pictureDrawing(view);
    EXPECT_TRUE(options.fills);
    EXPECT_FALSE(options.periodicImages);
    EXPECT_TRUE(options.rotationMarks);
    EXPECT_TRUE(options.selectedGrainsOnly);
    EXPECT_FALSE(options.contactLines);
    EXPECT_EQ(options.ratio, 2.5f);
    EXPECT_TRUE(pictureDrawing({false, true, false, ContactDisplay::DrawLines, 1.0f}).contactLines);
    EXPECT_TRUE(pictureDrawing({false, true, false, ContactDisplay::DrawLines, 1.0f}).periodicImages);
}

struct MarkCase {
    bool selected;
    bool periodic;
    bool marked;
};

class RotationMarkPasses : public SceneRendering, public ::testing::WithParamInterface<MarkCase> {};

// The marks compare angles unwrapped once where the particle is drawn and once per
// periodic image; an unselected particle under grain selection is drawn only in the images.
TEST_P(RotationMarkPasses, SeeTheAnglesUnwrappedOncePerDrawingOfTheParticle) {
    const MarkCase& c = GetParam();
    add(-2.0, 0.0, 1.0, 20).selected = true;
    Particle& turned = add(2.0, 0.0, 1.0, 20);
    turned.previous.theta = -3.1;
    turned.current.theta = 3.1;
    turned.selected = c.selected;
    scene.nctot = scene.ncont = 1;
    scene.contacts[1] = {1, 2, 0.0, 0.0, 0.0, 5.0, 0.0};
    scene.avfn = 1.0;
    scene.avrot = 0.5;
    ScaleState scale;
    scale.ScaleLeft = -5.0f;
    scale.ScaleTop = 5.0f;
    scale.ScaleWidth = 10.0f;
    scale.ScaleHeight = -10.0f;
    DrawingOptions options = pictureDrawing({false, c.periodic, true, ContactDisplay::GrainSelect, 1.0f});
    renderer.draw(scene, SceneTransform::picture(scale, 100, 100), options, canvas);
    EXPECT_EQ(canvas.count(palette::kRelativeRotation), c.marked ? 1 : 0);  // a closed square
}

INSTANTIATE_TEST_SUITE_P(GrainSelection, RotationMarkPasses,
                         ::testing::Values(MarkCase{false, false, true}, MarkCase{true, false, false},
                                           MarkCase{false, true, false}, MarkCase{true, true, false}));

TEST(PainterCanvasDrawing, TakesTheAskedColourAndKeepsThePenWidth) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPen pen(QColor(0, 0, 128));
    pen.setWidthF(1.0);
    painter.setPen(pen);
    PainterCanvas canvas(painter);
    FigureBatch figures;
    figures.addSegment({2.0, 5.5}, {18.0, 5.5});
    canvas.stroke(figures, 0xFF000080u);
    EXPECT_EQ(painter.pen().color(), QColor(0, 0, 128));
    figures.clear();
    PixelPoint* corners = figures.add(3);
    corners[0] = {2.0, 10.5};
    corners[1] = {18.0, 10.5};
    corners[2] = {18.0, 18.5};
    canvas.stroke(figures, 0xFFFF0000u);
    EXPECT_EQ(painter.pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(painter.pen().widthF(), 1.0);
    figures.clear();
    figures.addSegment({2.0, 2.5}, {18.0, 2.5});
    canvas.stroke(figures, 0xFFFF0000u, 2);
    EXPECT_EQ(painter.pen().widthF(), 2.0);
    painter.end();
    EXPECT_EQ(image.pixel(10, 5), 0xFF000080u);
    EXPECT_EQ(image.pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(10, 15), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace sorvath
