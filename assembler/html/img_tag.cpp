#include "assembler/html/img_tag.h"

#include <charconv>

#include "assembler/html/html_messages.h"

namespace flikkor::html {

void ImgTagOptions::Reset() {
    const bool keepLowerCase = lowerCase;
    *this = ImgTagOptions{};
    lowerCase = keepLowerCase;
}

std::string TagFileName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return name;
}

std::string HtmlAttributeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string BuildImgTag(const MadeFile& made, const ImgTagOptions& options) {
    if (made.path.empty()) return {};
    const std::string name = HtmlAttributeText(TagFileName(made.path));
    const bool lower = options.lowerCase;
    std::string tag = lower ? "<img src=" : "<IMG SRC=";
    tag += "\"" + name + "\"";
    auto attribute = [&](std::string_view upperWord, std::string_view lowerWord, const std::string& value) {
        tag += " ";
        tag += lower ? lowerWord : upperWord;
        tag += "=\"" + value + "\"";
    };
    if (options.alt) attribute("ALT", "alt", options.altText.empty() ? name : HtmlAttributeText(options.altText));
    attribute("WIDTH", "width", std::to_string(made.width));
    attribute("HEIGHT", "height", std::to_string(made.height));
    if (options.border) attribute("BORDER", "border", std::to_string(options.borderValue));
    if (options.vspace) attribute("VSPACE", "vspace", std::to_string(options.vspaceValue));
    if (options.hspace) attribute("HSPACE", "hspace", std::to_string(options.hspaceValue));
    if (options.align) {
        const int i = options.alignIndex >= 0 && options.alignIndex < int(kAlignItems.size()) ? options.alignIndex : 0;
        attribute("ALIGN", "align", std::string(kAlignItems[std::size_t(i)]));
    }
    tag += ">";
    return tag;
}

std::string MadeSizeText(const MadeFile& made) {
    if (made.path.empty()) return {};
    return std::to_string(made.width) + "x" + std::to_string(made.height);
}

std::optional<int32_t> TagIntegerValue(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::string_view digits = text;
    if (digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-' || digits.front() == '+') return std::nullopt;
    }
    int32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::string NotAnIntegerMessage(std::string_view text) {
    // Built from the two halves around "%s": GCC 12 reports a false -Wrestrict for
    // std::string::replace at -O3.
    const std::string_view format(text::kNotAnIntegerFormat);
    const std::size_t at = format.find("%s");
    std::string message(format.substr(0, at));
    message += text;
    message += format.substr(at + 2);
    return message;
}

}  // namespace flikkor::html
