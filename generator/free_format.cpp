#include "generator/free_format.h"

#include <charconv>

namespace tessark {

std::string shortestReal(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

FreeLine& FreeLine::text(std::string_view t) {
    line_.push_back(' ');
    line_ += t;
    return *this;
}

FreeLine& FreeLine::real(double v) { return text(shortestReal(v)); }

FreeLine& FreeLine::integer(std::int64_t v) { return text(std::to_string(v)); }

}  // namespace tessark
