#include "assembler/html/comment_form.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "assembler/html/comment_text.h"

namespace flikkor::html {

namespace {

QPushButton* Button(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    // Four buttons share the 326-pixel width; the style's wider default minimum would
    // stretch the dialog.
    button->setMinimumWidth(48);
    return button;
}

}  // namespace

TCommentForm::TCommentForm(const std::string& animationComment, std::string& storedComment, QWidget* parent)
    : QDialog(parent), storedComment_(storedComment) {
    setObjectName(QStringLiteral("CommentForm"));
    setWindowTitle(QStringLiteral("コメント入力"));

    MemoComment = new QPlainTextEdit;
    MemoComment->setObjectName(QStringLiteral("MemoComment"));
    MemoComment->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoComment->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoComment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoComment->setPlainText(QString::fromStdString(EditorTextFromComment(animationComment)));
    MemoComment->installEventFilter(this);

    BtnSave = Button(QStringLiteral("記憶"), "BtnSave");
    BtnLoad = Button(QStringLiteral("呼出"), "BtnLoad");
    BtnCancel = Button(QStringLiteral("取消"), "BtnCancel");
    BtnUpdate = Button(QStringLiteral("更新"), "BtnUpdate");

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BtnSave, BtnLoad, BtnCancel, BtnUpdate}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(MemoComment, 1);
    layout->addLayout(buttons);

    connect(BtnSave, &QPushButton::clicked, this, &TCommentForm::BtnSaveClick);
    connect(BtnLoad, &QPushButton::clicked, this, &TCommentForm::BtnLoadClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TCommentForm::BtnCancelClick);
    connect(BtnUpdate, &QPushButton::clicked, this, &TCommentForm::BtnUpdateClick);

    resize(326, 158);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    MemoComment->setFocus();
}

std::string TCommentForm::editorComment() const {
    return CommentFromEditorText(MemoComment->toPlainText().toStdString());
}

void TCommentForm::BtnUpdateClick() {
    applied_ = editorComment();
    accept();
}

void TCommentForm::BtnCancelClick() {
    applied_.reset();
    reject();
}

void TCommentForm::BtnSaveClick() {
    storedComment_ = editorComment();
    MemoComment->setFocus();
}

void TCommentForm::BtnLoadClick() {
    MemoComment->setPlainText(QString::fromStdString(EditorTextFromComment(storedComment_)));
    MemoComment->setFocus();
}

bool TCommentForm::MemoCommentKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & Qt::AltModifier) && key == Qt::Key_A) {
        BtnUpdateClick();
        return true;
    }
    if (!(modifiers & Qt::AltModifier) && key == Qt::Key_Escape) {
        BtnCancelClick();
        return true;
    }
    return false;
}

bool TCommentForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MemoComment && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (MemoCommentKeyDown(key->key(), key->modifiers())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool EditAnimationComment(std::string& animationComment, std::string& storedComment, QWidget* parent,
                          const DialogRunner& run) {
    TCommentForm form(animationComment, storedComment, parent);
    run(form);
    if (!form.appliedComment()) return false;
    animationComment = *form.appliedComment();
    return true;
}

}  // namespace flikkor::html
