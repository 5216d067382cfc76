#pragma once
// "カラーテーブルアニメーション作成": the first and last colours of the
// source's table, 16 entries at a time, the pattern count and the two
// options of the colour-table animation.
#include <array>

#include "assembler/colour/modal_dialog.h"
#include "assembler/colour/swatch_grid_widget.h"
#include "gifengine/colour/colour_animation.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace flikkor {

class TColorAnimForm : public ModalDialog, public gifengine::colour::ColourAnimationDialog {
    Q_OBJECT
public:
    TColorAnimForm(gifengine::colour::ColourChooser& ColorDialog1, gifengine::Reporter& reporter,
                   QWidget* parent = nullptr);

    // Shows the dialog modally; true when BtnMake closed it.
    bool Run(gifengine::colour::ColourAnimationWork& work, gifengine::colour::ColourAnimationSettings& settings,
             int frameCount) override;
    // The 16 entries w .. w + 15 in both swatch rows.
    void ShowColorWindow();

    QLabel* LLeftNo;
    QLabel* LRightNo;
    std::array<SwatchGridWidget*, 32> Shape{};  // Shape1..16 first row, Shape17..32 last row
    QLineEdit* EdPattern;
    QLabel* LTotalImages;
    QCheckBox* CBReturned;
    QCheckBox* CBDelete;
    QPushButton* BtnUp;
    QPushButton* BtnDown;
    QPushButton* BtnMake;
    QPushButton* BtnCancel;

private:
    void showTotal();
    void swatchClicked(int shape);

    gifengine::colour::ColourChooser& chooser_;
    gifengine::Reporter& reporter_;
    gifengine::colour::ColourAnimationWork* work_ = nullptr;
    gifengine::colour::ColourAnimationSettings* settings_ = nullptr;
    int frameCount_ = 0;
    bool make_ = false;
};

}  // namespace flikkor
