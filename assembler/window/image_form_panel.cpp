// TImageForm: the frame-parameter panel. PanelShown holds what the panel loaded
// from the selected frames, PanelPending what the user is about to apply; the
// engine decides both the loaded values and what an apply writes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "assembler/window/frame_table_model.h"
#include "assembler/window/image_form.h"

namespace flikkor {
namespace {

QString hexColour(int colour) { return QStringLiteral("%1").arg(colour, 6, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

void TImageForm::colourPanelEdit(QWidget* edit, bool differs) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, differs ? Qt::red : Qt::black);
    palette.setColor(QPalette::WindowText, differs ? Qt::red : Qt::black);
    palette.setColor(QPalette::ButtonText, differs ? Qt::red : Qt::black);
    edit->setPalette(palette);
}

void TImageForm::clearPanel() {
    panelShown_ = PanelBlock{};
    panelPending_ = panelShown_;
    for (QLineEdit* e : {ELeft, ETop, EDelay}) e->clear();
    LSelectNo->clear();
    LTransIndex->clear();
    LTransColor->clear();
    // The transparent-colour dialog may have turned these red.
    LTransIndex->setStyleSheet(QString());
    LTransColor->setStyleSheet(QString());
    CBDisposal->setCurrentIndex(-1);
    RBTransON->setAutoExclusive(false);
    RBTransOFF->setAutoExclusive(false);
    RBTransON->setChecked(false);
    RBTransOFF->setChecked(false);
    RBTransON->setAutoExclusive(true);
    RBTransOFF->setAutoExclusive(true);
    for (QWidget* w : std::initializer_list<QWidget*>{ELeft, ETop, EDelay, CBDisposal, RBTransON, RBTransOFF})
        colourPanelEdit(w, false);
}

void TImageForm::loadPanel() {
    clearPanel();
    const PanelBlock shown = engineWithGridCursor().selectedFrameValues();
    if (shown.first < 0) return;
    LSelectNo->setText(shown.first == shown.last ? QString::number(shown.first + 1)
                                                 : QStringLiteral("%1 - %2").arg(shown.first + 1).arg(shown.last + 1));
    if (shown.left >= 0) ELeft->setText(QString::number(shown.left));
    if (shown.top >= 0) ETop->setText(QString::number(shown.top));
    if (shown.delay >= 0) EDelay->setText(QString::number(shown.delay));
    CBDisposal->setCurrentIndex(shown.disposal >= 0 && shown.disposal <= 3 ? shown.disposal : -1);
    if (shown.transFlag == 1) RBTransON->setChecked(true);
    if (shown.transFlag == 0) RBTransOFF->setChecked(true);
    if (shown.transIndex >= 0) LTransIndex->setText(QString::number(shown.transIndex));
    if (shown.transColour >= 0) LTransColor->setText(hexColour(shown.transColour));
    panelShown_ = shown;
    panelPending_ = shown;
}

void TImageForm::onPanelEdited(QWidget* source) {
    if (panelShown_.first < 0) return;
    if (source == ELeft) {
        panelPending_.left = gifengine::PanelNumber(ELeft->text().toStdString());
        colourPanelEdit(ELeft, panelPending_.left != panelShown_.left);
    } else if (source == ETop) {
        panelPending_.top = gifengine::PanelNumber(ETop->text().toStdString());
        colourPanelEdit(ETop, panelPending_.top != panelShown_.top);
    } else if (source == EDelay) {
        panelPending_.delay = gifengine::PanelNumber(EDelay->text().toStdString());
        colourPanelEdit(EDelay, panelPending_.delay != panelShown_.delay);
    } else if (source == CBDisposal) {
        panelPending_.disposal = CBDisposal->currentIndex();
        colourPanelEdit(CBDisposal, panelPending_.disposal != panelShown_.disposal);
    } else {
        panelPending_.transFlag = RBTransON->isChecked() ? 1 : RBTransOFF->isChecked() ? 0 : -1;
        const bool differs = panelPending_.transFlag != panelShown_.transFlag;
        colourPanelEdit(RBTransON, differs);
        colourPanelEdit(RBTransOFF, differs);
    }
}

void TImageForm::BtnCancelClick() {
    if (panelShown_.first < 0)
        clearPanel();
    else
        loadPanel();
}

void TImageForm::BtnUpdateClick() {
    engine_.applyFrameEdits(panelShown_, panelPending_);
    if (panelShown_.first < 0) return;
    model_->ShowAllFrameRows();
    loadPanel();
}

}  // namespace flikkor
