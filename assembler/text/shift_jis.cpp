#include "assembler/text/shift_jis.h"

#include <iconv.h>
#include <cerrno>

namespace flikkor {
namespace {

// Runs iconv over the whole input; on an invalid or unconvertible sequence it skips
// the offending input byte and writes the replacement instead.
std::string convert(std::string_view input, const char* to, const char* from, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string out;
    out.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[512];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: drop one byte of input (for UTF-8 input the whole
            // character's continuation bytes are dropped by the next rounds).
            out.append(replacement);
            ++in;
            --inLeft;
            while (from[0] == 'U' && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                ++in;
                --inLeft;
            }
        }
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    iconv_close(cd);
    return out;
}

}  // namespace

std::string utf8ToShiftJis(std::string_view utf8) { return convert(utf8, "CP932", "UTF-8", "?"); }

std::string shiftJisToUtf8(std::string_view sjis) { return convert(sjis, "UTF-8", "CP932", "\xEF\xBF\xBD"); }

}  // namespace flikkor
