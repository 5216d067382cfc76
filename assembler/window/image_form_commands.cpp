// TImageForm: the commands of the buttons and the context menu.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "platform/associations.h"
#include "platform/command_line.h"
#include "platform/folders.h"
#include "platform/launcher.h"
#include "window/animation_session.h"
#include "window/file_browser.h"
#include "window/frame_table_model.h"
#include "window/image_form.h"

namespace flikkor {

void TImageForm::connectCommands() {
  auto on = [this](QPushButton* b, void (TImageForm::*handler)()) {
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  auto onMenu = [this](QAction* a, void (TImageForm::*handler)()) {
    connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  on(BtnAdd, &TImageForm::BtnAddClick);
  connect(browser_, &FileBrowser::fileActivated, this, &TImageForm::BtnAddClick);  // FileListBox1DblClick
  on(BtnDuplicate, &TImageForm::BtnDuplicateClick);
  on(BtnDelete, &TImageForm::BtnDeleteClick);
  on(BtnClear, &TImageForm::BtnClearClick);
  on(BtnMoveTop, &TImageForm::BtnMoveTopClick);
  on(BtnUp, &TImageForm::BtnUpClick);
  on(BtnDown, &TImageForm::BtnDownClick);
  on(BtnMoveBottom, &TImageForm::BtnMoveBottomClick);
  on(BtnAllSelect, &TImageForm::BtnAllSelectClick);
  on(BtnMake, &TImageForm::BtnMakeClick);
  on(BtnGCT, &TImageForm::BtnGCTClick);
  on(BtnLSSize, &TImageForm::BtnLSSizeClick);
  on(BtnGCClear, &TImageForm::BtnGCClearClick);
  onMenu(MenuGCClear, &TImageForm::BtnGCClearClick);
  connect(EdIteration, &QLineEdit::textChanged, this, [this] { predictFileSize(); });  // EdIterationChange
  connect(SGImages, &QTableView::clicked, this, [this] { SGImagesClick(); });
  on(BtnCancel, &TImageForm::BtnCancelClick);
  on(BtnUpdate, &TImageForm::BtnUpdateClick);
  on(Button3, &TImageForm::MenuAboutClick);
  onMenu(MenuAbout, &TImageForm::MenuAboutClick);
  on(BtnClose, &TImageForm::BtnCloseClick);
  on(Button1, &TImageForm::MenuBrowsClick);
  onMenu(MenuBrows, &TImageForm::MenuBrowsClick);
  on(Button4, &TImageForm::MenuExprolerClick);
  onMenu(MenuExproler, &TImageForm::MenuExprolerClick);
  on(Button5, &TImageForm::MenuDocumentClick);
  onMenu(MenuDocument, &TImageForm::MenuDocumentClick);
  onMenu(MenuViewer, &TImageForm::MenuViewerClick);
  onMenu(MenuExecPaint, &TImageForm::MenuExecPaintClick);
  onMenu(MenuReplaceImage, &TImageForm::MenuReplaceImageClick);
  onMenu(MenuSetViewer, &TImageForm::MenuSetViewerClick);
  onMenu(MenuSetPaint, &TImageForm::MenuSetPaintClick);
  onMenu(MenuChgFold, &TImageForm::MenuChgFoldClick);
  onMenu(MenuDelReg, &TImageForm::MenuDelRegClick);
  onMenu(REDISPLAY, &TImageForm::REDISPLAYClick);
  on(BtnComment, &TImageForm::BtnCommentClick);
  on(BtnTrans, &TImageForm::BtnTransClick);
  on(BtnColorEdit, &TImageForm::BtnColorEditClick);
  onMenu(MenuColorEdit, &TImageForm::BtnColorEditClick);
  on(BtnCTAnim, &TImageForm::BtnCTAnimClick);
  onMenu(MenuCTAnim, &TImageForm::BtnCTAnimClick);
  on(Button2, &TImageForm::MenuShowImageClick);
  onMenu(MenuShowImage, &TImageForm::MenuShowImageClick);
  on(Button6, &TImageForm::MenuHTMLIMGClick);
  onMenu(MenuHTMLIMG, &TImageForm::MenuHTMLIMGClick);
  onMenu(MenuDisAssemble, &TImageForm::MenuDisAssembleClick);
  for (QLabel* image : {Image2, Image3, Image4, Image5}) image->installEventFilter(this);
  for (QWidget* w : PanelParam->findChildren<QWidget*>()) w->installEventFilter(this);
  connect(ELeft, &QLineEdit::textEdited, this, [this] { onPanelEdited(ELeft); });
  connect(ETop, &QLineEdit::textEdited, this, [this] { onPanelEdited(ETop); });
  connect(EDelay, &QLineEdit::textEdited, this, [this] { onPanelEdited(EDelay); });
  connect(CBDisposal, &QComboBox::activated, this, [this] { onPanelEdited(CBDisposal); });
  connect(RBTransON, &QRadioButton::clicked, this, [this] { onPanelEdited(RBTransON); });
  connect(RBTransOFF, &QRadioButton::clicked, this, [this] { onPanelEdited(RBTransOFF); });
}

std::pair<int, int> TImageForm::selectedGridRows() const {
  const QModelIndexList rows = SGImages->selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    const int current = currentGridRow();
    return {current, current};
  }
  int top = rows.first().row(), bottom = top;
  for (const QModelIndex& r : rows) {
    top = std::min(top, r.row());
    bottom = std::max(bottom, r.row());
  }
  return {top + 1, bottom + 1};
}

int TImageForm::currentGridRow() const {
  const QModelIndex current = SGImages->currentIndex();
  return current.isValid() ? current.row() + 1 : session_->frameCount() + 1;
}

void TImageForm::selectGridRows(int top, int bottom) {
  auto* selection = SGImages->selectionModel();
  const QModelIndex first = model_->index(top - 1, 0);
  selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  selection->select(QItemSelection(first, model_->index(bottom - 1, 9)),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  SGImages->scrollTo(first);
}

void TImageForm::addPath(const QString& path) {
  Panel1->hide();
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = path.lastIndexOf('.');
  if (dot < 0 || path.mid(dot).toUpper() != QStringLiteral(".GIF") || QFileInfo(path).isDir()) return;
  (void)name;
  const int at = currentGridRow() - 1;
  const bool wasEmpty = session_->frameCount() == 0;
  std::optional<ScreenValues> screen;
  const int added = session_->loadGifFile(path, at, screen);
  if (wasEmpty && screen) {
    EdLSWidth->setText(QString::number(screen->width));
    EdLSHeight->setText(QString::number(screen->height));
    EdIteration->setText(QString::number(screen->loopCount));
  }
  for (int k = 0; k < added; ++k) model_->InsertFrameRow(at + k);
}

void TImageForm::BtnAddClick() {
  const QStringList paths = browser_->selectedPaths();
  if (paths.isEmpty()) return;
  for (const QString& path : paths) addPath(path);
  predictFileSize();
}

void TImageForm::predictFileSize() { LFileSize->setText(session_->predictFileSize(EdIteration->text())); }

void TImageForm::clearListBoxesWhenEmpty() {
  if (session_->frameCount() > 0) return;
  EdLSWidth->clear();
  EdLSHeight->clear();
  EdIteration->clear();
}

void TImageForm::BtnDeleteClick() {
  const auto [top, bottom] = selectedGridRows();
  for (int r = top; r <= bottom; ++r) {
    if (top - 1 >= session_->frameCount()) break;
    session_->deleteFrame(top - 1);
    model_->RemoveFrameRow(top - 1);
  }
  selectGridRows(top, top);
  predictFileSize();
  clearListBoxesWhenEmpty();
  loadPanel();
}

void TImageForm::BtnClearClick() {
  while (session_->frameCount() > 0) {
    session_->deleteFrame(session_->frameCount() - 1);
    model_->RemoveFrameRow(session_->frameCount());
  }
  selectGridRows(1, 1);
  predictFileSize();
  clearListBoxesWhenEmpty();
  loadPanel();
}

void TImageForm::BtnDuplicateClick() {
  const auto [top, bottom] = selectedGridRows();
  const int a = top - 1;
  int n = bottom - top + 1;
  const int count = session_->frameCount();
  if (a < count) {
    if (a + n > count) --n;
    session_->duplicateFrames(a, n);
    model_->ShowAllFrameRows();
    selectGridRows(a + n + 1, a + 2 * n);
  }
  predictFileSize();
  loadPanel();
}

namespace {
// Moves the selected block by d and selects it at its new place; false when refused.
bool blockFits(int a, int n, int d, int count) {
  if (a >= count || d == 0) return false;
  if (d < 0 && a + d < 0) return false;
  if (d > 0 && a + d + n > count) return false;
  return true;
}
}  // namespace

void TImageForm::BtnUpClick() {
  const auto [top, bottom] = selectedGridRows();
  int a = top - 1, n = bottom - top + 1;
  if (a + n == session_->frameCount() + 1) --n;
  if (blockFits(a, n, -1, session_->frameCount())) {
    session_->moveFrames(a, n, -1);
    model_->ShowAllFrameRows();
    selectGridRows(a, a + n - 1);
  }
  loadPanel();
}

void TImageForm::BtnDownClick() {
  const auto [top, bottom] = selectedGridRows();
  int a = top - 1, n = bottom - top + 1;
  if (a + n == session_->frameCount() + 1) --n;
  if (blockFits(a, n, 1, session_->frameCount())) {
    session_->moveFrames(a, n, 1);
    model_->ShowAllFrameRows();
    selectGridRows(a + 2, a + n + 1);
  }
  loadPanel();
}

void TImageForm::BtnMoveTopClick() {
  const auto [top, bottom] = selectedGridRows();
  int a = top - 1, n = bottom - top + 1;
  if (a + n == session_->frameCount() + 1) --n;
  if (blockFits(a, n, -a, session_->frameCount())) {
    session_->moveFrames(a, n, -a);
    model_->ShowAllFrameRows();
    selectGridRows(1, n);
  }
  loadPanel();
}

void TImageForm::BtnMoveBottomClick() {
  const auto [top, bottom] = selectedGridRows();
  const int count = session_->frameCount();
  int a = top - 1, n = bottom - top + 1;
  if (a + n == count + 1) --n;
  const int d = count - (a + n);
  if (blockFits(a, n, d, count)) {
    session_->moveFrames(a, n, d);
    model_->ShowAllFrameRows();
    selectGridRows(a + d + 1, a + d + n);
  }
  loadPanel();
}

void TImageForm::BtnAllSelectClick() {
  if (session_->frameCount() > 0) selectGridRows(1, session_->frameCount());
  loadPanel();
}

void TImageForm::BtnMakeClick() {
  const AnimationBoxes boxes{EdLSWidth->text(), EdLSHeight->text(), EdIteration->text()};
  session_->makeAnimatedGif(QString(), boxes, [this]() -> std::optional<QString> {
    FileDialogRequest request{QStringLiteral("ファイル作成"), QStringLiteral("GIFﾌｧｲﾙ (*.gif)"), saveFolder_,
                              QStringLiteral("noname.gif"), true};
    std::optional<QString> chosen = services_.fileChooser->chooseSaveFile(request);
    if (!chosen) return std::nullopt;
    saveFolder_ = QFileInfo(*chosen).absolutePath();
    // Whatever extension the name has, the file is a ".gif".
    const QFileInfo info(*chosen);
    QString base = info.fileName();
    const qsizetype dot = base.lastIndexOf('.');
    if (dot >= 0) base = base.left(dot);
    lastMadeFile_ = joinPath(info.absolutePath(), base + ".gif");
    return lastMadeFile_;
  });
  browser_->refresh();
}

void TImageForm::BtnGCTClick() {
  const auto [top, bottom] = selectedGridRows();
  if (top != bottom) {
    services_.prompter->show(kErrorCaption, QStringLiteral("グローバルカラーテーブルに指定する画像を１つだけ指定してください"),
                             MessageButtons::Ok);
    return;
  }
  if (top - 1 >= session_->frameCount()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("グローバルカラーテーブルに指定する画像が指定されていません"),
                             MessageButtons::Ok);
    return;
  }
  session_->setGlobalTableFromFrame(top - 1);
  model_->ShowAllFrameRows();
  predictFileSize();
}

void TImageForm::BtnLSSizeClick() {
  const int first = selectedGridRows().first - 1;
  if (first >= session_->frameCount()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("ロジカルスクリーンサイズを合わせる画像が指定されていません"),
                             MessageButtons::Ok);
    return;
  }
  const FrameFields f = session_->frameFields(first);
  EdLSWidth->setText(QString::number(f.width));
  EdLSHeight->setText(QString::number(f.height));
}

void TImageForm::BtnGCClearClick() {
  session_->clearGlobalTableUse();
  model_->ShowAllFrameRows();
  predictFileSize();
}

void TImageForm::REDISPLAYClick() {
  model_->ShowAllFrameRows();
  predictFileSize();
}

void TImageForm::SGImagesClick() { loadPanel(); }
void TImageForm::MenuAboutClick() { Panel1->show(); Panel1->raise(); }
void TImageForm::BtnCloseClick() { Panel1->hide(); }

}  // namespace flikkor
