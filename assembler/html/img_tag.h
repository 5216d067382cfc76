// The IMG element for the last made animation, built from a few options.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace flikkor::html {

// The choices of CBAlign, in the order offered.
inline constexpr std::array<std::string_view, 5> kAlignItems{"left", "right", "top", "middle", "bottom"};

// The dialog's options; they live for the whole run. Defaults are the start values.
struct ImgTagOptions {
    bool lowerCase = false;
    bool alt = true;
    std::string altText;  // empty: the file name stands in
    bool border = true;
    int32_t borderValue = 0;
    bool align = false;
    int alignIndex = 0;  // into kAlignItems
    bool vspace = true;
    int32_t vspaceValue = 0;
    bool hspace = true;
    int32_t hspaceValue = 0;

    // BtnReset: every option back to its start value except the case option.
    void Reset();
};

// The made file the tag is about.
struct MadeFile {
    std::string path;  // LastMadeFile, empty when nothing was made yet
    uint16_t width = 0;
    uint16_t height = 0;
};

// Final path component (after the last "/"), ASCII letters lower-cased.
std::string TagFileName(std::string_view path);

// &, ", < and > as HTML character references, so typed text cannot end the
// attribute value or start markup.
std::string HtmlAttributeText(std::string_view text);

// The whole tag, or the empty text when no file has been made.
std::string BuildImgTag(const MadeFile& made, const ImgTagOptions& options);

// "120x80", or empty when no file has been made.
std::string MadeSizeText(const MadeFile& made);

// A decimal integer as the edit boxes accept it: an optional sign and digits
// within 32 bits, nothing else (no blanks, not empty).
std::optional<int32_t> TagIntegerValue(std::string_view text);

// "'%s' は整数ではありません." with the refused text in place of %s.
std::string NotAnIntegerMessage(std::string_view text);

}  // namespace flikkor::html
