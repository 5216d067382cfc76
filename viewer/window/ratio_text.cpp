#include "viewer/window/ratio_text.h"

#include <charconv>
#include <cmath>

namespace sorvath {

std::optional<float> parseRatio(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
    if (begin < end && *begin == '+') ++begin;
    if (begin == end) return std::nullopt;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    const float ratio = static_cast<float>(value);
    if (!std::isfinite(ratio)) return std::nullopt;
    return ratio;
}

QString ratioText(float ratio) { return QString::number(static_cast<double>(ratio), 'g', 7); }

}  // namespace sorvath
