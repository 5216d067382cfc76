#include "generator/control_record.h"

#include <utility>

#include "generator/list_directed_reader.h"

namespace tessark {

namespace {

// Reads the values of one group and records what went wrong.
class GroupReader {
public:
    GroupReader(ListDirectedReader& reader, std::string group, std::string& error)
        : reader_(reader), group_(std::move(group)), error_(error) {
        reader_.beginRead();
    }
    ~GroupReader() { reader_.endRead(); }

    bool integer(const char* name, std::int32_t& target) {
        if (failed_) return false;
        std::string problem;
        auto value = reader_.integer(problem);
        if (!value) return fail(name, problem);
        target = *value;
        return true;
    }

    bool real(const char* name, double& target) {
        if (failed_) return false;
        std::string problem;
        auto value = reader_.real(problem);
        if (!value) return fail(name, problem);
        target = *value;
        return true;
    }

    bool ok() const { return !failed_; }

private:
    bool fail(const char* name, const std::string& problem) {
        failed_ = true;
        error_ = group_ + ", value " + name + ": " + problem;
        return false;
    }

    ListDirectedReader& reader_;
    std::string group_;
    std::string& error_;
    bool failed_ = false;
};

}  // namespace

bool readControlRecord(std::string_view text, ControlRecord& record, std::string& error) {
    ListDirectedReader reader(text);
    ControlRecord r;
    {
        GroupReader g(reader, "group 1 (isdist, ishape)", error);
        g.integer("isdist", r.isdist) && g.integer("ishape", r.ishape);
        if (!g.ok()) return false;
    }
    {
        GroupReader g(reader, "group 2 (npart, ntrial)", error);
        g.integer("npart", r.npart) && g.integer("ntrial", r.ntrial);
        if (!g.ok()) return false;
    }
    {
        GroupReader g(reader, "group 3 (wmean, wsd, sizemn, sizemx)", error);
        g.real("wmean", r.wmean) && g.real("wsd", r.wsd) && g.real("sizemn", r.sizemn) && g.real("sizemx", r.sizemx);
        if (!g.ok()) return false;
    }
    {
        GroupReader g(reader, "group 4 (xa, ya, xb, yb)", error);
        g.real("xa", r.xa) && g.real("ya", r.ya) && g.real("xb", r.xb) && g.real("yb", r.yb);
        if (!g.ok()) return false;
    }
    {
        GroupReader g(reader, "group 5 (nline)", error);
        g.integer("nline", r.nline);
        if (!g.ok()) return false;
    }
    if (r.nline < 0) {
        error = "group 5 (nline), value nline: " + std::to_string(r.nline) +
                " is not a number of line constraints (0 or more)";
        return false;
    }
    // The table grows line by line: a count beyond what the file holds ends
    // at the file's end, not in an allocation for the count.
    for (std::int32_t j = 0; j < r.nline; ++j) {
        LineConstraint line;
        GroupReader g(reader,
                      "group 6 (lside, lslope, lcept), line constraint " + std::to_string(j + 1) + " of " +
                          std::to_string(r.nline),
                      error);
        g.integer("lside", line.lside) && g.real("lslope", line.lslope) && g.real("lcept", line.lcept);
        if (!g.ok()) return false;
        r.lines.push_back(line);
    }
    if (r.ishape == 0) {
        GroupReader g(reader, "group 7 (axismean, axissd, axismin, axismx)", error);
        g.real("axismean", r.axismean) && g.real("axissd", r.axissd) && g.real("axismin", r.axismin) &&
            g.real("axismx", r.axismx);
        if (!g.ok()) return false;
    }
    if (r.ishape == 1) {
        GroupReader g(reader, "group 8 (ndgmean, ndgsd, ndgmn, ndgmx)", error);
        g.real("ndgmean", r.ndgmean) && g.real("ndgsd", r.ndgsd) && g.integer("ndgmn", r.ndgmn) &&
            g.integer("ndgmx", r.ndgmx);
        if (!g.ok()) return false;
        for (const auto& [name, value] : {std::pair{"ndgmn", r.ndgmn}, std::pair{"ndgmx", r.ndgmx}}) {
            if (value < kFewestSides || value > kMostSides) {
                error = "group 8 (ndgmean, ndgsd, ndgmn, ndgmx), value " + std::string(name) + ": " +
                        std::to_string(value) + " is outside " + std::to_string(kFewestSides) + " to " +
                        std::to_string(kMostSides) + ", the side counts the vertex count of \"newin.dat\" holds";
                return false;
            }
        }
    }
    r.ndgmean += 0.5;
    record = std::move(r);
    return true;
}

}  // namespace tessark
