// Captions and message texts the engine shows, exactly as the user sees them.
#pragma once

#include <string_view>

namespace gifengine::text {

// The application's title, which is also the application name and the first word
// of the message captions.
inline constexpr std::string_view kApplicationTitle = "Reelwright";

// Captions
inline constexpr std::string_view kCaptionError = "Reelwright:エラー";
inline constexpr std::string_view kCaptionWarning = "Reelwright:警告";
inline constexpr std::string_view kCaptionConfirm = "Reelwright:確認";
inline constexpr std::string_view kCaptionNotice = "Reelwright:注意";
static_assert(kCaptionError.starts_with(kApplicationTitle) && kCaptionWarning.starts_with(kApplicationTitle) &&
              kCaptionConfirm.starts_with(kApplicationTitle) && kCaptionNotice.starts_with(kApplicationTitle));
inline constexpr std::string_view kCaptionLoader = "エラー";
inline constexpr std::string_view kCaptionFileReader = "CopyAllFileToMemory()";

// Whole-file reader
inline constexpr std::string_view kCannotOpen = "ファイルがオープンできません";
inline constexpr std::string_view kCannotAllocate = "メモリの確保ができません";
inline constexpr std::string_view kReadError = "ファイル読込中にエラーが発生しました";

// Loader: "ファイル " + path + " がオープンできません" and so on
inline constexpr std::string_view kFilePrefix = "ファイル ";
inline constexpr std::string_view kCannotOpenSuffix = " がオープンできません";
inline constexpr std::string_view kNotGifSuffix = " は、GIFファイルではありません";
inline constexpr std::string_view kContainsErrorSuffix = " に誤りがあります";
inline constexpr std::string_view kListFull = "画像リストの上限(1000)に達したため、これ以上画像を追加できません";
// Images of an add left out: kListFullPrefix + n + kListFullSuffix.
inline constexpr std::string_view kListFullPrefix = "画像リストの上限(1000)に達したため、";
inline constexpr std::string_view kListFullSuffix = "個の画像を追加できませんでした";

// Writer
inline constexpr std::string_view kNoSourceImages = "元画像がありません";
inline constexpr std::string_view kBadScreenSize = "ロジカルスクリーンのサイズが正しくありません";
inline constexpr std::string_view kBadRepeatCount = "繰り返し回数の指定が正しくありません\n0(連続)として作成します";
inline constexpr std::string_view kNoGlobalTable =
    "グローバルカラーテーブルの指定がありませんので、グローバルカラーテーブルなしのファイルを作成します";
inline constexpr std::string_view kOutsideScreen =
    "ロジカルスクリーンサイズをはみ出している画像があります\r\nNetscapeでエラーが発生し正しく動作しない可能性がありま"
    "す";
inline constexpr std::string_view kRestorePrevious =
    "消去法に「描画前」が指定されていますが、Netscapeではサポートされていないため「未消去」と同様の動作になります";
// A file not written: kFilePrefix + path + kCannotOpenSuffix (refused before the
// first byte) or + kWriteErrorSuffix (failed while written), then the reason.
inline constexpr std::string_view kWriteErrorSuffix = " の書込中にエラーが発生しました";
inline constexpr std::string_view kReadOnlyFile = "読み取り専用のファイルです";
// The folder takes no temporary file: "フォルダに一時ファイルを作成できません（" + reason + "）"
inline constexpr std::string_view kNoTemporaryFilePrefix = "フォルダに一時ファイルを作成できません（";
inline constexpr std::string_view kNoTemporaryFileSuffix = "）";

// Save dialog
inline constexpr std::string_view kSaveTitle = "ファイル作成";
inline constexpr std::string_view kSaveFilter = "GIFﾌｧｲﾙ (*.gif)|*.gif";
inline constexpr std::string_view kSaveInitialName = "noname.gif";

// Global table and screen size buttons
inline constexpr std::string_view kGlobalTableSelectOne =
    "グローバルカラーテーブルに指定する画像を１つだけ指定してください";
inline constexpr std::string_view kGlobalTableNoImage = "グローバルカラーテーブルに指定する画像が指定されていません";
inline constexpr std::string_view kScreenSizeNoImage = "ロジカルスクリーンサイズを合わせる画像が指定されていません";

// Replacing a frame by its edited file
inline constexpr std::string_view kReplaceSelectOne = "置き換える画像を１つ選択してください";
inline constexpr std::string_view kReplaceSelectOnlyOne = "置き換える画像を１つだけ選択してください";
inline constexpr std::string_view kEditedName = "Edited";

// Split
inline constexpr std::string_view kNoImages = "画像がありません";
// Numbered files already there: path + kOneExistsSuffix, or first path + " など " +
// n + kSeveralExistSuffix; then kAskOverwrite.
inline constexpr std::string_view kOneExistsSuffix = " は既に存在します。";
inline constexpr std::string_view kSeveralExistMiddle = " など ";
inline constexpr std::string_view kSeveralExistSuffix = " 個のファイルが既に存在します。";
inline constexpr std::string_view kAskOverwrite = "\n上書きして構いませんか？";

// Comment the writer puts into every animation; never taken over by a load.
inline constexpr std::string_view kSignatureComment = "Flikkor by Orvane Telquisth";

}  // namespace gifengine::text
