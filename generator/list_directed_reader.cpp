#include "generator/list_directed_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace tessark {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool endsField(char c) { return isBlank(c) || c == ',' || c == '\n' || c == '/'; }

const std::string kIntegerRange = "whole numbers run from -2147483648 to 2147483647";
const std::string kRealRange = "reals run up to about 1.8e308 in size";

// Power of ten of the leading non-zero digit of a normalised real
// ("[-]digits[.digits][e[sign]digits]", mantissa not all zeros), saturated
// far beyond the range of a double: 2 for 123.4, -3 for 0.00123e0.
long long decimalExponent(const std::string& normal) {
    const std::size_t begin = normal.front() == '-' ? 1 : 0;
    const std::size_t e = normal.find('e');
    const std::size_t end = e == std::string::npos ? normal.size() : e;
    const std::size_t point = std::min(normal.find('.'), end);
    // Exponent of the first digit, then one less for each leading zero.
    long long leading = static_cast<long long>(point - begin) - 1;
    for (std::size_t i = begin; i < end && (normal[i] == '0' || normal[i] == '.'); ++i) {
        if (normal[i] == '0') --leading;
    }
    long long exponent = 0;
    if (e != std::string::npos) {
        std::size_t j = e + 1;
        const bool negative = j < normal.size() && normal[j] == '-';
        if (j < normal.size() && (normal[j] == '-' || normal[j] == '+')) ++j;
        for (; j < normal.size(); ++j) exponent = std::min(exponent * 10 + (normal[j] - '0'), 1'000'000'000LL);
        if (negative) exponent = -exponent;
    }
    return leading + exponent;
}

}  // namespace

void ListDirectedReader::beginRead() {
    if (lineStarted_) endRead();
    afterValue_ = false;
    repeatsLeft_ = 0;
}

void ListDirectedReader::endRead() {
    if (lineStarted_) {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        if (pos_ < text_.size()) ++pos_;
    }
    lineStarted_ = false;
    repeatsLeft_ = 0;
}

std::optional<std::string> ListDirectedReader::nextField(std::string& problem) {
    if (repeatsLeft_ > 0) {
        --repeatsLeft_;
        return repeatedValue_;
    }
    bool commaSeen = false;
    for (;;) {
        if (pos_ >= text_.size()) {
            problem = "the file ends before it";
            return std::nullopt;
        }
        lineStarted_ = true;
        const char c = text_[pos_];
        if (isBlank(c)) {
            ++pos_;
        } else if (c == '\n') {
            ++pos_;
            lineStarted_ = false;
        } else if (c == ',') {
            // One comma after a value separates; any other comma marks an empty value.
            if (commaSeen || !afterValue_) {
                problem = "it is empty (two separators in a row)";
                return std::nullopt;
            }
            commaSeen = true;
            ++pos_;
        } else if (c == '/') {
            problem = "a slash ends the values before it";
            return std::nullopt;
        } else {
            break;
        }
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !endsField(text_[pos_])) ++pos_;
    std::string field(text_.substr(start, pos_ - start));
    afterValue_ = true;
    // r*c stands for r copies of c.
    const std::size_t star = field.find('*');
    if (star != std::string::npos) {
        long count = 0;
        const auto* first = field.data();
        const auto parsed = std::from_chars(first, first + star, count);
        if (star == 0 || parsed.ptr != first + star || parsed.ec != std::errc() || count <= 0) {
            problem = "\"" + field + "\" is not a number";
            return std::nullopt;
        }
        if (star + 1 == field.size()) {
            problem = "it is empty (\"" + field + "\")";
            return std::nullopt;
        }
        repeatedValue_ = field.substr(star + 1);
        repeatsLeft_ = count - 1;
        return repeatedValue_;
    }
    return field;
}

std::optional<std::int32_t> ListDirectedReader::integer(std::string& problem) {
    auto field = nextField(problem);
    if (!field) return std::nullopt;
    FieldProblem why = FieldProblem::None;
    auto value = parseIntegerField(*field, &why);
    if (why == FieldProblem::OutOfRange)
        problem = "\"" + *field + "\" is out of range (" + kIntegerRange + ")";
    else if (!value)
        problem = "\"" + *field + "\" is not a whole number";
    return value;
}

std::optional<double> ListDirectedReader::real(std::string& problem) {
    auto field = nextField(problem);
    if (!field) return std::nullopt;
    FieldProblem why = FieldProblem::None;
    auto value = parseRealField(*field, &why);
    if (why == FieldProblem::OutOfRange)
        problem = "\"" + *field + "\" is out of range (" + kRealRange + ")";
    else if (!value)
        problem = "\"" + *field + "\" is not a number";
    return value;
}

std::optional<std::int32_t> parseIntegerField(std::string_view field, FieldProblem* problem) {
    FieldProblem ignored;
    FieldProblem& why = problem ? *problem : ignored;
    why = FieldProblem::Malformed;
    // One sign at most: "+-2" is no whole number.
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
        if (!field.empty() && field.front() == '-') return std::nullopt;
    }
    if (field.empty() || field.front() == '+') return std::nullopt;
    std::int32_t value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (result.ptr != field.data() + field.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) why = FieldProblem::OutOfRange;
    if (result.ec != std::errc()) return std::nullopt;
    why = FieldProblem::None;
    return value;
}

std::optional<double> parseRealField(std::string_view field, FieldProblem* problem) {
    FieldProblem ignored;
    FieldProblem& why = problem ? *problem : ignored;
    why = FieldProblem::Malformed;
    // Accepted: [sign] digits [. [digits]] or [sign] . digits, then optionally
    // an exponent: E, D or Q (either case) with optional sign and digits, or a
    // sign and digits alone (1.5+3).
    std::string normal;
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        if (field[i] == '-') normal.push_back('-');
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
        normal.push_back(field[i++]);
        ++mantissaDigits;
    }
    if (i < field.size() && field[i] == '.') {
        normal.push_back('.');
        ++i;
        while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
            normal.push_back(field[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < field.size()) {
        const char c = field[i];
        if (c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q')
            ++i;
        else if (c != '+' && c != '-')
            return std::nullopt;
        normal.push_back('e');
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) normal.push_back(field[i++]);
        std::size_t exponentDigits = 0;
        while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]))) {
            normal.push_back(field[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0 || i != field.size()) return std::nullopt;
    }
    if (normal.front() == '.' || (normal.size() > 1 && normal[0] == '-' && normal[1] == '.')) {
        normal.insert(normal.front() == '-' ? 1 : 0, "0");
    }
    double value = 0.0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ptr != normal.data() + normal.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // Below the smallest double the value rounds to zero, as a list-directed
        // read gives; above the largest it has no value at all.
        if (decimalExponent(normal) < 0) {
            why = FieldProblem::None;
            return normal.front() == '-' ? -0.0 : 0.0;
        }
        why = FieldProblem::OutOfRange;
        return std::nullopt;
    }
    if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    why = FieldProblem::None;
    return value;
}

}  // namespace tessark
