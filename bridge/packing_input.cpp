#include "bridge/packing_input.h"

#include "bridge/field_text.h"
#include "bridge/run_files.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace demrun {

namespace {

ShapeKind kindOf(double a, double b, int nv, RecordLayout layout) {
    if (a != b) return ShapeKind::Polygon;
    if (layout != RecordLayout::Long) return ShapeKind::Disc;
    return nv == kCircleVertexMark ? ShapeKind::Disc : ShapeKind::Polygon;
}

Packing readInLayout(FieldText& in, RecordLayout layout) {
    in.restart();
    Packing packing;
    packing.layout = layout;
    const bool old = layout == RecordLayout::Old;
    if (old) in.skip(1, "the leading 0");
    const long nop = in.integer("the particle count");
    const long nwall = in.integer("the wall count");
    packing.dt = in.number("the time step");
    in.skip(1, "the last header field");
    if (nop < 1) throw InputError(in.name() + ": particle count " + std::to_string(nop) + " is below 1");
    if (nwall < 0) throw InputError(in.name() + ": wall count " + std::to_string(nwall) + " is below 0");
    // Room for what the rest of the text can hold (a particle record has at least seven
    // fields, a wall four), so a count the file does not back asks for no more memory
    // than the file's size; reading then stops where the text ends, naming it.
    packing.particles.reserve(std::min(static_cast<std::size_t>(nop), in.fieldsLeftAtMost() / 7));
    for (long number = 1; number <= nop; ++number) {
        PackedParticle& p = packing.particles.emplace_back();
        p.a = in.number("a particle's radius a");
        p.b = old ? p.a : in.number("a particle's radius b");
        if (!old) in.skip(2, "a particle's material values");
        if (layout == RecordLayout::Long) {
            const long nv = in.integer("a particle's vertex count");
            if (nv < runfiles::kFewestVertices || nv > runfiles::kMostClumpVertices)
                throw InputError(in.name() + ": vertex count outside 3 .. 1000");
            p.nv = static_cast<int>(nv);
        }
        in.skip(3, "a particle's first pose");
        p.x = in.number("a particle's x");
        p.y = in.number("a particle's y");
        p.theta = in.number("a particle's angle");
        // The packing generator writes b > a only for an ellipse drawn with an aspect
        // ratio above 1, whose placement assumed a bounding circle of radius a.
        if (!(p.a > 0.0) || !(p.b > 0.0) || p.b > p.a * (1.0 + 1e-9))
            throw InputError(in.name() + ": particle " + std::to_string(number) +
                             " has radii a = " + numberText(p.a, 7) + " and b = " + numberText(p.b, 7) +
                             "; demrun needs a >= b > 0 (for ellipses from tessark: axismx at most 1)");
        p.kind = kindOf(p.a, p.b, p.nv, layout);
    }
    packing.walls.reserve(std::min(static_cast<std::size_t>(nwall), in.fieldsLeftAtMost() / 4));
    for (long k = 0; k < nwall; ++k) {
        WallSegment& w = packing.walls.emplace_back();
        w.x1 = in.number("a wall's x1");
        w.y1 = in.number("a wall's y1");
        w.x2 = in.number("a wall's x2");
        w.y2 = in.number("a wall's y2");
        if (!old) in.skip(2, "a wall's material values");
    }
    packing.nloop = in.number("the step count of the parameter block");
    in.skip(8, "the parameter block");
    if (old) in.skip(2, "the last parameter record");
    if (!in.atEnd()) throw InputError(in.name() + ": more fields than the layout holds");
    return packing;
}

}  // namespace

Packing readPacking(std::string_view text, const std::string& name) {
    FieldText in(text, name);
    const bool old = in.number("the first field") == 0.0;
    if (old) return readInLayout(in, RecordLayout::Old);
    try {
        return readInLayout(in, RecordLayout::Long);
    } catch (const InputError& longError) {
        // Records without a vertex count: the viewer's second try. When that fails
        // too, the long reading's complaint is the one to show.
        try {
            return readInLayout(in, RecordLayout::Short);
        } catch (const InputError&) {
            throw longError;
        }
    }
}

Packing readPackingFile(const std::string& path) { return readPacking(readTextFile(path), path); }

std::vector<Point> outlinePoints(const PackedParticle& particle) {
    const runfiles::OutlineAngles angles = runfiles::exactOutlineAngles(particle.nv);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(particle.nv));
    for (std::size_t k = 0; k < static_cast<std::size_t>(particle.nv); ++k)
        points.push_back(runfiles::ownFramePoint(particle.a, particle.b, angles.cosPhi[k], angles.sinPhi[k]));
    return points;
}

}  // namespace demrun
