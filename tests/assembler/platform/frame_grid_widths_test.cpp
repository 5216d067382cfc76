// The frame grid at Flikkor's own font: the texts the grid is laid out for are
// shown whole, not cut with "…".
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <algorithm>

#include "assembler/platform/application_setup.h"
#include "assembler/window/frame_grid_widths.h"
#include "assembler/window/frame_table_model.h"
#include "form_harness.h"

using namespace flikkor;

namespace {

// Cell texts of the grid as the frame list shows them: a disposal word of each
// kind, transparency with a long and a short colour, table kinds, sizes.
const QList<QStringList> kGridTexts = {
    {"1", "12", "999"},
    {"anim-01.gif(1)", "Edited(1)"},
    {"0,0", "120,80"},
    {"120x80", "320x240"},
    {"10", "100"},
    {"未定義", "未消去", "背景色", "描画前"},
    {"ｵﾝ-5(FF00FF)", "ｵﾌ-113(FFEEDD)", "ｵﾌ-16(?)"},
    {"ｸﾞﾛｰﾊﾞﾙ", "ﾛｰｶﾙ"},
    {"2", "256"},
    {"/home/user/anim/anim-01.gif", "Edited"},
};

// The width Qt's style leaves for a cell's text in `view` at `index`: the cell
// (less the grid line) as the style lays it out.
int textRoom(const QTableView& view, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = view.visualRect(index);
    option.font = view.font();
    option.fontMetrics = view.fontMetrics();
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = index.data().toString();
    // The style draws the text inside that rectangle less the focus frame's margin
    // and one pixel on each side.
    const int textMargin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return view.style()->subElementRect(QStyle::SE_ItemViewItemText, &option, &view).width() - 2 * textMargin;
}

}  // namespace

TEST(FrameGridWidths, EveryTypicalCellTextFitsItsColumnAtTheProgramsFont) {
    setUpApplication(*qApp);
    QTableView view;
    QStandardItemModel model(0, 10);
    int rows = 0;
    for (const QStringList& column : kGridTexts) rows = std::max(rows, static_cast<int>(column.size()));
    model.setRowCount(rows);
    for (int c = 0; c < 10; ++c)
        for (int r = 0; r < kGridTexts[c].size(); ++r) model.setItem(r, c, new QStandardItem(kGridTexts[c][r]));
    view.setModel(&model);
    view.resize(2000, 400);
    const QList<int> widths = frameGridColumnWidths(view);
    ASSERT_EQ(widths.size(), 10);
    for (int c = 0; c < 10; ++c) view.setColumnWidth(c, widths[c]);

    // Fractional widths, as the item view measures a text before it elides it.
    const QFontMetricsF metrics(view.font());
    EXPECT_EQ(view.font().family(), QStringLiteral("IPAPGothic"));
    for (int c = 0; c < 10; ++c) {
        // Never narrower than the 12-pixel layout.
        EXPECT_GE(widths[c], frameGridColumnWidths()[c]) << "column " << c;
        for (int r = 0; r < kGridTexts[c].size(); ++r) {
            const QModelIndex index = model.index(r, c);
            EXPECT_LE(metrics.horizontalAdvance(kGridTexts[c][r]), textRoom(view, index))
                << "column " << c << " cuts \"" << kGridTexts[c][r].toStdString() << "\" at width " << widths[c];
        }
    }
}

TEST(FrameGridWidths, MainWindowGridUsesThemAndItsHeadersFit) {
    setUpApplication(*qApp);
    flikkor::testing::FormHarness harness;
    harness.open();
    const auto* grid = harness.form->findChild<QTableView*>(QStringLiteral("SGImages"));
    ASSERT_NE(grid, nullptr);
    const QList<int> widths = frameGridColumnWidths(*grid);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << "column " << c;
        EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c))
            << "header \"" << frameGridHeaders()[c].toStdString() << "\" is cut";
    }
    // The 12-pixel widths alone cut these at this font: the widening is needed.
    EXPECT_GT(widths[3], frameGridColumnWidths()[3]);
    EXPECT_GT(widths[6], frameGridColumnWidths()[6]);
}
