#include "gifengine/integer_text.h"

#include <charconv>

namespace gifengine {

std::optional<int32_t> IntegerValue(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int32_t ScreenDimensionValue(std::string_view text) {
    const auto value = IntegerValue(text);
    if (!value || *value > 65535) return 0;
    return *value;
}

int32_t RepeatCountValue(std::string_view text) {
    const auto value = IntegerValue(text);
    if (!value || *value > 65536) return -1;
    return *value;
}

}  // namespace gifengine
