#include "bridge/field_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace bridge {

namespace {

bool isSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

bool parseNumber(std::string_view field, double& value) {
    if (field.empty() || field.size() > 64) return false;
    char buffer[65];
    std::size_t n = 0;
    for (char c : field) buffer[n++] = (c == 'D' || c == 'd') ? 'E' : c;
    const char* begin = buffer;
    if (*begin == '+') ++begin;
    const auto [end, ec] = std::from_chars(begin, buffer + n, value);
    return ec == std::errc() && end == buffer + n && std::isfinite(value);
}

std::string numberText(double value, int digits) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

FieldText::FieldText(std::string_view text, std::string name) : text_(text), name_(std::move(name)) {}

void FieldText::restart() {
    pos_ = 0;
    line_ = 1;
}

bool FieldText::atEnd() {
    while (pos_ < text_.size() && isSeparator(text_[pos_])) {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }
    return pos_ >= text_.size();
}

std::string_view FieldText::next(const char* what) {
    if (atEnd()) fail(std::string("ends before ") + what);
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isSeparator(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
}

double FieldText::number(const char* what) {
    const std::string_view field = next(what);
    double value = 0.0;
    if (!parseNumber(field, value))
        fail(std::string("line ") + std::to_string(line_) + ": " + what + " is not a number: '" + std::string(field) +
             "'");
    return value;
}

long FieldText::integer(const char* what) {
    const double value = number(what);
    if (value != std::floor(value))
        fail(std::string("line ") + std::to_string(line_) + ": " + what + " is not a whole number");
    // Whole numbers in the run files are 32-bit wherever they are read.
    constexpr double kLargest = 2147483647.0;
    if (std::fabs(value) > kLargest)
        fail(std::string("line ") + std::to_string(line_) + ": " + what + " " + numberText(value, 17) +
             " is beyond 2147483647");
    return static_cast<long>(value);
}

void FieldText::skip(int count, const char* what) {
    for (int k = 0; k < count; ++k) number(what);
}

void FieldText::fail(const std::string& message) const { throw InputError(name_ + ": " + message); }

}  // namespace bridge
