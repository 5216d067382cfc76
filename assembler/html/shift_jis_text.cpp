#include "html/shift_jis_text.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace assembler_html {

std::string ShiftJisFromUtf8(std::string_view utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == iconv_t(-1)) throw std::runtime_error("iconv has no CP932 conversion");
    std::string out;
    std::string buffer(4 * utf8.size() + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), std::size_t(outPtr - buffer.data()));
        if (r == size_t(-1) && (errno == EILSEQ || errno == EINVAL)) {
            // Skip one whole UTF-8 sequence (or one stray byte) and mark it.
            out.push_back('?');
            unsigned char lead = static_cast<unsigned char>(*in);
            size_t skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (skip > inLeft) skip = inLeft;
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace assembler_html
