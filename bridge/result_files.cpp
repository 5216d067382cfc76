#include "bridge/result_files.h"

#include <charconv>
#include <cmath>

namespace bridge {

namespace {

constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13};
constexpr long long kIntegerPowers[] = {1LL,           10LL,           100LL,           1000LL,          10000LL,
                                        100000LL,      1000000LL,      10000000LL,      100000000LL,     1000000000LL,
                                        10000000000LL, 100000000000LL, 1000000000000LL, 10000000000000LL};

char* digits(char* end, long long value, int minimum) {
    int count = 0;
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
        ++count;
    } while (value > 0 || count < minimum);
    return end;
}

}  // namespace

void appendNumber(std::string& out, double value) {
    out.push_back(' ');
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        out.push_back('0');
        return;
    }
    if (!(magnitude >= 1e-4 && magnitude < 1e9)) {
        char buffer[40];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
        out.append(buffer, result.ptr);
        return;
    }
    // Ten significant digits in fixed-point form, trailing zeros dropped: the number of
    // decimals follows from the decimal exponent, the digits from one rounded integer.
    int exponent = 0;
    if (magnitude >= 1.0)
        while (magnitude >= kPowers[exponent + 1]) ++exponent;
    else
        while (magnitude * kPowers[-exponent] < 1.0) --exponent;
    const int decimals = 9 - exponent;
    const long long scaled = std::llround(magnitude * kPowers[decimals]);
    long long whole = scaled / kIntegerPowers[decimals];
    long long fraction = scaled % kIntegerPowers[decimals];
    int places = decimals;
    while (places > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    char buffer[40];
    char* end = buffer + sizeof buffer;
    char* begin = end;
    if (places > 0) {
        begin = digits(end, fraction, places);
        *--begin = '.';
    }
    begin = digits(begin, whole, 1);
    if (value < 0) *--begin = '-';
    out.append(begin, end);
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
