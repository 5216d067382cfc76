// UTF-8 texts to the Shift_JIS (code page 932) bytes that the program writes
// into its HTML page.
#pragma once

#include <string>
#include <string_view>

namespace assembler_html {

// Characters code page 932 has no code for become '?'.
std::string ShiftJisFromUtf8(std::string_view utf8);

}  // namespace assembler_html
