// The texts the frame grid shows: header and one row per frame.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "gifengine/frame_record.h"

namespace gifengine {

inline constexpr int kFrameGridColumns = 10;
using FrameRowTexts = std::array<std::string, kFrameGridColumns>;

// "No.", "元画像", "位置", "ｻｲｽﾞ", "ﾃﾞｨﾚｲ", "消去法", "透過", "ｶﾗｰﾃｰﾌﾞﾙ", "色数", "ﾌﾙﾊﾟｽ名"
const std::array<std::string_view, kFrameGridColumns>& FrameGridHeaders();
// Column widths of the grid in pixels.
const std::array<int, kFrameGridColumns>& FrameGridColumnWidths();

// Cells of grid row index + 1 for frame `index`.
FrameRowTexts ShowFrameRow(const GifFrameRecord& frame, int index);

// Names of the disposal methods 0-3 ("未定義", "未消去", "背景色", "描画前");
// other values show as their number.
std::string DisposalName(int method);

}  // namespace gifengine
