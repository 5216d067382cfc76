// Captions and messages of the web helpers, the split and the dialogs.
#pragma once

#include <string_view>

namespace assembler_html::text {

inline constexpr std::string_view kCaptionError = "Reelwright:エラー";
inline constexpr std::string_view kApplicationTitle = "Reelwright";
inline constexpr std::string_view kCannotOpen = "ファイルがオープンできません";
inline constexpr std::string_view kNothingMadeYet = "まだファイルが作成されていません";
inline constexpr std::string_view kNoImages = "画像がありません";
// The toolkit's conversion message; %s is the refused text.
inline constexpr std::string_view kNotAnIntegerFormat = "'%s' は整数ではありません.";

}  // namespace assembler_html::text
