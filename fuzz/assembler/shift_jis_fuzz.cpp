// Converts arbitrary bytes both ways between Shift_JIS (CP932) and UTF-8.
// Decoding gives well-formed UTF-8 whatever the bytes; encoding gives bytes
// that decode again without a replacement character, and text that was
// plain ASCII comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "assembler/text/shift_jis.h"

namespace {

// Well-formed UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
bool wellFormedUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char c = byte(i);
        int length = 0;
        uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF)
            length = 2, code = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            length = 3, code = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            length = 4, code = c & 0x07;
        else
            return false;
        if (i + std::size_t(length) > text.size()) return false;
        for (int k = 1; k < length; ++k) {
            if ((byte(i + std::size_t(k)) & 0xC0) != 0x80) return false;
            code = (code << 6) | (byte(i + std::size_t(k)) & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
            return false;
        }
        i += std::size_t(length);
    }
    return true;
}

bool ascii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = flikkor::shiftJisToUtf8(bytes);
    if (!wellFormedUtf8(decoded)) __builtin_trap();

    const std::string encoded = flikkor::utf8ToShiftJis(bytes);
    const std::string back = flikkor::shiftJisToUtf8(encoded);
    if (back.find("\xEF\xBF\xBD") != std::string::npos && bytes.find("\xEF\xBF\xBD") == std::string_view::npos) {
        __builtin_trap();
    }
    if (ascii(bytes) && (encoded != bytes || decoded != bytes)) __builtin_trap();
    return 0;
}
