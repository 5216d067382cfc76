// Texts the colour-table tools show, exactly as the user sees them.
#pragma once

#include <string_view>

namespace gifengine::colour::text {

inline constexpr std::string_view kTablesDiffer = "選択されたイメージのカラーテーブルに異なるものがあります";
inline constexpr std::string_view kChooseGlobalTableAgain =
    "カラーテーブルが変更されたためグローバルカラーテーブルの指定を行ってください";
inline constexpr std::string_view kSelectOneSource = "元になる画像を１つ選択してください";
inline constexpr std::string_view kSelectOnlyOneSource = "元になる画像を１つだけ選択してください";
inline constexpr std::string_view kBadPatternCount = "画像パターン数が正しくありません";

inline constexpr std::string_view kGlobalTableKind = "ｸﾞﾛｰﾊﾞﾙｶﾗｰﾃｰﾌﾞﾙ";
inline constexpr std::string_view kLocalTableKind = "ﾛｰｶﾙｶﾗｰﾃｰﾌﾞﾙ";

// Path and name the generated frames of a colour-table animation carry.
inline constexpr std::string_view kGeneratedPath = "Color Table Animation Generate";
inline constexpr std::string_view kGeneratedName = "Generate";

}  // namespace gifengine::colour::text
