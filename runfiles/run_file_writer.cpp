#include "runfiles/run_file_writer.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

namespace runfiles {

namespace {

constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13};
constexpr long long kIntegerPowers[] = {1LL,           10LL,           100LL,           1000LL,          10000LL,
                                        100000LL,      1000000LL,      10000000LL,      100000000LL,     1000000000LL,
                                        10000000000LL, 100000000000LL, 1000000000000LL, 10000000000000LL};

// "00" to "99": the digits of a number are written two at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal digits of value (at least minimum of them, zeros in front) ending at end.
char* digits(char* end, long long value, int minimum) {
    auto rest = static_cast<unsigned long long>(value);
    char* const last = end;
    while (rest >= 100) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * (rest % 100), 2);
        rest /= 100;
    }
    if (rest >= 10) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * rest, 2);
    } else {
        *--end = static_cast<char>('0' + rest);
    }
    while (last - end < minimum) *--end = '0';
    return end;
}

void appendTenDigits(std::string& out, double value) {
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        out.push_back('0');
        return;
    }
    if (!(magnitude >= 1e-4 && magnitude < 1e9)) {
        char buffer[40];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
        out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
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
    out.append(begin, static_cast<std::size_t>(end - begin));
}

void appendWholeNumber(std::string& out, long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

void parameterBlock(RecordWriter& out, const RunHead& head, RecordLayout layout) {
    out.number(head.nloop);
    out.endRecord();
    std::size_t k = 0;
    for (int count : {2, 3, 3}) {
        for (int c = 0; c < count; ++c) out.number(head.parameters[k++]);
        out.endRecord();
    }
    if (layout == RecordLayout::Old) {
        out.number(head.lastOldRecord[0]);
        out.number(head.lastOldRecord[1]);
        out.endRecord();
    }
}

void material(RecordWriter& out, const RunHead& head) {
    out.number(head.material.first);
    out.number(head.material.second);
}

// A particle's shape fields after its index (if any): the layout decides which.
void shapeFields(RecordWriter& out, const RunHead& head, const ParticleShape& shape, RecordLayout layout) {
    out.number(shape.a);
    if (layout == RecordLayout::Old) return;
    out.number(shape.b);
    material(out, head);
    if (layout == RecordLayout::Long) out.integer(shape.nv);
}

void poseRecord(RecordWriter& out, const Pose& pose) {
    out.number(pose.x);
    out.number(pose.y);
    out.number(pose.theta);
    out.endRecord();
}

// The old layout's leading 0, then nop, nwall, dt and the value after them.
void headCounts(RecordWriter& out, const RunHead& head, std::size_t particles, std::size_t walls, RecordLayout layout) {
    if (layout == RecordLayout::Old) {
        out.integer(0);
        out.endRecord();
    }
    out.integer(static_cast<long>(particles));
    out.integer(static_cast<long>(walls));
    out.number(head.dt);
    out.integer(0);
}

void wallEnds(RecordWriter& out, const Wall& wall) {
    out.number(wall.x1);
    out.number(wall.y1);
    out.number(wall.x2);
    out.number(wall.y2);
}

}  // namespace

void appendNumber(std::string& out, double value) {
    out.push_back(' ');
    appendTenDigits(out, value);
}

void appendInteger(std::string& out, long value) {
    out.push_back(' ');
    appendWholeNumber(out, value);
}

RecordWriter::RecordWriter(std::string& out, TextLayout layout) : out_(out), layout_(std::move(layout)) {}

void RecordWriter::startField() {
    if (lineOpen_ && layout_.lines == LineBreaking::FieldPerLine) endLine();
    if (lineOpen_ && layout_.separator.size() == 1)
        out_.push_back(layout_.separator[0]);
    else if (lineOpen_)
        out_ += layout_.separator;
    else
        out_.push_back(' ');
    lineOpen_ = true;
}

void RecordWriter::endLine() {
    if (!lineOpen_) return;
    out_.push_back('\n');
    lineOpen_ = false;
}

void RecordWriter::integer(long value) {
    startField();
    appendWholeNumber(out_, value);
}

void RecordWriter::number(double value) {
    startField();
    if (layout_.numbers == NumberForm::TenDigits) {
        appendTenDigits(out_, value);
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void RecordWriter::endRecord() {
    if (layout_.lines == LineBreaking::RecordPerLine) endLine();
}

void RecordWriter::finish() { endLine(); }

void writeInputFile(RecordWriter& out, const RunHead& head, const std::vector<ParticleShape>& shapes,
                    const std::vector<Wall>& walls, const std::vector<Pose>& first, const std::vector<Pose>& second,
                    RecordLayout layout) {
    headCounts(out, head, shapes.size(), walls.size(), layout);
    out.endRecord();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        shapeFields(out, head, shapes[i], layout);
        out.endRecord();
        poseRecord(out, first.at(i));
        poseRecord(out, second.at(i));
    }
    for (const Wall& wall : walls) {
        wallEnds(out, wall);
        out.endRecord();
        if (layout != RecordLayout::Old) {
            material(out, head);
            out.endRecord();
        }
    }
    parameterBlock(out, head, layout);
}

void writeOutputHeadStart(RecordWriter& out, const RunHead& head, std::size_t particles, const std::vector<Wall>& walls,
                          RecordLayout layout) {
    // nop, nwall, dt, two values the viewer skips, the periodic cell.
    headCounts(out, head, particles, walls.size(), layout);
    out.integer(0);
    out.number(head.perw);
    out.number(head.perv);
    out.endRecord();
    parameterBlock(out, head, layout);
    long index = 1;
    for (const Wall& wall : walls) {
        out.integer(index++);
        wallEnds(out, wall);
        if (layout != RecordLayout::Old) material(out, head);
        out.endRecord();
    }
    if (layout != RecordLayout::Old) {
        for (int k = 0; k < 4; ++k) out.number(0.0);
        out.endRecord();
    }
}

void writeShapeRecord(RecordWriter& out, const RunHead& head, long index, const ParticleShape& shape,
                      RecordLayout layout) {
    out.integer(index);
    shapeFields(out, head, shape, layout);
    out.endRecord();
}

void writeOutputHead(RecordWriter& out, const RunHead& head, const std::vector<ParticleShape>& shapes,
                     const std::vector<Wall>& walls, RecordLayout layout) {
    writeOutputHeadStart(out, head, shapes.size(), walls, layout);
    long index = 1;
    for (const ParticleShape& shape : shapes) writeShapeRecord(out, head, index++, shape, layout);
}

void writeStepRecord(RecordWriter& out, long step) {
    out.integer(step);
    out.endRecord();
}

void writePoseRecord(RecordWriter& out, long index, const Pose& pose) {
    out.integer(index);
    poseRecord(out, pose);
}

void writeStepBlock(RecordWriter& out, long step, const std::vector<Pose>& poses) {
    writeStepRecord(out, step);
    long index = 1;
    for (const Pose& pose : poses) writePoseRecord(out, index++, pose);
}

void writeWallBlock(RecordWriter& out, long step, const std::vector<Wall>& walls) {
    out.integer(step);
    out.endRecord();
    long index = 1;
    for (const Wall& wall : walls) {
        out.integer(index++);
        out.number(wall.x1);
        out.number(wall.x2);
        out.number(wall.y1);
        out.number(wall.y2);
        out.endRecord();
    }
}

void writeContactHeader(RecordWriter& out, long step, long ncont, long nwcont) {
    out.integer(step);
    out.integer(ncont);
    out.integer(nwcont);
    out.endRecord();
}

void writeContactRecord(RecordWriter& out, const Contact& c) {
    out.integer(c.ip);
    out.integer(c.jp);
    out.number(c.xc);
    out.number(c.yc);
    out.number(c.ang);
    out.number(c.fn);
    out.number(c.extra);
    out.endRecord();
}

void writeContactRecords(RecordWriter& out, const std::vector<Contact>& contacts) {
    for (const Contact& c : contacts) writeContactRecord(out, c);
}

}  // namespace runfiles
