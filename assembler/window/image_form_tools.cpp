// TImageForm: the commands that open the colour-table tools, the comment editor,
// the HTML image list, the IMG tag dialog and the split. They work on the engine's
// frame records directly, with the grid selection handed over first.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "colour/color_anim_form.h"
#include "colour/color_edit_form.h"
#include "colour/qt_colour_chooser.h"
#include "colour/trans_col_form.h"
#include "gifcolourtools/colour_animation.h"
#include "gifcolourtools/colour_table_edit.h"
#include "gifcolourtools/colour_tool_host.h"
#include "gifengine/gif_engine.h"
#include "html/comment_form.h"
#include "html/dialog_services.h"
#include "html/engine_frame_writer.h"
#include "html/image_list.h"
#include "html/img_tag_form.h"
#include "html/split_frames.h"
#include "window/animation_session.h"
#include "window/file_browser.h"
#include "window/frame_table_model.h"
#include "window/image_form.h"

namespace flikkor {

namespace {

// The split's save dialog through the window's own file chooser.
class WindowSaveChooser final : public gifengine::SaveChooser {
 public:
  explicit WindowSaveChooser(FileChooser& chooser) : chooser_(chooser) {}
  std::optional<std::string> ChooseSaveFile(const gifengine::SaveDialogRequest& request) override {
    const QString filter = QString::fromStdString(request.filter).section('|', 0, 0);
    const FileDialogRequest shown{QString::fromStdString(request.title), filter,
                                  QString::fromStdString(request.initialFolder),
                                  QString::fromStdString(request.initialFileName), request.confirmOverwrite};
    const std::optional<QString> chosen = chooser_.chooseSaveFile(shown);
    if (!chosen) return std::nullopt;
    return chosen->toStdString();
  }

 private:
  FileChooser& chooser_;
};

}  // namespace

// After a colour tool: the panel forgets its edits, the grid and size estimate follow.
class TImageForm::ToolHost final : public gifcolour::ColourToolHost {
 public:
  explicit ToolHost(TImageForm& form) : form_(form) {}
  void ResetPendingPanelEdits() override { form_.panelPending_ = form_.panelShown_; }
  void FramesChanged() override {
    form_.model_->ShowAllFrameRows();
    form_.predictFileSize();
    form_.loadPanel();
  }

 private:
  TImageForm& form_;
};

gifengine::GifEngine* TImageForm::engineWithSelection() {
  gifengine::GifEngine* engine = session_->engine();
  if (engine == nullptr) return nullptr;
  const auto [top, bottom] = selectedGridRows();
  engine->frames.cursor = gifengine::GridCursor{currentGridRow(), top, bottom};
  return engine;
}

void TImageForm::BtnTransClick() {
  gifengine::GifEngine* engine = session_->engine();
  if (engine == nullptr || panelShown_.first < 0) return;
  if (transColForm_ == nullptr) transColForm_ = new TTransColForm(this);
  if (toolDialogRunner_) transColForm_->setModalRunner(toolDialogRunner_);
  const gifcolour::TransparentBlock block{panelShown_.first, panelShown_.last, panelShown_.transIndex,
                                          panelShown_.transColour};
  gifcolour::PendingTransparency pending{panelPending_.transIndex, panelPending_.transColour};
  const auto labels = transColForm_->ChooseTransparency(engine->frames, block, pending);
  // A cancel has put the pending values back to the block's common ones.
  panelPending_.transIndex = pending.index;
  panelPending_.transColour = pending.colour;
  if (labels) ShowTransparencyLabels(LTransIndex, LTransColor, *labels);
}

void TImageForm::BtnColorEditClick() {
  gifengine::GifEngine* engine = engineWithSelection();
  if (engine == nullptr) return;
  QtColourChooser colours(this);
  TColorEditForm editor(colours, this);
  if (toolDialogRunner_) editor.setModalRunner(toolDialogRunner_);
  ToolHost host(*this);
  gifcolour::EditColorTables(engine->frames, *session_->reporter(), editor, host);
}

void TImageForm::BtnCTAnimClick() {
  gifengine::GifEngine* engine = engineWithSelection();
  if (engine == nullptr) return;
  QtColourChooser colours(this);
  TColorAnimForm dialog(colours, *session_->reporter(), this);
  if (toolDialogRunner_) dialog.setModalRunner(toolDialogRunner_);
  ToolHost host(*this);
  if (gifcolour::MakeColorTableAnimation(engine->frames, *session_->reporter(), dialog, colourAnimation_, host))
    model_->ShowAllFrameRows();
}

void TImageForm::BtnCommentClick() {
  std::string comment = session_->animationComment().toStdString();
  std::string stored = settings_.comment.toStdString();
  if (assembler_html::EditAnimationComment(comment, stored, this))
    session_->setAnimationComment(QString::fromStdString(comment));
  settings_.comment = QString::fromStdString(stored);
  predictFileSize();
}

void TImageForm::MenuShowImageClick() {
  gifengine::GifEngine* engine = engineWithSelection();
  if (engine != nullptr) {
    engine->boxes = {EdLSWidth->text().toStdString(), EdLSHeight->text().toStdString(),
                     EdIteration->text().toStdString()};
    assembler_html::EngineFrameWriter writer(*engine);
    assembler_html::MenuShowImage(writer, *session_->reporter(), settings_.workDir.toStdString(),
                                  [this](const std::string& page) { openInBrowser(QString::fromStdString(page)); });
  }
  browser_->refresh();
}

void TImageForm::MenuHTMLIMGClick() {
  const auto [width, height] = session_->lastMadeSize();
  assembler_html::QtTextClipboard clipboard;
  assembler_html::QtErrorBox errors(this);
  assembler_html::TIMGTagForm form(imgTagOptions_, clipboard, errors, this);
  form.setMadeFile({lastMadeFile_.toStdString(), uint16_t(width), uint16_t(height)});
  form.exec();
}

void TImageForm::MenuDisAssembleClick() {
  gifengine::GifEngine* engine = engineWithSelection();
  if (engine != nullptr && services_.fileChooser != nullptr) {
    assembler_html::EngineFrameWriter writer(*engine);
    WindowSaveChooser chooser(*services_.fileChooser);
    std::string folder = splitFolder_.toStdString();
    assembler_html::MenuDisAssemble(writer, *session_->reporter(), chooser, folder);
    splitFolder_ = QString::fromStdString(folder);
  }
  browser_->refresh();
}

}  // namespace flikkor
