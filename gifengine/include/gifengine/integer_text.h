// How the texts of the animation's edit boxes become numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gifengine {

// The decimal integer a text stands for: optional blanks around, an optional
// sign, digits, within the 32-bit range. Anything else is not an integer.
std::optional<int32_t> IntegerValue(std::string_view text);

// Logical screen width or height from its box: 0 when the text is not an
// integer or the value does not fit a GIF's 16-bit field (the writer then
// refuses the size).
int32_t ScreenDimensionValue(std::string_view text);

// Repeat count from EdIteration: -1 when the text is not an integer or the
// count cannot be stored (above 65536).
int32_t RepeatCountValue(std::string_view text);

}  // namespace gifengine
