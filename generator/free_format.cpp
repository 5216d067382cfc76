#include "generator/free_format.h"

#include <charconv>

namespace tessark {

namespace {

// Room for the longest shortest form of a double or a 64-bit integer, and the blank.
constexpr std::size_t kValueRoom = 40;

}  // namespace

std::string shortestReal(double value) {
    char buffer[kValueRoom];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void appendFreeReal(std::string& out, double value) {
    char buffer[kValueRoom];
    buffer[0] = ' ';
    const auto result = std::to_chars(buffer + 1, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendFreeInteger(std::string& out, std::int64_t value) {
    char buffer[kValueRoom];
    buffer[0] = ' ';
    const auto result = std::to_chars(buffer + 1, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

FreeLine& FreeLine::text(std::string_view t) {
    line_.push_back(' ');
    line_ += t;
    return *this;
}

FreeLine& FreeLine::real(double v) {
    appendFreeReal(line_, v);
    return *this;
}

FreeLine& FreeLine::integer(std::int64_t v) {
    appendFreeInteger(line_, v);
    return *this;
}

}  // namespace tessark
