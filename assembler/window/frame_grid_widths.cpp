#include "assembler/window/frame_grid_widths.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <cmath>

#include "assembler/window/frame_table_model.h"

namespace flikkor {

QList<QStringList> frameGridTypicalTexts() {
    const QStringList headers = frameGridHeaders();
    const QList<QStringList> cells = {
        {QStringLiteral("999")},
        {QStringLiteral("anim-01.gif(1)"), QStringLiteral("Edited(1)")},
        {QStringLiteral("0,0"), QStringLiteral("120,80")},
        {QStringLiteral("120x80"), QStringLiteral("320x240")},
        {QStringLiteral("100"), QStringLiteral("65535")},
        {QStringLiteral("未定義"), QStringLiteral("未消去"), QStringLiteral("背景色"), QStringLiteral("描画前")},
        // "D" is the widest hexadecimal digit in the proportional font.
        {QStringLiteral("ｵﾝ-5(FF00FF)"), QStringLiteral("ｵﾌ-255(DDDDDD)"), QStringLiteral("ｵﾝ-16(?)")},
        {QStringLiteral("ｸﾞﾛｰﾊﾞﾙ"), QStringLiteral("ﾛｰｶﾙ")},
        {QStringLiteral("256")},
        {QStringLiteral("/home/user/anim/anim-01.gif"), QStringLiteral("Edited")},
    };
    QList<QStringList> texts;
    for (qsizetype c = 0; c < cells.size(); ++c) texts << (QStringList{headers.value(c)} + cells[c]);
    return texts;
}

QList<int> frameGridColumnWidths(const QTableView& view) {
    const QList<int> laidOut = frameGridColumnWidths();
    const QList<QStringList> texts = frameGridTypicalTexts();
    // Fractional advances: an item view elides a text whose laid-out width exceeds its
    // room by any fraction of a pixel, and the rounded advance can be that fraction short.
    const QFontMetricsF cellFont(view.font());
    const QFontMetricsF headerFont(view.horizontalHeader()->font());
    // An item view leaves the focus frame's margin plus one pixel free on each side
    // of a cell's text, and a shown grid takes one more pixel of the column's width.
    const int cellMargin =
        2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1) + (view.showGrid() ? 1 : 0);
    // A header section leaves its own margin.
    const int headerMargin = 2 * view.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view.horizontalHeader());
    const double scale = std::max(1.0, cellFont.height() / 12.0);
    QList<int> widths;
    for (qsizetype c = 0; c < laidOut.size(); ++c) {
        int width = static_cast<int>(std::ceil(laidOut[c] * scale));
        const QStringList& column = texts.value(c);
        for (qsizetype k = 0; k < column.size(); ++k) {
            const bool header = k == 0;
            const double text =
                header ? headerFont.horizontalAdvance(column[k]) : cellFont.horizontalAdvance(column[k]);
            const int needed = static_cast<int>(std::ceil(text)) + (header ? headerMargin : cellMargin);
            width = std::max(width, needed);
        }
        widths << width;
    }
    return widths;
}

}  // namespace flikkor
