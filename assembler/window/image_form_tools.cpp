// TImageForm: the commands that open the colour-table tools, the comment editor,
// the HTML image list, the IMG tag dialog and the split. They work on the engine's
// frame records, with the grid selection handed over first.
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
#include "html/comment_form.h"
#include "html/dialog_services.h"
#include "html/engine_frame_writer.h"
#include "html/html_messages.h"
#include "html/image_list.h"
#include "html/img_tag_form.h"
#include "text/shift_jis.h"
#include "window/file_browser.h"
#include "window/frame_table_model.h"
#include "window/image_form.h"

namespace flikkor {

// After a colour tool: the panel forgets its edits, the grid and size estimate follow.
class TImageForm::ToolHost final : public gifcolour::ColourToolHost {
 public:
  explicit ToolHost(TImageForm& form) : form_(form) {}
  void ResetPendingPanelEdits() override { form_.panelPending_ = form_.panelShown_; }
  void FramesChanged() override {
    form_.showEngineState();
    form_.predictFileSize();
    form_.loadPanel();
  }

 private:
  TImageForm& form_;
};

void TImageForm::BtnTransClick() {
  if (panelShown_.first < 0) return;
  if (transColForm_ == nullptr) transColForm_ = new TTransColForm(this);
  transColForm_->setModalRunner(dialogRunner());
  const gifcolour::TransparentBlock block{panelShown_.first, panelShown_.last, panelShown_.transIndex,
                                          panelShown_.transColour};
  gifcolour::PendingTransparency pending{panelPending_.transIndex, panelPending_.transColour};
  const auto labels = transColForm_->ChooseTransparency(engine_.frames, block, pending);
  // A cancel has put the pending values back to the block's common ones.
  panelPending_.transIndex = pending.index;
  panelPending_.transColour = pending.colour;
  if (labels) ShowTransparencyLabels(LTransIndex, LTransColor, *labels);
}

void TImageForm::BtnColorEditClick() {
  gifengine::GifEngine& engine = engineWithSelection();
  QtColourChooser colours(this);
  TColorEditForm editor(colours, this);
  editor.setModalRunner(dialogRunner());
  ToolHost host(*this);
  gifcolour::EditColorTables(engine.frames, relay_, editor, host);
}

void TImageForm::BtnCTAnimClick() {
  gifengine::GifEngine& engine = engineWithSelection();
  QtColourChooser colours(this);
  TColorAnimForm dialog(colours, relay_, this);
  dialog.setModalRunner(dialogRunner());
  ToolHost host(*this);
  if (gifcolour::MakeColorTableAnimation(engine.frames, relay_, dialog, colourAnimation_, host))
    model_->ShowAllFrameRows();
}

void TImageForm::BtnCommentClick() {
  // The comment travels in the file as Shift_JIS bytes; the editor shows it as text.
  std::string comment = shiftJisToUtf8(engine_.animationComment);
  std::string stored = settings_.comment.toStdString();
  if (assembler_html::EditAnimationComment(comment, stored, this, dialogRunner()))
    engine_.animationComment = utf8ToShiftJis(comment);
  settings_.comment = QString::fromStdString(stored);
  predictFileSize();
}

void TImageForm::MenuShowImageClick() {
  assembler_html::EngineFrameWriter writer(engineWithSelection());
  assembler_html::MenuShowImage(writer, relay_, settings_.workDir.toStdString(),
                                [this](const std::string& page) { openInBrowser(QString::fromStdString(page)); });
  browser_->refresh();
}

void TImageForm::MenuHTMLIMGClick() {
  if (engine_.LastMadeFile.empty()) {
    relay_.ShowMessage(assembler_html::text::kCaptionError, assembler_html::text::kNothingMadeYet,
                       gifengine::MessageButtons::Ok);
    return;
  }
  assembler_html::QtTextClipboard clipboard;
  assembler_html::QtErrorBox errors(this);
  assembler_html::TIMGTagForm form(imgTagOptions_, clipboard, errors, this);
  form.setMadeFile({engine_.LastMadeFile, engine_.LastMadeWidth, engine_.LastMadeHeight});
  runDialog(form);
}

void TImageForm::MenuDisAssembleClick() {
  engineWithSelection().splitIntoFiles();
  browser_->refresh();
}

}  // namespace flikkor
