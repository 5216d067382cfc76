#pragma once
// The values of one control file, with the defaults of the groups a mode does
// not read.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessark {

// The side counts a polygon may have: the three characters of the vertex
// count in "newin.dat" hold -99 to 999. The edge-count table of "OUTD.DAT"
// has one line per count from ndgmn to ndgmx, so both are kept in this range.
inline constexpr int kFewestSides = -99;
inline constexpr int kMostSides = 999;

// y = lslope * x + lcept; lside +1 keeps centres above the line, -1 below.
struct LineConstraint {
    std::int32_t lside = 0;
    double lslope = 0.0;
    double lcept = 0.0;
};

struct ControlRecord {
    std::int32_t isdist = 0;
    std::int32_t ishape = 0;
    std::int32_t npart = 0;
    std::int32_t ntrial = 0;
    double wmean = 0.0;
    double wsd = 0.0;
    double sizemn = 0.0;
    double sizemx = 0.0;
    double xa = 0.0;
    double ya = 0.0;
    double xb = 0.0;
    double yb = 0.0;
    std::int32_t nline = 0;
    std::vector<LineConstraint> lines;
    double axismean = 1.0;
    double axissd = 0.0;
    double axismin = 1.0;
    double axismx = 1.0;
    double ndgmean = 3.0;  // 0.5 is added once the control file has been read
    double ndgsd = 0.0;
    std::int32_t ndgmn = 3;
    std::int32_t ndgmx = 3;
};

// Reads the groups of a control file's text: 1 to 5, nline lines of group 6,
// group 7 for ellipses and group 8 for polygons, each as one list-directed
// read (from the start of the next unread line, across lines when needed,
// the rest of its last line discarded). Applies the defaults and adds 0.5 to
// ndgmean. On failure returns false and says in `error` which group and
// value was missing or malformed; a negative nline is refused there too, and
// for polygons ndgmn or ndgmx outside kFewestSides..kMostSides.
bool readControlRecord(std::string_view text, ControlRecord& record, std::string& error);

}  // namespace tessark
