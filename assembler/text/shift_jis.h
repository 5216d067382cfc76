#pragma once
// Conversion between the UTF-8 texts of the program and the Shift_JIS (CP932) bytes
// that GIF comments, HTML pages and the help page carry on disk.
#include <string>
#include <string_view>

namespace flikkor {

// UTF-8 to CP932 bytes; characters without a CP932 form become '?'.
std::string utf8ToShiftJis(std::string_view utf8);
// CP932 bytes to UTF-8; undecodable bytes become U+FFFD.
std::string shiftJisToUtf8(std::string_view sjis);

}  // namespace flikkor
