#include "viewer/draw/scene_picture.h"

#include "viewer/draw/palette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sorvath {
namespace {

// Replaces the previous angle by one a full turn away when the two differ by more
// than 90 degrees, so a turn across +-pi counts as the small turn it is.
void unwrapPrevious(Particle& particle) {
    const double difference = particle.current.theta - particle.previous.theta;
    const double degrees = std::fabs(difference) / kPi * 180.0;
    if (degrees > 90.0) particle.previous.theta += difference > 0.0 ? 2.0 * kPi : -2.0 * kPi;
}

QRgb fillColour(const Particle& particle, SourceMode source) {
    const double current = particle.current.theta;
    const double previous = particle.previous.theta;
    if (current > previous || source == SourceMode::Input) return palette::kCounterClockwise;
    if (current == previous) return palette::kUnchanged;
    return palette::kClockwise;
}

int clampedCount(int count, int capacity) { return std::clamp(count, 0, capacity); }

bool validIndex(const Scene& scene, int index) { return index >= 0 && index <= scene.particleSlots(); }

}  // namespace

ScenePicture::ScenePicture(int w0, int h0) : image_(w0, h0, QImage::Format_RGB32), w0_(w0), h0_(h0) { clear(); }

void ScenePicture::clear() { image_.fill(palette::kBackground); }

void ScenePicture::setscale(const Scene& scene) {
    scale_ = fittedScale(extentOf(scene), w0_, h0_);
    clear();
}

double ScenePicture::pixelX(double x) const {
    return (x - static_cast<double>(scale_.ScaleLeft)) / static_cast<double>(scale_.ScaleWidth) * w0_;
}

double ScenePicture::pixelY(double y) const {
    return (y - static_cast<double>(scale_.ScaleTop)) / static_cast<double>(scale_.ScaleHeight) * h0_;
}

PixelPoint ScenePicture::toPixel(double x, double y) const { return {pixelX(x), pixelY(y)}; }

const std::vector<PixelPoint>& ScenePicture::outline(const Particle& particle, double xadd) {
    const int nv = particle.nv;
    const OutlineAngles& angles = outlineTable_.angles(nv);
    const double cosTheta = std::cos(particle.current.theta);
    const double sinTheta = std::sin(particle.current.theta);
    const double x = particle.current.x + xadd;
    const double y = particle.current.y;
    const double a = particle.a;
    const double b = particle.b;
    // World to pixel as one multiply-add per axis.
    const double sx = w0_ / static_cast<double>(scale_.ScaleWidth);
    const double sy = h0_ / static_cast<double>(scale_.ScaleHeight);
    const double left = scale_.ScaleLeft;
    const double top = scale_.ScaleTop;
    vertices_.resize(static_cast<size_t>(nv) + 1);
    for (int k = 0; k <= nv; ++k) {
        const runfiles::Point p = runfiles::placedPoint(
            runfiles::ownFramePoint(a, b, angles.cosPhi[static_cast<size_t>(k)], angles.sinPhi[static_cast<size_t>(k)]),
            x, y, cosTheta, sinTheta);
        vertices_[static_cast<size_t>(k)] = {(p.x - left) * sx, (p.y - top) * sy};
    }
    return vertices_;
}

void ScenePicture::drawWalls(Raster& raster, const Scene& scene, double xadd) {
    const int nwall = clampedCount(scene.nwall, scene.wallSlots());
    for (int j = 1; j <= nwall; ++j) {
        const Wall& wall = scene.walls[static_cast<size_t>(j)];
        raster.line(toPixel(wall.x1 + xadd, wall.y1), toPixel(wall.x2 + xadd, wall.y2), palette::kForeground);
    }
}

void ScenePicture::drawscene(Scene& scene, const ViewOptions& options) {
    Raster raster(image_);
    const int nop = clampedCount(scene.nop, scene.particleSlots());
    const bool grainSelect = options.contactDisplay == ContactDisplay::GrainSelect;
    auto drawn = [&](const Particle& particle) { return particle.nv >= 1 && (!grainSelect || particle.selected); };

    // Fills first, so the outlines drawn afterwards stay visible where particles touch.
    for (int i = 1; i <= nop; ++i) {
        Particle& particle = scene.particles[static_cast<size_t>(i)];
        if (!drawn(particle)) continue;
        unwrapPrevious(particle);
        if (!options.colour) continue;
        const std::vector<PixelPoint>& points = outline(particle, 0.0);
        raster.fillConvexPolygon(points.data(), particle.nv, fillColour(particle, scene.source));
    }

    drawWalls(raster, scene, 0.0);
    for (int i = 1; i <= nop; ++i) {
        const Particle& particle = scene.particles[static_cast<size_t>(i)];
        if (!drawn(particle)) continue;
        const std::vector<PixelPoint>& points = outline(particle, 0.0);
        for (int k = 0; k < particle.nv; ++k)
            raster.line(points[static_cast<size_t>(k)], points[static_cast<size_t>(k) + 1], palette::kForeground);
        // Orientation mark along the a axis: centre to the last outline point.
        raster.line(toPixel(particle.current.x, particle.current.y), points.back(), palette::kForeground);
    }

    if (options.periodic) {
        const double shift =
            scene.perw - scene.dt * (static_cast<double>(scene.iloop) - static_cast<double>(scene.iloop0)) * scene.perv;
        for (const double xadd : {-shift, shift}) {
            drawWalls(raster, scene, xadd);
            for (int i = 1; i <= nop; ++i) {
                Particle& particle = scene.particles[static_cast<size_t>(i)];
                if (particle.nv < 1) continue;
                unwrapPrevious(particle);
                const std::vector<PixelPoint>& points = outline(particle, xadd);
                for (int k = 0; k < particle.nv; ++k)
                    raster.line(points[static_cast<size_t>(k)], points[static_cast<size_t>(k) + 1],
                                palette::kForeground);
            }
        }
    }

    if (options.contactDisplay == ContactDisplay::DrawLines) drawContactSegments(raster, scene, options);
    if (options.relativeRotation) drawRotationMarks(raster, scene, options);
}

void ScenePicture::drawContactSegments(Raster& raster, const Scene& scene, const ViewOptions& options) {
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
        raster.line(toPixel(contact.xc - dx, contact.yc - dy), toPixel(contact.xc + dx, contact.yc + dy),
                    palette::kContactForce, width);
    }
}

void ScenePicture::drawRotationMarks(Raster& raster, const Scene& scene, const ViewOptions& options) {
    const double threshold = static_cast<double>(options.ratio) * scene.avfn;
    const double s = 0.2 * scene.particles[1].a;
    const int ncont = clampedCount(std::min(scene.ncont, scene.nctot), scene.contactSlots());
    for (int k = 1; k <= ncont; ++k) {
        const Contact& contact = scene.contacts[static_cast<size_t>(k)];
        if (contact.jp < 0) continue;
        if (options.contactDisplay != ContactDisplay::DrawLines && !(contact.fn > threshold)) continue;
        const int i = contact.ip;
        const int j = contact.jp;
        if (!validIndex(scene, i) || !validIndex(scene, j)) continue;
        const Particle& pi = scene.particles[static_cast<size_t>(i)];
        const Particle& pj = scene.particles[static_cast<size_t>(j)];
        const double rel = (pj.current.theta - pj.previous.theta) - (pi.current.theta - pi.previous.theta);
        if (!(std::fabs(rel) > scene.avrot)) continue;
        const PixelPoint corners[4] = {toPixel(contact.xc - s, contact.yc - s), toPixel(contact.xc + s, contact.yc - s),
                                       toPixel(contact.xc + s, contact.yc + s),
                                       toPixel(contact.xc - s, contact.yc + s)};
        for (int c = 0; c < 4; ++c) raster.line(corners[c], corners[(c + 1) % 4], palette::kRelativeRotation);
    }
}

}  // namespace sorvath
