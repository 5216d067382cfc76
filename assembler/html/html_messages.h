// Captions and messages of the web helpers, the split and the dialogs.
#pragma once

#include <string_view>

#include "gifengine/messages.h"

namespace flikkor::html::text {

// The engine's own title and caption, shown the same way here.
using gifengine::text::kApplicationTitle;
using gifengine::text::kCaptionError;

inline constexpr std::string_view kNothingMadeYet = "まだファイルが作成されていません";
inline constexpr std::string_view kNoImages = "画像がありません";
// The toolkit's conversion message; %s is the refused text.
inline constexpr std::string_view kNotAnIntegerFormat = "'%s' は整数ではありません.";

}  // namespace flikkor::html::text
