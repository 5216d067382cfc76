#pragma once
// "カラーテーブル編集": the table shared by the selected frames as a swatch
// grid; a click opens the colour chooser for that entry.
#include "assembler/colour/modal_dialog.h"
#include "assembler/colour/swatch_grid_widget.h"
#include "gifengine/colour/colour_table_edit.h"

class QPushButton;

namespace flikkor {

class TColorEditForm : public ModalDialog, public gifengine::colour::ColourTableEditor {
    Q_OBJECT
public:
    TColorEditForm(gifengine::colour::ColourChooser& ColorDialog1, QWidget* parent = nullptr);

    // Shows the buffer modally; true when BtnUpdate closed the dialog.
    bool EditTable(gifengine::colour::ColourEditBuffer& buffer) override;

    SwatchGridWidget* grid;
    QPushButton* BtnCancel;
    QPushButton* BtnUpdate;

private:
    void showBuffer();

    gifengine::colour::ColourChooser& chooser_;
    gifengine::colour::ColourEditBuffer* buffer_ = nullptr;
    bool confirmed_ = false;
};

}  // namespace flikkor
