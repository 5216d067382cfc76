#include "gifengine/frame_row.h"

namespace gifengine {

const std::array<std::string_view, kFrameGridColumns>& FrameGridHeaders() {
    static constexpr std::array<std::string_view, kFrameGridColumns> headers{
        "No.", "元画像", "位置", "ｻｲｽﾞ", "ﾃﾞｨﾚｲ", "消去法", "透過", "ｶﾗｰﾃｰﾌﾞﾙ", "色数", "ﾌﾙﾊﾟｽ名"};
    return headers;
}

const std::array<int, kFrameGridColumns>& FrameGridColumnWidths() {
    static constexpr std::array<int, kFrameGridColumns> widths{22, 97, 34, 44, 35, 41, 89, 62, 28, 326};
    return widths;
}

std::string DisposalName(int method) {
    static constexpr std::array<std::string_view, 4> names{"未定義", "未消去", "背景色", "描画前"};
    if (method >= 0 && method < 4) return std::string(names[std::size_t(method)]);
    return std::to_string(method);
}

FrameRowTexts ShowFrameRow(const GifFrameRecord& frame, int index) {
    const ImageDescriptor& d = frame.descriptor;
    FrameRowTexts cells;
    cells[0] = std::to_string(index + 1);
    cells[1] = std::string(frame.name()) + "(" + std::to_string(frame.imageNumber) + ")";
    cells[2] = std::to_string(d.left) + "," + std::to_string(d.top);
    cells[3] = std::to_string(d.width) + "x" + std::to_string(d.height);
    cells[4] = std::to_string(frame.delay());
    cells[5] = DisposalName(frame.disposal());
    const int transparent = frame.transparentIndex();
    cells[6] = std::string(frame.transparencyOn() ? "ｵﾝ-" : "ｵﾌ-") + std::to_string(transparent);
    if (transparent < frame.tableEntryCount()) {
        cells[6] += "(" + ColourHex(ColourValue(frame.colourTable[std::size_t(transparent)])) + ")";
    } else {
        cells[6] += "(?)";
    }
    cells[7] = frame.usesGlobalTable ? "ｸﾞﾛｰﾊﾞﾙ" : "ﾛｰｶﾙ";
    cells[8] = std::to_string(frame.tableEntryCount());
    cells[9] = std::string(frame.pathText());
    return cells;
}

}  // namespace gifengine
