#include "bridge/result_files.h"

#include <charconv>
#include <cmath>

namespace bridge {

void appendNumber(std::string& out, double value) {
    char buffer[40];
    if (value == 0.0) value = 0.0;  // no "-0"
    // Values read from a dump have at most ten digits, and their shortest form (the
    // fast path) shows them as written; longer results are rounded to ten digits.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ptr - buffer > 12)
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    out.push_back(' ');
    out.append(buffer, result.ptr);
}

void appendInteger(std::string& out, long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.push_back(' ');
    out.append(buffer, result.ptr);
}

void appendOutputHead(std::string& out, const Packing& packing, double dt, double nloop,
                      const std::vector<double>& parameterValues) {
    // Header: nop, nwall, dt, two values the viewer skips, perw = perv = 0 (no periodic cell).
    appendInteger(out, static_cast<long>(packing.particles.size()));
    appendInteger(out, static_cast<long>(packing.walls.size()));
    appendNumber(out, dt);
    out += " 0 0 0 0\n";
    // Parameter block: records of 1, 2, 3 and 3 values; nloop first.
    appendNumber(out, nloop);
    out += '\n';
    std::size_t k = 0;
    for (int count : {2, 3, 3}) {
        for (int c = 0; c < count; ++c) appendNumber(out, k < parameterValues.size() ? parameterValues[k++] : 0.0);
        out += '\n';
    }
    long index = 1;
    for (const WallSegment& w : packing.walls) {
        appendInteger(out, index++);
        appendNumber(out, w.x1);
        appendNumber(out, w.y1);
        appendNumber(out, w.x2);
        appendNumber(out, w.y2);
        out += " 0 0\n";
    }
    out += " 0 0 0 0\n";
    index = 1;
    for (const PackedParticle& p : packing.particles) {
        appendInteger(out, index++);
        appendNumber(out, p.a);
        appendNumber(out, p.b);
        out += " 0 0";
        appendInteger(out, p.nv);
        out += '\n';
    }
}

void appendStepBlock(std::string& out, long step, const std::vector<ParticlePose>& poses) {
    appendInteger(out, step);
    out += '\n';
    long index = 1;
    for (const ParticlePose& pose : poses) {
        appendInteger(out, index++);
        appendNumber(out, pose.x);
        appendNumber(out, pose.y);
        appendNumber(out, pose.theta);
        out += '\n';
    }
}

void appendWallBlock(std::string& out, long step, const std::vector<WallSegment>& walls) {
    appendInteger(out, step);
    out += '\n';
    long index = 1;
    for (const WallSegment& w : walls) {
        appendInteger(out, index++);
        appendNumber(out, w.x1);
        appendNumber(out, w.x2);
        appendNumber(out, w.y1);
        appendNumber(out, w.y2);
        out += '\n';
    }
}

void appendContactHeader(std::string& out, long step, int ncont, int nwcont) {
    appendInteger(out, step);
    appendInteger(out, ncont);
    appendInteger(out, nwcont);
    out += '\n';
}

void appendContactRecords(std::string& out, const std::vector<ContactOut>& contacts) {
    for (const ContactOut& c : contacts) {
        appendInteger(out, c.ip);
        appendInteger(out, c.jp);
        appendNumber(out, c.xc);
        appendNumber(out, c.yc);
        appendNumber(out, c.ang);
        appendNumber(out, c.fn);
        appendNumber(out, c.extra);
        out += '\n';
    }
}

double segmentAngle(double x1, double y1, double x2, double y2) {
    const double kHalfPi = 1.57079632679489661923;
    return std::atan2(y2 - y1, x2 - x1) - kHalfPi;
}

}  // namespace bridge
