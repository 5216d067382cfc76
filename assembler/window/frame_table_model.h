#pragma once
// SGImages: the frame list as a table, one row per frame and one trailing empty row.
#include <QAbstractTableModel>

namespace gifengine {
class FrameList;
}

namespace flikkor {

// The engine's grid headers and 12-pixel column widths, as Qt lists.
QStringList frameGridHeaders();
QList<int> frameGridColumnWidths();

class FrameTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FrameTableModel(const gifengine::FrameList& frames, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The headers are written at first activation.
    void showHeaders();
    // ShowFrameRow: redraws the row of frame i.
    void ShowFrameRow(int i);
    // ShowAllFrameRows: redraws every row, after any change of the number of frames too.
    void ShowAllFrameRows();
    // InsertFrameRow: frames from p on have just been inserted into the list.
    void InsertFrameRow(int p);

private:
    void showRowsFrom(int first);
    const gifengine::FrameList& frames_;
    int rows_ = 1;
    bool headersShown_ = false;
};

}  // namespace flikkor
