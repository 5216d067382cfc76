#pragma once
// Reading the generator's console lines back in tests: the words of a line,
// and its numbers as the doubles they were written from.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace tessark::testing {

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines that begin with `prefix`.
inline std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : linesOf(text)) {
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
}

// The blank-separated numbers after `prefix` in a line that starts with it.
inline std::vector<double> numbersAfter(const std::string& line, const std::string& prefix) {
    std::vector<double> values;
    std::istringstream in(line.substr(prefix.size()));
    for (std::string word; in >> word;) values.push_back(std::strtod(word.c_str(), nullptr));
    return values;
}

// Ew.d written independently of the generator: "0." and d digits, then E
// and a signed two-digit exponent, right-aligned in w characters.
inline std::string exponentField(double value, int width = 15, int decimals = 7) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", decimals - 1, value);  // d.dddE+xx: the same d digits
    std::string text(buffer);
    const bool negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    const std::string digits = text.substr(0, 1) + text.substr(2, static_cast<std::size_t>(decimals - 1));
    const int exponent = std::atoi(text.c_str() + text.find('E') + 1) + (value == 0.0 ? 0 : 1);
    char field[64];
    std::snprintf(field, sizeof field, "%s0.%sE%c%02d", negative ? "-" : "", digits.c_str(), exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    const std::string result(field);
    return std::string(static_cast<std::size_t>(width) - result.size(), ' ') + result;
}

}  // namespace tessark::testing
