#include "assembler/colour/trans_col_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace flikkor {

namespace {

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(56);
    return label;
}

QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// A red-framed box with an index row and a colour row.
QGroupBox* ValueBox(const QString& title, QLabel* index, QLabel* colour, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid red; margin-top: 1.2em; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 6px; }"));
    auto* layout = new QGridLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("ｲﾝﾃﾞｯｸｽ"), box), 0, 0);
    layout->addWidget(index, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("ｶﾗｰ"), box), 1, 0);
    layout->addWidget(colour, 1, 1);
    return box;
}

void SetRed(QLabel* label, bool red) {
    label->setStyleSheet(red ? QStringLiteral("color: red;") : QStringLiteral("color: black;"));
}

}  // namespace

TTransColForm::TTransColForm(QWidget* parent) : ModalDialog(parent) {
    setObjectName(QStringLiteral("TransColForm"));
    setWindowTitle(QStringLiteral("透過色指定"));
    grid = new SwatchGridWidget(gifengine::colour::kSwatchColumns, gifengine::colour::kSwatchRows, this);
    LImageNo = NamedLabel("LImageNo", this);
    LColorTable = NamedLabel("LColorTable", this);
    LOrgTransIndex = NamedLabel("LOrgTransIndex", this);
    LOrgTransColor = NamedLabel("LOrgTransColor", this);
    LCurTransIndex = NamedLabel("LCurTransIndex", this);
    LCurTransColor = NamedLabel("LCurTransColor", this);
    LMethod = NamedLabel("LMethod", this);
    LMethod->setText(QStringLiteral("指定方法"));
    RBIndex = new QRadioButton(QStringLiteral("共通ｲﾝﾃﾞｯｸｽ"), this);
    RBIndex->setObjectName(QStringLiteral("RBIndex"));
    RBColor = new QRadioButton(QStringLiteral("共通ｶﾗｰ"), this);
    RBColor->setObjectName(QStringLiteral("RBColor"));
    // The two are kept exclusive by the choice itself, which may also check neither.
    RBIndex->setAutoExclusive(false);
    RBColor->setAutoExclusive(false);
    BtnPrev = NamedButton("BtnPrev", QStringLiteral("＜"), this);
    BtnNext = NamedButton("BtnNext", QStringLiteral("＞"), this);
    BtnCancel = NamedButton("BtnCancel", QStringLiteral("取消"), this);
    BtnUpdate = NamedButton("BtnUpdate", QStringLiteral("決定"), this);

    auto* right = new QVBoxLayout;
    auto* image = new QHBoxLayout;
    image->addWidget(new QLabel(QStringLiteral("画像"), this));
    image->addWidget(LImageNo);
    image->addWidget(BtnPrev);
    image->addWidget(BtnNext);
    right->addLayout(image);
    right->addWidget(LColorTable);
    right->addWidget(ValueBox(QStringLiteral("現在値"), LOrgTransIndex, LOrgTransColor, this));
    right->addWidget(ValueBox(QStringLiteral("指定値"), LCurTransIndex, LCurTransColor, this));
    right->addWidget(LMethod);
    right->addWidget(RBIndex);
    right->addWidget(RBColor);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnUpdate);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid, 0, Qt::AlignTop);
    layout->addLayout(right);

    connect(grid, &SwatchGridWidget::swatchClicked, this, [this](int k) {
        if (choice_) choice_->ClickSwatch(k);
        showView();
    });
    connect(BtnPrev, &QPushButton::clicked, this, [this] {
        if (choice_) choice_->BtnPrev();
        showView();
    });
    connect(BtnNext, &QPushButton::clicked, this, [this] {
        if (choice_) choice_->BtnNext();
        showView();
    });
    // clicked fires for the user's clicks only, never for setChecked.
    connect(RBIndex, &QRadioButton::clicked, this, [this] {
        if (choice_) choice_->ClickRBIndex();
        showView();
    });
    connect(RBColor, &QRadioButton::clicked, this, [this] {
        if (choice_) choice_->ClickRBColor();
        showView();
    });
    connect(BtnUpdate, &QPushButton::clicked, this, [this] {
        if (choice_) labels_ = choice_->BtnUpdate();
        accept();
    });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<gifengine::colour::TransparentPanelLabels> TTransColForm::ChooseTransparency(
    const gifengine::FrameList& frames, const gifengine::colour::TransparentBlock& block,
    gifengine::colour::PendingTransparency& pending) {
    if (block.first < 0 || block.first >= frames.count()) return std::nullopt;
    labels_.reset();
    choice_.emplace(frames, block, pending);
    choice_->Shown();
    showView();
    runModal();
    choice_->Closed();
    choice_.reset();
    return labels_;
}

void TTransColForm::showView() {
    if (!choice_) return;
    const auto& view = choice_->view();
    grid->setSwatches(view.colours, view.visibleSwatches, view.roles);
    LImageNo->setText(QString::fromStdString(view.imageNumberText));
    LColorTable->setText(QString::fromStdString(view.tableKindText));
    LOrgTransIndex->setText(QString::fromStdString(view.storedIndexText));
    LOrgTransColor->setText(QString::fromStdString(view.storedColourText));
    LCurTransIndex->setText(QString::fromStdString(view.currentIndexText));
    LCurTransColor->setText(QString::fromStdString(view.currentColourText));
    for (QWidget* w : {static_cast<QWidget*>(LMethod), static_cast<QWidget*>(RBIndex), static_cast<QWidget*>(RBColor)})
        w->setVisible(view.methodVisible);
    RBIndex->setChecked(view.indexChecked);
    RBColor->setChecked(view.colourChecked);
    RBIndex->setEnabled(view.methodEnabled);
    RBColor->setEnabled(view.methodEnabled);
}

void ShowTransparencyLabels(QLabel* LTransIndex, QLabel* LTransColor,
                            const gifengine::colour::TransparentPanelLabels& labels) {
    LTransIndex->setText(QString::fromStdString(labels.indexText));
    SetRed(LTransIndex, labels.indexDiffers);
    LTransColor->setText(QString::fromStdString(labels.colourText));
    SetRed(LTransColor, labels.colourDiffers);
}

}  // namespace flikkor
