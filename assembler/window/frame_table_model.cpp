#include "assembler/window/frame_table_model.h"

#include <algorithm>

#include "gifengine/frame_list.h"
#include "gifengine/frame_row.h"

namespace flikkor {

namespace {
constexpr int kLastColumn = gifengine::kFrameGridColumns - 1;
}  // namespace

QStringList frameGridHeaders() {
    QStringList headers;
    for (std::string_view h : gifengine::FrameGridHeaders())
        headers << QString::fromUtf8(h.data(), qsizetype(h.size()));
    return headers;
}

QList<int> frameGridColumnWidths() {
    const auto& widths = gifengine::FrameGridColumnWidths();
    return QList<int>(widths.begin(), widths.end());
}

FrameTableModel::FrameTableModel(const gifengine::FrameList& frames, QObject* parent)
    : QAbstractTableModel(parent), frames_(frames), rows_(frames.count() + 1) {}

int FrameTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int FrameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : gifengine::kFrameGridColumns;
}

QVariant FrameTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= frames_.count()) return {};
    const gifengine::FrameRowTexts cells = gifengine::ShowFrameRow(frames_[index.row()], index.row());
    return QString::fromStdString(cells[std::size_t(index.column())]);
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (!headersShown_) return QString();
    return frameGridHeaders().value(section);
}

void FrameTableModel::showHeaders() {
    headersShown_ = true;
    emit headerDataChanged(Qt::Horizontal, 0, kLastColumn);
}

void FrameTableModel::ShowFrameRow(int i) { emit dataChanged(index(i, 0), index(i, kLastColumn)); }

void FrameTableModel::ShowAllFrameRows() { showRowsFrom(0); }

void FrameTableModel::InsertFrameRow(int p) { showRowsFrom(p); }

void FrameTableModel::showRowsFrom(int first) {
    // The frame list has already changed when the grid is told. Rows are added
    // or taken away at the end, and every row from the first changed one is
    // redrawn: the frames behind an insertion or deletion all move by one row.
    const int wanted = frames_.count() + 1;
    if (wanted > rows_) {
        beginInsertRows({}, rows_, wanted - 1);
        rows_ = wanted;
        endInsertRows();
    } else if (wanted < rows_) {
        beginRemoveRows({}, wanted, rows_ - 1);
        rows_ = wanted;
        endRemoveRows();
    }
    first = std::clamp(first, 0, rows_ - 1);
    emit dataChanged(index(first, 0), index(rows_ - 1, kLastColumn));
}

}  // namespace flikkor
