#include "bridge/contact_records.h"

#include "runfiles/constants.h"

#include <algorithm>
#include <cmath>

namespace demrun {

namespace {

long long key(long long first, long long second) { return (first << 32) | second; }

}  // namespace

ContactRecords::ContactRecords(const std::vector<Clump>& clumps) : worstOverlap_(clumps.size(), 0.0) {
    for (std::size_t p = 0; p < clumps.size(); ++p) {
        rigid_.push_back(clumps[p].rigid);
        for (std::size_t d = 0; d < clumps[p].discs.size(); ++d) {
            particleOf_.push_back(static_cast<int>(p));
            radius_.push_back(clumps[p].radius);
        }
    }
}

template <class Value>
void ContactRecords::SumTable<Value>::clear(std::size_t expected) {
    entries_.clear();
    if (expected > entries_.capacity()) entries_.reserve(expected);
    std::size_t slots = 64;
    while (slots < 2 * expected) slots *= 2;
    if (slots > slots_.size()) index(slots);
    std::fill(slots_.begin(), slots_.end(), -1);
}

template <class Value>
std::size_t ContactRecords::SumTable<Value>::slotOf(long long key) const {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ULL) >> shift_);
}

// An index of the given (power of two) size for the entries held.
template <class Value>
void ContactRecords::SumTable<Value>::index(std::size_t slots) {
    slots_.assign(slots, -1);
    shift_ = 64;
    for (std::size_t s = slots; s > 1; s /= 2) --shift_;
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        std::size_t slot = slotOf(entries_[k].first);
        while (slots_[slot] >= 0) slot = (slot + 1) & (slots - 1);
        slots_[slot] = static_cast<std::int32_t>(k);
    }
}

template <class Value>
Value& ContactRecords::SumTable<Value>::at(long long key) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = slotOf(key);
    for (; slots_[slot] >= 0; slot = (slot + 1) & mask) {
        auto& entry = entries_[static_cast<std::size_t>(slots_[slot])];
        if (entry.first == key) return entry.second;
    }
    slots_[slot] = static_cast<std::int32_t>(entries_.size());
    entries_.push_back({key, Value{}});
    if (2 * entries_.size() > slots_.size()) {
        index(2 * slots_.size());
        return entries_.back().second;
    }
    return entries_.back().second;
}

template <class Value>
void ContactRecords::SumTable<Value>::sortByKey() {
    std::sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::fill(slots_.begin(), slots_.end(), -1);  // stale now; clear() starts the next dump
}

template <class Value>
const Value& ContactRecords::SumTable<Value>::sorted(long long key) const {
    return std::lower_bound(entries_.begin(), entries_.end(), key,
                            [](const auto& entry, long long k) { return entry.first < k; })
        ->second;
}

void ContactRecords::start(const std::vector<Point>& atoms, std::size_t pairRows) {
    atoms_ = &atoms;
    pairs_.clear(pairRows);
    pairSpots_.clear(0);
    walls_.clear(0);
}

void ContactRecords::note(int particle, double fraction) {
    double& worst = worstOverlap_[static_cast<std::size_t>(particle)];
    worst = std::max(worst, fraction);
}

void ContactRecords::addPair(std::size_t i, std::size_t j, double normal, double tx, double ty, double dx, double dy) {
    int p = particleOf_[i];
    int q = particleOf_[j];
    if (p == q) return;
    const double distance = std::hypot(dx, dy);
    if (distance == 0.0) return;
    const double overlap = radius_[i] + radius_[j] - distance;
    const double fraction = overlap / std::min(radius_[i], radius_[j]);
    note(p, fraction);
    note(q, fraction);
    // The contact point: halfway into the overlap, on the centre line.
    const Point& a = (*atoms_)[i];
    const double reach = radius_[i] - 0.5 * overlap;
    const double cx = a.x - dx / distance * reach;
    const double cy = a.y - dy / distance * reach;
    double nx = normal * dx / distance;
    double ny = normal * dy / distance;
    if (p > q) {  // the force on the first particle of the pair
        std::swap(p, q);
        nx = -nx;
        ny = -ny;
        tx = -tx;
        ty = -ty;
    }
    Force& sum = pairs_.at(key(p, q));
    sum.nx += nx;
    sum.ny += ny;
    sum.tx += tx;
    sum.ty += ty;
    if (!rigid_[static_cast<std::size_t>(p)] && !rigid_[static_cast<std::size_t>(q)]) return;
    Spot& spot = pairSpots_.at(key(p, q));
    const double weight = std::fabs(normal);
    spot.px += weight * cx;
    spot.py += weight * cy;
    spot.weight += weight;
}

void ContactRecords::addWall(int wall, std::size_t atom, double fx, double fy, double px, double py) {
    const int p = particleOf_[atom];
    const Point& a = (*atoms_)[atom];
    const double dx = a.x - px;
    const double dy = a.y - py;
    const double distance = std::hypot(dx, dy);
    note(p, (radius_[atom] - distance) / radius_[atom]);
    Sum& sum = walls_.at(key(p, wall));
    const double normal = distance > 0.0 ? (fx * dx + fy * dy) / distance : 0.0;
    const double nx = distance > 0.0 ? normal * dx / distance : 0.0;
    const double ny = distance > 0.0 ? normal * dy / distance : 0.0;
    sum.nx += nx;
    sum.ny += ny;
    sum.tx += fx - nx;
    sum.ty += fy - ny;
    const double weight = std::fabs(normal) > 0.0 ? std::fabs(normal) : 1e-300;
    sum.px += weight * px;
    sum.py += weight * py;
    sum.weight += weight;
}

void ContactRecords::forces(std::vector<Point>& perParticle, std::vector<Point>& perWall) const {
    perParticle.assign(rigid_.size(), Point{});
    perWall.assign(3, Point{});
    for (std::size_t e = 0; e < pairs_.size(); ++e) {
        const auto& [k, sum] = pairs_[e];
        Point& first = perParticle[static_cast<std::size_t>(k >> 32)];
        Point& second = perParticle[static_cast<std::size_t>(k & 0xffffffffLL)];
        first.x += sum.nx + sum.tx;
        first.y += sum.ny + sum.ty;
        second.x -= sum.nx + sum.tx;
        second.y -= sum.ny + sum.ty;
    }
    for (std::size_t e = 0; e < walls_.size(); ++e) {
        const auto& [k, sum] = walls_[e];
        Point& on = perParticle[static_cast<std::size_t>(k >> 32)];
        on.x += sum.nx + sum.tx;
        on.y += sum.ny + sum.ty;
        const auto wall = static_cast<std::size_t>(k & 0xffffffffLL);
        if (wall >= perWall.size()) perWall.resize(wall + 1);
        perWall[wall].x += sum.nx + sum.tx;
        perWall[wall].y += sum.ny + sum.ty;
    }
}

void ContactRecords::finish() {
    pairs_.sortByKey();
    pairSpots_.sortByKey();
    walls_.sortByKey();
}

ContactOut ContactRecords::pairRecord(std::size_t k, const std::vector<ParticlePose>& poses) const {
    const auto& [key, force] = pairs_[k];
    Sum sum{force.nx, force.ny, force.tx, force.ty};
    if (rigid_[static_cast<std::size_t>(key >> 32)] || rigid_[static_cast<std::size_t>(key & 0xffffffffLL)]) {
        const Spot& spot = pairSpots_.sorted(key);
        sum.px = spot.px;
        sum.py = spot.py;
        sum.weight = spot.weight;
    }
    return record(key, sum, false, poses);
}

ContactOut ContactRecords::wallRecord(std::size_t k, const std::vector<ParticlePose>& poses) const {
    return record(walls_[k].first, walls_[k].second, true, poses);
}

ContactOut ContactRecords::record(long long k, const Sum& sum, bool wall,
                                  const std::vector<ParticlePose>& poses) const {
    ContactOut c;
    c.ip = static_cast<int>(k >> 32) + 1;
    const ParticlePose& a = poses[static_cast<std::size_t>(c.ip - 1)];
    const double px = sum.weight > 0.0 ? sum.px / sum.weight : a.x;
    const double py = sum.weight > 0.0 ? sum.py / sum.weight : a.y;
    double toX = px, toY = py;  // where the viewer's segment points
    if (wall) {
        c.jp = 0;
        c.xc = 0.5 * (a.x + px);
        c.yc = 0.5 * (a.y + py);
    } else {
        c.jp = static_cast<int>(k & 0xffffffffLL) + 1;
        const ParticlePose& b = poses[static_cast<std::size_t>(c.jp - 1)];
        const bool discs = !rigid_[static_cast<std::size_t>(c.ip - 1)] && !rigid_[static_cast<std::size_t>(c.jp - 1)];
        c.xc = discs ? 0.5 * (a.x + b.x) : px;
        c.yc = discs ? 0.5 * (a.y + b.y) : py;
        toX = b.x;
        toY = b.y;
    }
    c.ang = segmentAngle(a.x, a.y, toX, toY);
    // Compression pushes the first particle away from the contact: written negative.
    const double magnitude = std::hypot(sum.nx, sum.ny);
    const bool pushes = sum.nx * (a.x - toX) + sum.ny * (a.y - toY) >= 0.0;
    c.fn = pushes ? -magnitude : magnitude;
    c.extra = std::hypot(sum.tx, sum.ty);
    return c;
}

double segmentAngle(double x1, double y1, double x2, double y2) {
    return std::atan2(y2 - y1, x2 - x1) - runfiles::kPi / 2.0;
}

}  // namespace demrun
