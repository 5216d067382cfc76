// Builds the IMG tag and the image list page from arbitrary options and
// texts. Input: one byte of switches, one of alignment, two of width and
// height, then the made file's path, the ALT text and three edit-box texts,
// separated by '\n'. Whatever the texts, the tag is one element whose
// attribute values hold no quote or angle bracket, and a box text is either
// a 32-bit integer or refused with its message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/html/image_list.h"
#include "assembler/html/img_tag.h"

namespace {

std::vector<std::string_view> fields(std::string_view rest, std::size_t count) {
    std::vector<std::string_view> parts;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t end = k + 1 < count ? rest.find('\n') : std::string_view::npos;
        parts.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const uint8_t switches = data[0];
    const std::vector<std::string_view> text =
        fields(std::string_view(reinterpret_cast<const char*>(data) + 4, size - 4), 5);

    flikkor::html::ImgTagOptions options;
    options.lowerCase = (switches & 1) != 0;
    options.alt = (switches & 2) != 0;
    options.border = (switches & 4) != 0;
    options.align = (switches & 8) != 0;
    options.vspace = (switches & 16) != 0;
    options.hspace = (switches & 32) != 0;
    options.alignIndex = int(int8_t(data[1]));
    options.altText = std::string(text[1]);
    int32_t* values[3] = {&options.borderValue, &options.vspaceValue, &options.hspaceValue};
    for (int k = 0; k < 3; ++k) {
        const std::string_view box = text[std::size_t(2 + k)];
        const std::optional<int32_t> value = flikkor::html::TagIntegerValue(box);
        if (value) {
            // The value is the text: digits with an optional sign, leading zeros aside.
            std::string digits(box);
            if (!digits.empty() && digits[0] == '+') digits.erase(0, 1);
            const bool negative = !digits.empty() && digits[0] == '-';
            if (negative) digits.erase(0, 1);
            digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
            if (negative && digits != "0") digits.insert(0, "-");
            if (std::to_string(*value) != digits) __builtin_trap();
            *values[k] = *value;
        } else if (flikkor::html::NotAnIntegerMessage(box).find(box) == std::string::npos) {
            __builtin_trap();
        }
    }
    if ((switches & 64) != 0) options.Reset();

    const flikkor::html::MadeFile made{std::string(text[0]), uint16_t(data[2] * 257), uint16_t(data[3] * 3)};
    const std::string tag = flikkor::html::BuildImgTag(made, options);
    if (made.path.empty() != tag.empty()) __builtin_trap();
    if (!tag.empty()) {
        if (tag.front() != '<' || tag.back() != '>') __builtin_trap();
        if (std::count(tag.begin(), tag.end(), '<') != 1 || std::count(tag.begin(), tag.end(), '>') != 1) {
            __builtin_trap();
        }
        // Every value is quoted: quotes pair up, each attribute a name="value".
        if (std::count(tag.begin(), tag.end(), '"') % 2 != 0) __builtin_trap();
    }
    if (flikkor::html::MadeSizeText(made).empty() != made.path.empty()) __builtin_trap();

    const int frameCount = int(data[2]) * 4 + (data[3] & 3);
    const std::string page = flikkor::html::ImageListPageText(frameCount);
    if (page.find("__tmp" + std::to_string(frameCount) + ".gif") == std::string::npos && frameCount > 0) {
        __builtin_trap();
    }
    return 0;
}
