#include "viewer/core/number_text.h"

#include <charconv>

namespace sorvath {

std::string generalNumberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

}  // namespace sorvath
