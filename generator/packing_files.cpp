#include "generator/packing_files.h"

#include <array>
#include <map>
#include <sstream>
#include <string>

#include "generator/fixed_layout.h"
#include "generator/free_format.h"

namespace tessark {

namespace {

constexpr double kDensity = 2000.0;
constexpr double kStiffnessValue = 1000.0;

const FixedLayout& labelledReal() {
    static const FixedLayout layout = layoutOf("(' ',A,3X,E15.7)");
    return layout;
}

const FixedLayout& labelOnly() {
    static const FixedLayout layout = layoutOf("(' ',A)");
    return layout;
}

std::string labelled(std::string_view label, double value) { return labelledReal().format({label, value}); }

std::string label(std::string_view text) { return labelOnly().format({text}); }

// The edge-count table of a polygon packing.
void writeEdgeCounts(const ControlRecord& c, const ParticleTable& table, std::ostream& out) {
    static const FixedLayout countLine = layoutOf("(' ',A,I10)");
    static const FixedLayout edgeLine = layoutOf("(' ',I10,3X,I10,3X,I10)");
    out << label("distribution of nedg") << '\n';
    out << countLine.format({std::string_view("the minimum number of nedg="), std::int64_t{c.ndgmn}}) << '\n';
    out << countLine.format({std::string_view("the maximum number of nedg="), std::int64_t{c.ndgmx}}) << '\n';
    std::map<std::int64_t, std::int64_t> byEdges;
    for (const Particle& p : table) ++byEdges[p.nedg];
    std::int64_t total = 0;
    for (std::int64_t m = c.ndgmn; m <= c.ndgmx; ++m) {
        const auto found = byEdges.find(m);
        const std::int64_t equal = found == byEdges.end() ? 0 : found->second;
        total += equal;
        out << edgeLine.format({m, equal, total}) << '\n';
    }
}

}  // namespace

std::string totalAreaLine(double sums) { return labelled("SUM OF S=", sums); }

std::string simulatorInputText(const ControlRecord& c, const ParticleTable& table) {
    const bool discs = c.ishape == 2;
    const auto count = static_cast<std::int64_t>(table.size());
    std::string countWidth = "4";
    if (count > 9999) countWidth = std::to_string(std::to_string(count).size());
    const FixedLayout header = layoutOf("(' ',I" + countWidth + ",3X,I4,3X,F20.7,3X,I5)");
    static const FixedLayout shapeLine = layoutOf("(' ',4(D11.4,2X),I3)");
    static const FixedLayout wallLine = layoutOf("(' ',4(E15.7,3X))");
    static const FixedLayout twoReals = layoutOf("(' ',2(E15.7,3X))");
    static const FixedLayout threeReals = layoutOf("(' ',3(E15.7,3X))");
    static const FixedLayout loopLine = layoutOf("(' ',I10)");

    std::string out;
    // A particle's lines: its size (a shortest real, or the 56 characters of
    // the shape line) and twice its pose of three shortest reals.
    out.reserve(table.size() * (discs ? 186 : 220) + 1024);
    if (discs) out += FreeLine().integer(0).str() + '\n';
    out += header.format({count, std::int64_t{4}, 2.0e-6, std::int64_t{0}}) + '\n';
    for (const Particle& p : table) {
        if (discs) {
            appendFreeReal(out, p.a);
        } else {
            const std::int64_t vertices = c.ishape == 1 ? p.nedg : 100;
            out += shapeLine.format({p.a, p.b, kDensity, kStiffnessValue, vertices});
        }
        out.push_back('\n');
        const std::size_t pose = out.size();
        appendFreeReal(out, p.x);
        appendFreeReal(out, p.y);
        appendFreeReal(out, p.theta);
        out.push_back('\n');
        out.append(out, pose, out.size() - pose);
    }
    const std::array<std::array<double, 4>, 4> walls{
        {{c.xa, c.yb, c.xa, c.ya}, {c.xa, c.ya, c.xb, c.ya}, {c.xb, c.ya, c.xb, c.yb}, {c.xb, c.yb, c.xa, c.yb}}};
    for (const auto& w : walls) {
        out += wallLine.format({w[0], w[1], w[2], w[3]}) + '\n';
        if (!discs) out += twoReals.format({kDensity, kStiffnessValue}) + '\n';
    }
    out += loopLine.format({std::int64_t{1000}}) + '\n';
    out += twoReals.format({0.025, 9800.0}) + '\n';
    out += threeReals.format({0.5, 0.5, 0.0}) + '\n';
    out += threeReals.format({0.0, 960000000.0, 240000000.0}) + '\n';
    if (discs) out += FreeLine().real(kDensity).real(kStiffnessValue).str() + '\n';
    return out;
}

std::string statisticsText(const ControlRecord& c, const ParticleTable& table, const PackingStatistics& s) {
    std::ostringstream out;
    out << totalAreaLine(s.sums) << '\n';
    out << label("Distribution of the weight") << '\n';
    out << labelled("rsmin*2=", 2.0 * s.rsmin) << '\n';
    double running = 0.0;
    for (int k = 0; k < kStatisticsClasses; ++k) {
        const double weight = s.weight[static_cast<std::size_t>(k)];
        running += weight;
        out << FreeLine().real(2.0 * s.upper(k)).real(weight / s.sums).real(running / s.sums).str() << '\n';
    }
    out << labelled("rsmax*2=", 2.0 * s.rsmax) << '\n';
    out << FreeLine().text("sums, tarea2").real(s.sums).real(s.tarea2).str() << '\n';

    out << label("distribution of circumscribed diameter Dc") << '\n';
    out << labelled("rsmin*2=", 2.0 * s.rsmin) << '\n';
    const double n = static_cast<double>(table.size());
    long counted = 0;
    for (int k = 0; k < kStatisticsClasses; ++k) {
        const long count = s.counts[static_cast<std::size_t>(k)];
        counted += count;
        out << FreeLine()
                   .real(2.0 * s.upper(k))
                   .real(static_cast<double>(count) / n)
                   .real(static_cast<double>(counted) / n)
                   .str()
            << '\n';
    }
    out << labelled("rsmax*2=", 2.0 * s.rsmax) << '\n';

    if (c.ishape == 0) {
        static const FixedLayout aspectLine = layoutOf("(' ',E13.6,3X,I10,3X,I10)");
        out << label("Distribution of aspect ratio") << '\n';
        out << labelled("axismin=", c.axismin) << '\n';
        long total = 0;
        for (int k = 0; k < kStatisticsClasses; ++k) {
            const long count = s.aspectCounts[static_cast<std::size_t>(k)];
            total += count;
            out << aspectLine.format({s.aspectUpper(c.axismin, k), static_cast<std::int64_t>(count),
                                      static_cast<std::int64_t>(total)})
                << '\n';
        }
        out << labelled("axismx=", 1.0) << '\n';
    }
    if (c.ishape == 1) writeEdgeCounts(c, table, out);
    return std::move(out).str();
}

}  // namespace tessark
