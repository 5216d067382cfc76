#pragma once
// "カラーテーブル編集": the table shared by the selected frames as a swatch
// grid; a click opens the colour chooser for that entry.
#include "colour/modal_dialog.h"
#include "colour/swatch_grid_widget.h"
#include "gifcolourtools/colour_table_edit.h"

class QPushButton;

namespace flikkor {

class TColorEditForm : public ModalDialog, public gifcolour::ColourTableEditor {
    Q_OBJECT
public:
    TColorEditForm(gifcolour::ColourChooser& ColorDialog1, QWidget* parent = nullptr);

    // Shows the buffer modally; true when BtnUpdate closed the dialog.
    bool EditTable(gifcolour::ColourEditBuffer& buffer) override;

    SwatchGridWidget* grid;
    QPushButton* BtnCancel;
    QPushButton* BtnUpdate;

private:
    void showBuffer();

    gifcolour::ColourChooser& chooser_;
    gifcolour::ColourEditBuffer* buffer_ = nullptr;
    bool confirmed_ = false;
};

}  // namespace flikkor
