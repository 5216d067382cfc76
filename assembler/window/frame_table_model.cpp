#include "window/frame_table_model.h"

#include "window/animation_session.h"

namespace flikkor {

QStringList frameGridHeaders() {
  return {QStringLiteral("No."),    QStringLiteral("元画像"), QStringLiteral("位置"),
          QStringLiteral("ｻｲｽﾞ"),   QStringLiteral("ﾃﾞｨﾚｲ"),  QStringLiteral("消去法"),
          QStringLiteral("透過"),   QStringLiteral("ｶﾗｰﾃｰﾌﾞﾙ"), QStringLiteral("色数"),
          QStringLiteral("ﾌﾙﾊﾟｽ名")};
}

QList<int> frameGridColumnWidths() { return {22, 97, 34, 44, 35, 41, 89, 62, 28, 326}; }

FrameTableModel::FrameTableModel(AnimationSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session), rows_(session.frameCount() + 1) {}

int FrameTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int FrameTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 10; }

QVariant FrameTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= session_.frameCount()) return {};
  const QStringList cells = session_.rowCells(index.row());
  return index.column() < cells.size() ? cells[index.column()] : QString();
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (!headersShown_) return QString();
  return frameGridHeaders().value(section);
}

void FrameTableModel::showHeaders() {
  headersShown_ = true;
  emit headerDataChanged(Qt::Horizontal, 0, 9);
}

void FrameTableModel::ShowFrameRow(int i) { emit dataChanged(index(i, 0), index(i, 9)); }

void FrameTableModel::ShowAllFrameRows() {
  const int wanted = session_.frameCount() + 1;
  if (wanted > rows_) {
    beginInsertRows({}, rows_, wanted - 1);
    rows_ = wanted;
    endInsertRows();
  } else if (wanted < rows_) {
    beginRemoveRows({}, wanted, rows_ - 1);
    rows_ = wanted;
    endRemoveRows();
  }
  emit dataChanged(index(0, 0), index(rows_ - 1, 9));
}

void FrameTableModel::InsertFrameRow(int p) {
  beginInsertRows({}, p, p);
  ++rows_;
  endInsertRows();
  // Numbers of the rows below change too.
  emit dataChanged(index(p, 0), index(rows_ - 1, 9));
}

void FrameTableModel::RemoveFrameRow(int i) {
  beginRemoveRows({}, i, i);
  --rows_;
  endRemoveRows();
  if (i < rows_) emit dataChanged(index(i, 0), index(rows_ - 1, 9));
}

}  // namespace flikkor
