#pragma once
// "透過色指定": choosing the transparent colour of the selected block, as a
// common index or a common colour. Changes only the panel's pending values
// and, on confirmation, the texts of its two transparency labels.
#include <optional>

#include "assembler/colour/modal_dialog.h"
#include "assembler/colour/swatch_grid_widget.h"
#include "gifengine/colour/transparent_choice.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace flikkor {

class TTransColForm : public ModalDialog {
    Q_OBJECT
public:
    explicit TTransColForm(QWidget* parent = nullptr);

    // Shows the dialog modally for the block; returns the label texts when
    // the user confirmed, nothing otherwise (pending values then restored).
    std::optional<gifengine::colour::TransparentPanelLabels> ChooseTransparency(
        const gifengine::FrameList& frames, const gifengine::colour::TransparentBlock& block,
        gifengine::colour::PendingTransparency& pending);

    SwatchGridWidget* grid;
    QLabel* LImageNo;
    QLabel* LColorTable;
    QLabel* LOrgTransIndex;
    QLabel* LOrgTransColor;
    QLabel* LCurTransIndex;
    QLabel* LCurTransColor;
    QLabel* LMethod;
    QRadioButton* RBIndex;
    QRadioButton* RBColor;
    QPushButton* BtnPrev;
    QPushButton* BtnNext;
    QPushButton* BtnCancel;
    QPushButton* BtnUpdate;

private:
    void showView();

    std::optional<gifengine::colour::TransparentColourChoice> choice_;
    std::optional<gifengine::colour::TransparentPanelLabels> labels_;
};

// Writes the dialog's choice into the panel's LTransIndex and LTransColor,
// red where it differs from the block's common value.
void ShowTransparencyLabels(QLabel* LTransIndex, QLabel* LTransColor,
                            const gifengine::colour::TransparentPanelLabels& labels);

}  // namespace flikkor
