#pragma once
// Free-format records: a leading blank, then blank-separated values. Reals are
// written in the shortest form that reads back to the same double.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessark {

std::string shortestReal(double value);

// Appends one value of a free-format record, blank first, to `out`; the
// long files are built with these, without a string per value.
void appendFreeReal(std::string& out, double value);
void appendFreeInteger(std::string& out, std::int64_t value);

// Builds one free-format line: " v1 v2 v3".
class FreeLine {
public:
    FreeLine& text(std::string_view t);
    FreeLine& real(double v);
    FreeLine& integer(std::int64_t v);
    const std::string& str() const { return line_; }

private:
    std::string line_;
};

}  // namespace tessark
