#include "assembler/colour/color_edit_form.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace flikkor {

TColorEditForm::TColorEditForm(gifengine::colour::ColourChooser& ColorDialog1, QWidget* parent)
    : ModalDialog(parent), chooser_(ColorDialog1) {
    setObjectName(QStringLiteral("ColorEditForm"));
    setWindowTitle(QStringLiteral("カラーテーブル編集"));
    grid = new SwatchGridWidget(gifengine::colour::kSwatchColumns, gifengine::colour::kSwatchRows, this);
    BtnCancel = new QPushButton(QStringLiteral("取消"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnUpdate = new QPushButton(QStringLiteral("更新"), this);
    BtnUpdate->setObjectName(QStringLiteral("BtnUpdate"));
    for (auto* b : {BtnCancel, BtnUpdate}) b->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnUpdate);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid, 0, Qt::AlignTop);
    layout->addLayout(buttons);

    connect(grid, &SwatchGridWidget::swatchClicked, this, [this](int k) {
        if (buffer_ && buffer_->ChooseEntry(k, chooser_)) showBuffer();
    });
    connect(BtnUpdate, &QPushButton::clicked, this, [this] {
        confirmed_ = true;
        accept();
    });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TColorEditForm::EditTable(gifengine::colour::ColourEditBuffer& buffer) {
    buffer_ = &buffer;
    confirmed_ = false;
    showBuffer();
    runModal();
    buffer_ = nullptr;
    return confirmed_;
}

void TColorEditForm::showBuffer() {
    grid->setSwatches(buffer_->entries, buffer_->count, gifengine::colour::SwatchRoles(-1, -1));
}

}  // namespace flikkor
