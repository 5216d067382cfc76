// TCommentForm "コメント入力": edits the animation comment and stores or
// recalls one comment text (the Comment setting) between runs.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "assembler/dialog_runner.h"

class QPlainTextEdit;
class QPushButton;

namespace flikkor::html {

class TCommentForm : public QDialog {
    Q_OBJECT
public:
    // animationComment fills the text box; storedComment is the Comment
    // setting, changed in place by "記憶". Texts are UTF-8 with CR LF.
    TCommentForm(const std::string& animationComment, std::string& storedComment, QWidget* parent = nullptr);

    // The text applied with "更新" (CR LF between lines, nothing after the
    // last), or nothing when the dialog was cancelled or is still open.
    const std::optional<std::string>& appliedComment() const { return applied_; }

    void BtnUpdateClick();
    void BtnCancelClick();
    void BtnSaveClick();
    void BtnLoadClick();
    // Alt+A applies, Esc cancels; true when the key was taken.
    bool MemoCommentKeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string editorComment() const;

    std::string& storedComment_;
    std::optional<std::string> applied_;
    QPlainTextEdit* MemoComment;
    QPushButton* BtnSave;
    QPushButton* BtnLoad;
    QPushButton* BtnCancel;
    QPushButton* BtnUpdate;
};

// BtnCommentClick's dialog part: shows the editor modally through run (the
// window's dialog runner) and takes over an applied text. True when the
// animation comment was replaced; the caller refreshes the size estimate
// afterwards in every case.
bool EditAnimationComment(std::string& animationComment, std::string& storedComment, QWidget* parent,
                          const DialogRunner& run);

}  // namespace flikkor::html
