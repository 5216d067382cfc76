#include "bridge/body_contacts.h"

#include "bridge/lammps_input.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace bridge {

namespace {

double pointSegmentDistance(const Point& p, const Point& a, const Point& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double vertexToEdges(const std::vector<Point>& p, const std::vector<Point>& q) {
    double best = 1e300;
    const std::size_t edges = q.size() < 3 ? q.size() - (q.size() == 2 ? 1 : 0) : q.size();
    for (const Point& v : p) {
        if (q.size() == 1) {
            best = std::min(best, std::hypot(v.x - q[0].x, v.y - q[0].y));
            continue;
        }
        for (std::size_t k = 0; k < edges; ++k)
            best = std::min(best, pointSegmentDistance(v, q[k], q[(k + 1) % q.size()]));
    }
    return best;
}

}  // namespace

double polygonDistance(const std::vector<Point>& p, const std::vector<Point>& q) {
    return std::min(vertexToEdges(p, q), vertexToEdges(q, p));
}

BodyContactFinder::BodyContactFinder(const Packing& packing, const RunParameters& parameters) : kn_(parameters.kn) {
    for (const PackedParticle& particle : packing.particles) {
        Shape shape;
        shape.rounded = roundedRadius(particle, parameters);
        if (particle.kind == ShapeKind::Disc)
            shape.vertices = {{0.0, 0.0}};
        else
            shape.vertices = bodyVertices(particle, shape.rounded);
        double farthest = 0.0;
        for (const Point& v : shape.vertices) farthest = std::max(farthest, std::hypot(v.x, v.y));
        shape.enclosing = farthest + shape.rounded;
        cell_ = std::max(cell_, 2.0 * shape.enclosing);
        shapes_.push_back(std::move(shape));
    }
    world_.resize(shapes_.size());
}

void BodyContactFinder::find(const std::vector<ParticlePose>& poses, const std::vector<WallSegment>& walls,
                             std::vector<ContactOut>& pairs, std::vector<ContactOut>& wallContacts) {
    pairs.clear();
    wallContacts.clear();
    const std::size_t n = shapes_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double c = std::cos(poses[i].theta);
        const double s = std::sin(poses[i].theta);
        world_[i].clear();
        for (const Point& v : shapes_[i].vertices)
            world_[i].push_back({poses[i].x + c * v.x - s * v.y, poses[i].y + s * v.x + c * v.y});
    }
    // Candidate pairs from a grid of cells as wide as the largest enclosing diameter.
    std::unordered_map<long long, std::vector<int>> grid;
    const auto key = [](long long cx, long long cy) { return (cx << 32) ^ (cy & 0xffffffffLL); };
    for (std::size_t i = 0; i < n; ++i)
        grid[key(static_cast<long long>(std::floor(poses[i].x / cell_)),
                 static_cast<long long>(std::floor(poses[i].y / cell_)))]
            .push_back(static_cast<int>(i));
    for (std::size_t i = 0; i < n; ++i) {
        const long long cx = static_cast<long long>(std::floor(poses[i].x / cell_));
        const long long cy = static_cast<long long>(std::floor(poses[i].y / cell_));
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy) {
                const auto found = grid.find(key(cx + dx, cy + dy));
                if (found == grid.end()) continue;
                for (int j : found->second) {
                    if (static_cast<std::size_t>(j) <= i) continue;
                    const ParticlePose& a = poses[i];
                    const ParticlePose& b = poses[static_cast<std::size_t>(j)];
                    const double reach = shapes_[i].enclosing + shapes_[static_cast<std::size_t>(j)].enclosing;
                    if (std::hypot(b.x - a.x, b.y - a.y) >= reach) continue;
                    const double overlap = shapes_[i].rounded + shapes_[static_cast<std::size_t>(j)].rounded -
                                           polygonDistance(world_[i], world_[static_cast<std::size_t>(j)]);
                    if (overlap <= 0.0) continue;
                    ContactOut contact;
                    contact.ip = static_cast<int>(i) + 1;
                    contact.jp = j + 1;
                    contact.xc = 0.5 * (a.x + b.x);
                    contact.yc = 0.5 * (a.y + b.y);
                    contact.ang = segmentAngle(a.x, a.y, b.x, b.y);
                    contact.fn = -kn_ * overlap;
                    pairs.push_back(contact);
                }
            }
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const ContactOut& l, const ContactOut& r) { return l.ip != r.ip ? l.ip < r.ip : l.jp < r.jp; });

    for (std::size_t i = 0; i < n; ++i) {
        for (const WallSegment& w : walls) {
            // Nearest vertex to the wall line and its foot on the wall.
            const double wx = w.x2 - w.x1;
            const double wy = w.y2 - w.y1;
            const double length = std::hypot(wx, wy);
            if (length == 0.0) continue;
            double nearest = 1e300;
            Point foot;
            for (const Point& v : world_[i]) {
                const double t = std::clamp(((v.x - w.x1) * wx + (v.y - w.y1) * wy) / (length * length), 0.0, 1.0);
                const Point f{w.x1 + t * wx, w.y1 + t * wy};
                const double d = std::hypot(v.x - f.x, v.y - f.y);
                if (d < nearest) {
                    nearest = d;
                    foot = f;
                }
            }
            const double overlap = shapes_[i].rounded - nearest;
            if (overlap <= 0.0) continue;
            ContactOut contact;
            contact.ip = static_cast<int>(i) + 1;
            contact.jp = 0;
            contact.xc = 0.5 * (poses[i].x + foot.x);
            contact.yc = 0.5 * (poses[i].y + foot.y);
            contact.ang = segmentAngle(poses[i].x, poses[i].y, foot.x, foot.y);
            contact.fn = -kn_ * overlap;
            wallContacts.push_back(contact);
        }
    }
}

}  // namespace bridge
