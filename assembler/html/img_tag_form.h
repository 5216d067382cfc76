// TIMGTagForm "HTML IMGタグ作成": shows the last made file and its size and
// builds its IMG tag from the options, which outlive the dialog.
#pragma once

#include <QDialog>

#include "assembler/html/dialog_services.h"
#include "assembler/html/img_tag.h"
#include "gifengine/reporter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace flikkor::html {

class TIMGTagForm : public QDialog {
    Q_OBJECT
public:
    TIMGTagForm(ImgTagOptions& options, TextClipboard& clipboard, gifengine::Reporter& reporter,
                QWidget* parent = nullptr);

    // The file the tag is about; read again at every showing.
    void setMadeFile(const MadeFile& made) { made_ = made; }

    // Puts the options into the controls and rebuilds the texts (every showing).
    void FormActivate();

    void CLowerClick();
    void CAltClick();
    void EAltChange();
    void CBorderClick();
    void EBorderChange();
    void CAlignClick();
    void CBAlignChange();
    void CVSpaceClick();
    void EVSpaceChange();
    void CHSpaceClick();
    void EHSpaceChange();
    void BtnResetClick();
    void BFullStrClick();
    void BtnCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showOptions();
    void rebuild();
    void integerChanged(QLineEdit* edit, int32_t& value);

    ImgTagOptions& options_;
    TextClipboard& clipboard_;
    gifengine::Reporter& reporter_;
    MadeFile made_;
    bool showingOptions_ = false;

    QLineEdit* EditGIFName;
    QLineEdit* EditSize;
    QCheckBox* CLower;
    QCheckBox* CAlt;
    QLineEdit* EAlt;
    QCheckBox* CBorder;
    QLineEdit* EBorder;
    QCheckBox* CAlign;
    QComboBox* CBAlign;
    QCheckBox* CVSpace;
    QLineEdit* EVSpace;
    QCheckBox* CHSpace;
    QLineEdit* EHSpace;
    QLineEdit* EFullStr;
    QPushButton* BFullStr;
    QPushButton* BtnReset;
    QPushButton* BtnClose;
};

}  // namespace flikkor::html
