#include "viewer/draw/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sorvath {
namespace {

// The particle's fill: 0 counter-clockwise (every particle of an input file), 1 unchanged,
// 2 clockwise.
int fillKind(const Particle& particle, SourceMode source) {
    const double current = particle.current.theta;
    const double previous = unwrappedPreviousTheta(particle.previous, particle.current, 1);
    if (current > previous || source == SourceMode::Input) return 0;
    if (current == previous) return 1;
    return 2;
}

int clampedCount(int count, int capacity) { return std::clamp(count, 0, capacity); }

bool validIndex(const Scene& scene, int index) { return index >= 0 && index <= scene.particleSlots(); }

bool drawn(const Particle& particle, const DrawingOptions& options) {
    return particle.nv >= 1 && (!options.selectedGrainsOnly || particle.selected);
}

// How many unwrapping passes the rotation marks see for particle i: one where the
// particle itself is drawn and one for each periodic image.
int unwrappingPasses(const Scene& scene, int i, const DrawingOptions& options) {
    if (i < 1 || i > clampedCount(scene.nop, scene.particleSlots())) return 0;
    const Particle& particle = scene.particles[static_cast<size_t>(i)];
    if (particle.nv < 1) return 0;
    return (drawn(particle, options) ? 1 : 0) + (options.periodicImages ? 2 : 0);
}

}  // namespace

double unwrappedPreviousTheta(const Pose& previous, const Pose& current, int passes) {
    double theta = previous.theta;
    for (int pass = 0; pass < passes; ++pass) {
        const double difference = current.theta - theta;
        const double degrees = std::fabs(difference) / kPi * 180.0;
        if (!(degrees > 90.0)) break;  // a pass that changes nothing leaves every later one alike
        theta += difference > 0.0 ? 2.0 * kPi : -2.0 * kPi;
    }
    return theta;
}

void SceneRenderer::trace(const Particle& particle, double xadd, const SceneTransform& transform, PixelPoint* out) {
    transform.withOutlineMap([&](auto map) { outline_.trace(particle, xadd, map, out); });
}

void SceneRenderer::addWalls(const Scene& scene, const SceneTransform& transform, double xadd) {
    const int nwall = clampedCount(scene.nwall, scene.wallSlots());
    for (int j = 1; j <= nwall; ++j) {
        const Wall& wall = scene.walls[static_cast<size_t>(j)];
        lines_.addSegment(transform.point(wall.x1 + xadd, wall.y1), transform.point(wall.x2 + xadd, wall.y2));
    }
}

void SceneRenderer::draw(const Scene& scene, const SceneTransform& transform, const DrawingOptions& options,
                         SceneCanvas& canvas) {
    const int nop = clampedCount(scene.nop, scene.particleSlots());
    const SceneColours& colours = options.colours;
    // Every particle is traced once: its outline goes into the outline colour's path and,
    // with fills, its polygon into its fill colour's path, in the particles' order.
    lines_.clear();
    for (FigureBatch& polygons : fills_) polygons.clear();
    addWalls(scene, transform, 0.0);
    for (int i = 1; i <= nop; ++i) {
        const Particle& particle = scene.particles[static_cast<size_t>(i)];
        if (!drawn(particle, options)) continue;
        const int nv = particle.nv;
        PixelPoint* points = lines_.add(nv + 1);
        trace(particle, 0.0, transform, points);
        if (options.fills)
            std::copy(points, points + nv, fills_[static_cast<size_t>(fillKind(particle, scene.source))].add(nv, i));
        // Orientation mark along the a axis: centre to the last outline point.
        const PixelPoint last = points[nv];
        lines_.addSegment(transform.point(particle.current.x, particle.current.y), last);
    }
    if (options.periodicImages) {
        const double shift =
            scene.perw - scene.dt * (static_cast<double>(scene.iloop) - static_cast<double>(scene.iloop0)) * scene.perv;
        for (const double xadd : {-shift, shift}) {
            addWalls(scene, transform, xadd);
            for (int i = 1; i <= nop; ++i) {
                const Particle& particle = scene.particles[static_cast<size_t>(i)];
                if (particle.nv < 1) continue;
                trace(particle, xadd, transform, lines_.add(particle.nv + 1));
            }
        }
    }

    // Fills first, so the outlines drawn afterwards stay visible where particles touch.
    if (options.fills) {
        const FillBatch batches[kFillColours] = {
            {&fills_[0], colours.counterClockwise}, {&fills_[1], colours.unchanged}, {&fills_[2], colours.clockwise}};
        canvas.fill(batches);
    }
    canvas.stroke(lines_, colours.outline);
    if (options.contactLines) drawContactSegments(canvas, scene, transform, options);
    if (options.rotationMarks) drawRotationMarks(canvas, scene, transform, options);
}

void SceneRenderer::drawContactSegments(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                                        const DrawingOptions& options) {
    const double threshold = static_cast<double>(options.ratio) * scene.avfn;
    const int nctot = clampedCount(scene.nctot, scene.contactSlots());
    // The two widths in one colour: which is drawn first changes no pixel.
    thinSegments_.clear();
    wideSegments_.clear();
    for (int k = 1; k <= nctot; ++k) {
        const Contact& contact = scene.contacts[static_cast<size_t>(k)];
        const int i = contact.ip;
        const int j = std::abs(static_cast<int>(contact.jp));
        if (!validIndex(scene, i) || !validIndex(scene, j)) continue;
        const double h = (scene.particles[static_cast<size_t>(i)].a + scene.particles[static_cast<size_t>(j)].a) / 2.0;
        const double psi = contact.ang + kPi / 2.0;
        const double dx = h * std::cos(psi);
        const double dy = h * std::sin(psi);
        (contact.fn > threshold ? wideSegments_ : thinSegments_)
            .addSegment(transform.point(contact.xc - dx, contact.yc - dy),
                        transform.point(contact.xc + dx, contact.yc + dy));
    }
    canvas.stroke(thinSegments_, options.colours.contactForce, 1);
    canvas.stroke(wideSegments_, options.colours.contactForce, 2);
}

void SceneRenderer::drawRotationMarks(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                                      const DrawingOptions& options) {
    const double threshold = static_cast<double>(options.ratio) * scene.avfn;
    const double s = 0.2 * scene.particles[1].a;
    const int ncont = clampedCount(std::min(scene.ncont, scene.nctot), scene.contactSlots());
    squares_.clear();
    for (int k = 1; k <= ncont; ++k) {
        const Contact& contact = scene.contacts[static_cast<size_t>(k)];
        if (contact.jp < 0) continue;
        if (!options.contactLines && !(contact.fn > threshold)) continue;
        const int i = contact.ip;
        const int j = contact.jp;
        if (!validIndex(scene, i) || !validIndex(scene, j)) continue;
        const Particle& pi = scene.particles[static_cast<size_t>(i)];
        const Particle& pj = scene.particles[static_cast<size_t>(j)];
        const double previousI = unwrappedPreviousTheta(pi.previous, pi.current, unwrappingPasses(scene, i, options));
        const double previousJ = unwrappedPreviousTheta(pj.previous, pj.current, unwrappingPasses(scene, j, options));
        const double rel = (pj.current.theta - previousJ) - (pi.current.theta - previousI);
        if (!(std::fabs(rel) > scene.avrot)) continue;
        // The square's outline, back to its first corner.
        PixelPoint* corners = squares_.add(5);
        corners[0] = transform.point(contact.xc - s, contact.yc - s);
        corners[1] = transform.point(contact.xc + s, contact.yc - s);
        corners[2] = transform.point(contact.xc + s, contact.yc + s);
        corners[3] = transform.point(contact.xc - s, contact.yc + s);
        corners[4] = corners[0];
    }
    canvas.stroke(squares_, options.colours.relativeRotation);
}

}  // namespace sorvath
