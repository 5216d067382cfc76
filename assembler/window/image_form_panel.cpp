// TImageForm: the frame-parameter panel. PanelShown holds what the panel loaded
// from the selected frames, PanelPending what the user is about to apply.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "window/animation_session.h"
#include "window/frame_table_model.h"
#include "window/image_form.h"

namespace flikkor {
namespace {

// Decimal text as an integer; anything else counts as 0.
int integerOrZero(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok ? value : 0;
}

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
  auto [top, bottom] = selectedGridRows();
  int first = top - 1, last = bottom - 1;
  clearPanel();
  const int count = session_->frameCount();
  if (first < 0 || first >= count) return;
  if (last >= count) last = last - 1;
  LSelectNo->setText(first == last ? QString::number(first + 1)
                                   : QStringLiteral("%1 - %2").arg(first + 1).arg(last + 1));
  PanelBlock shown;
  shown.first = first;
  shown.last = last;
  // A field keeps its value when every selected frame has the same, else -1.
  auto common = [&](auto field) {
    const int value = field(session_->frameFields(first));
    for (int i = first + 1; i <= last; ++i)
      if (field(session_->frameFields(i)) != value) return -1;
    return value;
  };
  shown.left = common([](const FrameFields& f) { return f.left; });
  shown.top = common([](const FrameFields& f) { return f.top; });
  shown.delay = common([](const FrameFields& f) { return f.delay; });
  shown.disposal = common([](const FrameFields& f) { return f.disposal; });
  shown.transFlag = common([](const FrameFields& f) { return f.transFlag; });
  shown.transIndex = common([](const FrameFields& f) { return f.transIndex; });
  shown.transColour = common([](const FrameFields& f) { return f.transColour; });
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
    panelPending_.left = integerOrZero(ELeft->text());
    colourPanelEdit(ELeft, panelPending_.left != panelShown_.left);
  } else if (source == ETop) {
    panelPending_.top = integerOrZero(ETop->text());
    colourPanelEdit(ETop, panelPending_.top != panelShown_.top);
  } else if (source == EDelay) {
    panelPending_.delay = integerOrZero(EDelay->text());
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

void TImageForm::BtnUpdateClick() { applyPanel(); }

void TImageForm::applyPanel() {
  if (panelShown_.first < 0) return;
  const PanelBlock& shown = panelShown_;
  const PanelBlock& pending = panelPending_;
  for (int i = shown.first; i <= shown.last; ++i) {
    FrameFields f = session_->frameFields(i);
    int left = f.left, top = f.top;
    if (pending.left != shown.left) left = pending.left & 0xFFFF;
    if (pending.top != shown.top) top = pending.top & 0xFFFF;
    if (left != f.left || top != f.top) session_->setPosition(i, left, top);
    if (pending.delay != shown.delay) session_->setDelay(i, pending.delay & 0xFFFF);
    if (pending.disposal != shown.disposal) session_->setDisposal(i, pending.disposal & 7);
    int flag = f.transFlag;
    if (pending.transFlag != shown.transFlag) flag = pending.transFlag & 1;
    int index = f.transIndex;
    if (pending.transIndex < 0) {
      if (pending.transColour >= 0 && pending.transColour != shown.transColour) {
        const int found = session_->findColour(i, pending.transColour);
        if (found >= 0) index = found;
      }
    } else if (pending.transIndex != shown.transIndex && f.tableSize > pending.transIndex) {
      index = pending.transIndex;
    }
    if (flag != f.transFlag || index != f.transIndex) session_->setTransparency(i, flag, index);
  }
  model_->ShowAllFrameRows();
  loadPanel();
}

}  // namespace flikkor
