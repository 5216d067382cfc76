// TImageForm: the commands that open the colour-table tools, the comment editor,
// the HTML image list, the IMG tag dialog and the split. They work on the engine's
// frame records, with the grid selection handed over first.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "assembler/colour/color_anim_form.h"
#include "assembler/colour/color_edit_form.h"
#include "assembler/colour/qt_colour_chooser.h"
#include "assembler/colour/trans_col_form.h"
#include "assembler/html/comment_form.h"
#include "assembler/html/dialog_services.h"
#include "assembler/html/engine_frame_writer.h"
#include "assembler/html/html_messages.h"
#include "assembler/html/image_list.h"
#include "assembler/html/img_tag_form.h"
#include "assembler/text/shift_jis.h"
#include "assembler/window/file_browser.h"
#include "assembler/window/frame_table_model.h"
#include "assembler/window/image_form.h"
#include "gifengine/colour/colour_animation.h"
#include "gifengine/colour/colour_table_edit.h"
#include "gifengine/colour/colour_tool_host.h"

namespace flikkor {

// After a colour tool: the panel forgets its edits, the grid and size estimate follow.
class TImageForm::ToolHost final : public gifengine::colour::ColourToolHost {
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
    const gifengine::colour::TransparentBlock block{panelShown_.first, panelShown_.last, panelShown_.transIndex,
                                                    panelShown_.transColour};
    gifengine::colour::PendingTransparency pending{panelPending_.transIndex, panelPending_.transColour};
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
    gifengine::colour::EditColorTables(engine.frames, relay_, editor, host);
}

void TImageForm::BtnCTAnimClick() {
    gifengine::GifEngine& engine = engineWithSelection();
    QtColourChooser colours(this);
    TColorAnimForm dialog(colours, relay_, this);
    dialog.setModalRunner(dialogRunner());
    ToolHost host(*this);
    if (gifengine::colour::MakeColorTableAnimation(engine.frames, relay_, dialog, colourAnimation_, host))
        model_->ShowAllFrameRows();
}

void TImageForm::BtnCommentClick() {
    // The comment travels in the file as Shift_JIS bytes; the editor shows it as text.
    std::string comment = shiftJisToUtf8(engine_.animationComment);
    std::string stored = settings_.comment.toStdString();
    if (flikkor::html::EditAnimationComment(comment, stored, this, dialogRunner()))
        engine_.animationComment = utf8ToShiftJis(comment);
    settings_.comment = QString::fromStdString(stored);
    predictFileSize();
}

void TImageForm::MenuShowImageClick() {
    flikkor::html::EngineFrameWriter writer(engineWithSelection());
    flikkor::html::MenuShowImage(writer, relay_, settings_.workDir.toStdString(),
                                 [this](const std::string& page) { openInBrowser(QString::fromStdString(page)); });
    browser_->refresh();
}

void TImageForm::MenuHTMLIMGClick() {
    if (engine_.LastMadeFile.empty()) {
        relay_.ShowMessage(flikkor::html::text::kCaptionError, flikkor::html::text::kNothingMadeYet,
                           gifengine::MessageButtons::Ok);
        return;
    }
    flikkor::html::QtTextClipboard clipboard;
    flikkor::html::TIMGTagForm form(imgTagOptions_, clipboard, relay_, this);
    form.setMadeFile({engine_.LastMadeFile, engine_.LastMadeWidth, engine_.LastMadeHeight});
    runDialog(form);
}

void TImageForm::MenuDisAssembleClick() {
    engineWithSelection().splitIntoFiles();
    browser_->refresh();
}

}  // namespace flikkor
