// TImageForm: the commands of the buttons and the context menu. Each handler
// hands the grid selection and the edit boxes to the engine, makes one engine
// call and shows the result.
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
#include <QScopedValueRollback>
#include <QTableView>

#include "assembler/window/file_browser.h"
#include "assembler/window/frame_table_model.h"
#include "assembler/window/image_form.h"

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
    // The grid's click event also stands for a selection moved with the keys.
    connect(SGImages->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!showingSelection_) SGImagesClick();
    });
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
    return current.isValid() ? current.row() + 1 : engine_.frames.count() + 1;
}

void TImageForm::selectGridRows(int top, int bottom) { showGridCursor({top, top, bottom}); }

void TImageForm::showGridCursor(const gifengine::GridCursor& cursor) {
    const QScopedValueRollback<bool> quiet(showingSelection_, true);
    auto* selection = SGImages->selectionModel();
    const QModelIndex current = model_->index(cursor.currentRow - 1, 0);
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(model_->index(cursor.topRow - 1, 0), model_->index(cursor.bottomRow - 1, 9)),
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    SGImages->scrollTo(current);
}

const gifengine::GifEngine& TImageForm::engineWithGridCursor() {
    const auto [top, bottom] = selectedGridRows();
    engine_.frames.cursor = gifengine::GridCursor{currentGridRow(), top, bottom};
    return engine_;
}

gifengine::GifEngine& TImageForm::engineWithSelection() {
    engineWithGridCursor();
    engine_.boxes = {EdLSWidth->text().toStdString(), EdLSHeight->text().toStdString(),
                     EdIteration->text().toStdString()};
    return engine_;
}

void TImageForm::showEngineState() {
    // Rows the model adds or removes move the selection; that is no user's choice.
    const QScopedValueRollback<bool> quiet(showingSelection_, true);
    model_->ShowAllFrameRows();
    showGridCursor(engine_.frames.cursor);
    const auto show = [](QLineEdit* box, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (box->text() != shown) box->setText(shown);
    };
    show(EdLSWidth, engine_.boxes.EdLSWidth);
    show(EdLSHeight, engine_.boxes.EdLSHeight);
    show(EdIteration, engine_.boxes.EdIteration);
}

void TImageForm::addPath(const QString& path) { addPaths({path}); }

void TImageForm::addPaths(const QStringList& paths) {
    Panel1->hide();
    std::vector<std::string> gifs;
    for (const QString& path : paths) {
        const qsizetype dot = path.lastIndexOf('.');
        if (dot < 0 || path.mid(dot).toUpper() != QStringLiteral(".GIF") || QFileInfo(path).isDir()) continue;
        gifs.push_back(path.toStdString());
    }
    if (gifs.empty()) return;
    gifengine::GifEngine& engine = engineWithSelection();
    const int at = engine.frames.insertionIndex();
    if (engine.LoadGifFiles(gifs) == 0) return;
    const QScopedValueRollback<bool> quiet(showingSelection_, true);
    model_->InsertFrameRow(at);
    showEngineState();
}

void TImageForm::addFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    addPaths(paths);
    predictFileSize();
}

void TImageForm::BtnAddClick() { addFiles(browser_->selectedPaths()); }

void TImageForm::predictFileSize() {
    engine_.boxes.EdIteration = EdIteration->text().toStdString();
    LFileSize->setText(QString::fromStdString(engine_.PredictFileSizeText()));
}

void TImageForm::afterListCommand(bool sizeChanged) {
    showEngineState();
    if (sizeChanged) predictFileSize();
    loadPanel();
}

void TImageForm::BtnDeleteClick() {
    engineWithSelection().deleteSelection();
    afterListCommand(true);
}

void TImageForm::BtnClearClick() {
    engineWithSelection().clearFrames();
    afterListCommand(true);
}

void TImageForm::BtnDuplicateClick() {
    engineWithSelection().duplicateSelection();
    afterListCommand(true);
}

void TImageForm::BtnUpClick() {
    engineWithSelection().moveSelection(gifengine::GifEngine::MoveTarget::Up);
    afterListCommand(false);
}

void TImageForm::BtnDownClick() {
    engineWithSelection().moveSelection(gifengine::GifEngine::MoveTarget::Down);
    afterListCommand(false);
}

void TImageForm::BtnMoveTopClick() {
    engineWithSelection().moveSelection(gifengine::GifEngine::MoveTarget::Top);
    afterListCommand(false);
}

void TImageForm::BtnMoveBottomClick() {
    engineWithSelection().moveSelection(gifengine::GifEngine::MoveTarget::Bottom);
    afterListCommand(false);
}

void TImageForm::BtnAllSelectClick() {
    engineWithSelection().selectAll();
    afterListCommand(false);
}

void TImageForm::BtnMakeClick() {
    engineWithSelection().MakeAnimatedGif(std::string());
    browser_->refresh();
}

void TImageForm::BtnGCTClick() {
    engineWithSelection().setGlobalTableFromSelection();
    model_->ShowAllFrameRows();
    predictFileSize();
}

void TImageForm::BtnLSSizeClick() {
    engineWithSelection().fitScreenToSelection();
    showEngineState();
}

void TImageForm::BtnGCClearClick() {
    engine_.ClearGlobalTableUse();
    model_->ShowAllFrameRows();
    predictFileSize();
}

void TImageForm::REDISPLAYClick() {
    model_->ShowAllFrameRows();
    predictFileSize();
}

void TImageForm::SGImagesClick() { loadPanel(); }
void TImageForm::MenuAboutClick() {
    Panel1->show();
    Panel1->raise();
}
void TImageForm::BtnCloseClick() { Panel1->hide(); }

}  // namespace flikkor
