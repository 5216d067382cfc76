#pragma once
// Column widths of the frame grid for the font it actually shows. The widths
// 22, 97, 34, ... are laid out for a 12-pixel font; they grow with the font's
// height, and each column is made at least as wide as its longest typical text.
#include <QList>
#include <QStringList>

class QTableView;

namespace flikkor {

// For each of the ten columns, the texts it must show whole: its header and its
// widest usual cell texts ("320x240", "未定義", "ｵﾝ-255(FFFFFF)", ...).
QList<QStringList> frameGridTypicalTexts();

// Widths for `view`'s font and style: the 12-pixel widths times the font's
// height / 12, widened where a typical text plus the cell's margins needs more.
QList<int> frameGridColumnWidths(const QTableView& view);

}  // namespace flikkor
