#include "viewer/draw/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sorvath {
namespace {

QRgb fillColour(const Particle& particle, SourceMode source, const SceneColours& colours) {
    const double current = particle.current.theta;
    const double previous = unwrappedPreviousTheta(particle.previous, particle.current, 1);
    if (current > previous || source == SourceMode::Input) return colours.counterClockwise;
    if (current == previous) return colours.unchanged;
    return colours.clockwise;
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

const std::vector<PixelPoint>& SceneRenderer::outline(const Particle& particle, double xadd,
                                                      const SceneTransform& transform) {
    transform.withOutlineMap([&](auto map) { outline_.trace(particle, xadd, map, vertices_); });
    return vertices_;
}

void SceneRenderer::drawWalls(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform, QRgb colour,
                              double xadd) {
    const int nwall = clampedCount(scene.nwall, scene.wallSlots());
    for (int j = 1; j <= nwall; ++j) {
        const Wall& wall = scene.walls[static_cast<size_t>(j)];
        canvas.line(transform.point(wall.x1 + xadd, wall.y1), transform.point(wall.x2 + xadd, wall.y2), colour);
    }
}

void SceneRenderer::draw(const Scene& scene, const SceneTransform& transform, const DrawingOptions& options,
                         SceneCanvas& canvas) {
    const int nop = clampedCount(scene.nop, scene.particleSlots());
    const SceneColours& colours = options.colours;

    if (options.fills) {
        for (int i = 1; i <= nop; ++i) {
            const Particle& particle = scene.particles[static_cast<size_t>(i)];
            if (!drawn(particle, options)) continue;
            const std::vector<PixelPoint>& points = outline(particle, 0.0, transform);
            canvas.fillConvexPolygon(points.data(), particle.nv, fillColour(particle, scene.source, colours));
        }
    }

    drawWalls(canvas, scene, transform, colours.outline, 0.0);
    for (int i = 1; i <= nop; ++i) {
        const Particle& particle = scene.particles[static_cast<size_t>(i)];
        if (!drawn(particle, options)) continue;
        const std::vector<PixelPoint>& points = outline(particle, 0.0, transform);
        canvas.polyline(points.data(), particle.nv + 1, colours.outline);
        // Orientation mark along the a axis: centre to the last outline point.
        canvas.line(transform.point(particle.current.x, particle.current.y), points.back(), colours.outline);
    }

    if (options.periodicImages) {
        const double shift =
            scene.perw - scene.dt * (static_cast<double>(scene.iloop) - static_cast<double>(scene.iloop0)) * scene.perv;
        for (const double xadd : {-shift, shift}) {
            drawWalls(canvas, scene, transform, colours.outline, xadd);
            for (int i = 1; i <= nop; ++i) {
                const Particle& particle = scene.particles[static_cast<size_t>(i)];
                if (particle.nv < 1) continue;
                const std::vector<PixelPoint>& points = outline(particle, xadd, transform);
                canvas.polyline(points.data(), particle.nv + 1, colours.outline);
            }
        }
    }

    if (options.contactLines) drawContactSegments(canvas, scene, transform, options);
    if (options.rotationMarks) drawRotationMarks(canvas, scene, transform, options);
}

void SceneRenderer::drawContactSegments(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                                        const DrawingOptions& options) {
    const double threshold = static_cast<double>(options.ratio) * scene.avfn;
    const int nctot = clampedCount(scene.nctot, scene.contactSlots());
    for (int k = 1; k <= nctot; ++k) {
        const Contact& contact = scene.contacts[static_cast<size_t>(k)];
        const int i = contact.ip;
        const int j = std::abs(static_cast<int>(contact.jp));
        if (!validIndex(scene, i) || !validIndex(scene, j)) continue;
        const double h = (scene.particles[static_cast<size_t>(i)].a + scene.particles[static_cast<size_t>(j)].a) / 2.0;
        const double psi = contact.ang + kPi / 2.0;
        const double dx = h * std::cos(psi);
        const double dy = h * std::sin(psi);
        const int width = contact.fn > threshold ? 2 : 1;
        canvas.line(transform.point(contact.xc - dx, contact.yc - dy),
                    transform.point(contact.xc + dx, contact.yc + dy), options.colours.contactForce, width);
    }
}

void SceneRenderer::drawRotationMarks(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                                      const DrawingOptions& options) {
    const double threshold = static_cast<double>(options.ratio) * scene.avfn;
    const double s = 0.2 * scene.particles[1].a;
    const int ncont = clampedCount(std::min(scene.ncont, scene.nctot), scene.contactSlots());
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
        const PixelPoint corners[4] = {
            transform.point(contact.xc - s, contact.yc - s), transform.point(contact.xc + s, contact.yc - s),
            transform.point(contact.xc + s, contact.yc + s), transform.point(contact.xc - s, contact.yc + s)};
        for (int c = 0; c < 4; ++c) canvas.line(corners[c], corners[(c + 1) % 4], options.colours.relativeRotation);
    }
}

}  // namespace sorvath
