#include "assembler/colour/color_anim_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gifengine/messages.h"

namespace flikkor {

using gifengine::colour::kWindowEntries;

TColorAnimForm::TColorAnimForm(gifengine::colour::ColourChooser& ColorDialog1, gifengine::Reporter& reporter,
                               QWidget* parent)
    : ModalDialog(parent), chooser_(ColorDialog1), reporter_(reporter) {
    setObjectName(QStringLiteral("ColorAnimForm"));
    setWindowTitle(QStringLiteral("カラーテーブルアニメーション作成"));
    auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    LLeftNo = named(new QLabel(QStringLiteral("0"), this), "LLeftNo");
    LRightNo = named(new QLabel(QStringLiteral("15"), this), "LRightNo");
    EdPattern = named(new QLineEdit(this), "EdPattern");
    LTotalImages = named(new QLabel(this), "LTotalImages");
    CBReturned = named(new QCheckBox(QStringLiteral("最後の画像で折り返す"), this), "CBReturned");
    CBDelete = named(new QCheckBox(QStringLiteral("元画像を削除する"), this), "CBDelete");
    BtnUp = named(new QPushButton(QStringLiteral("▲"), this), "BtnUp");
    BtnDown = named(new QPushButton(QStringLiteral("▼"), this), "BtnDown");
    BtnMake = named(new QPushButton(QStringLiteral("作成"), this), "BtnMake");
    BtnCancel = named(new QPushButton(QStringLiteral("取消"), this), "BtnCancel");
    for (auto* b : {BtnUp, BtnDown, BtnMake, BtnCancel}) b->setAutoDefault(false);

    auto* swatches = new QGridLayout;
    swatches->setHorizontalSpacing(0);
    auto* heading = new QHBoxLayout;
    heading->addWidget(LLeftNo);
    heading->addStretch();
    heading->addWidget(new QLabel(QStringLiteral("---------- ｶﾗｰｲﾝﾃﾞｯｸｽ ----------"), this));
    heading->addStretch();
    heading->addWidget(LRightNo);
    swatches->addLayout(heading, 0, 1, 1, kWindowEntries);
    swatches->addWidget(new QLabel(QStringLiteral("最初"), this), 1, 0);
    swatches->addWidget(new QLabel(QStringLiteral("最後"), this), 2, 0);
    for (int s = 0; s < 32; ++s) {
        auto* shape = new SwatchGridWidget(1, 1, this);
        shape->setObjectName(QStringLiteral("Shape%1").arg(s + 1));
        Shape[std::size_t(s)] = shape;
        swatches->addWidget(shape, 1 + s / kWindowEntries, 1 + s % kWindowEntries);
        connect(shape, &SwatchGridWidget::swatchClicked, this, [this, s] { swatchClicked(s); });
    }
    auto* arrows = new QVBoxLayout;
    arrows->addWidget(BtnUp);
    arrows->addWidget(BtnDown);
    auto* top = new QHBoxLayout;
    top->addLayout(swatches);
    top->addLayout(arrows);

    auto* pattern = new QGridLayout;
    pattern->addWidget(new QLabel(QStringLiteral("画像パターン数"), this), 0, 0);
    pattern->addWidget(EdPattern, 0, 1);
    pattern->addWidget(new QLabel(QStringLiteral("作成される画像数"), this), 1, 0);
    pattern->addWidget(LTotalImages, 1, 1);
    pattern->addWidget(CBReturned, 2, 0, 1, 2);
    pattern->addWidget(CBDelete, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnMake);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(pattern);
    layout->addLayout(buttons);

    connect(EdPattern, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!settings_) return;
        settings_->patterns = gifengine::colour::PatternCountFromText(text.toStdString());
        showTotal();
    });
    connect(CBReturned, &QCheckBox::clicked, this, [this](bool on) {
        if (!settings_) return;
        settings_->turnBack = on;
        showTotal();
    });
    connect(CBDelete, &QCheckBox::clicked, this, [this](bool on) {
        if (settings_) settings_->deleteSource = on;
    });
    connect(BtnUp, &QPushButton::clicked, this, [this] {
        if (!work_) return;
        work_->BtnUp();
        ShowColorWindow();
    });
    connect(BtnDown, &QPushButton::clicked, this, [this] {
        if (!work_) return;
        work_->BtnDown();
        ShowColorWindow();
    });
    connect(BtnMake, &QPushButton::clicked, this, [this] {
        if (!settings_) return;
        // Counts that make no image, or too many, keep the dialog open.
        if (const auto refusal = gifengine::colour::GenerationRefusal(*settings_, frameCount_)) {
            reporter_.ShowMessage(gifengine::text::kCaptionError, *refusal, gifengine::MessageButtons::Ok);
            return;
        }
        make_ = true;
        accept();
    });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TColorAnimForm::Run(gifengine::colour::ColourAnimationWork& work,
                         gifengine::colour::ColourAnimationSettings& settings, int frameCount) {
    make_ = false;
    work_ = &work;
    settings_ = nullptr;  // filling the widgets is no user edit
    frameCount_ = frameCount;
    EdPattern->setText(QString::number(settings.patterns));
    CBReturned->setChecked(settings.turnBack);
    CBDelete->setChecked(settings.deleteSource);
    settings_ = &settings;
    ShowColorWindow();
    showTotal();
    runModal();
    work_ = nullptr;
    settings_ = nullptr;
    return make_;
}

void TColorAnimForm::ShowColorWindow() {
    if (!work_) return;
    const int w = work_->windowStart();
    LLeftNo->setText(QString::number(w));
    LRightNo->setText(QString::number(w + kWindowEntries - 1));
    for (int k = 0; k < kWindowEntries; ++k) {
        const int entry = work_->WindowEntry(k);
        SwatchGridWidget* first = Shape[std::size_t(k)];
        SwatchGridWidget* last = Shape[std::size_t(k + kWindowEntries)];
        first->setVisible(entry >= 0);
        last->setVisible(entry >= 0);
        if (entry < 0) continue;
        first->setPlainSwatches({work_->firstColours[std::size_t(entry)]});
        last->setPlainSwatches({work_->lastColours[std::size_t(entry)]});
    }
}

void TColorAnimForm::showTotal() {
    if (settings_) LTotalImages->setText(QString::number(gifengine::colour::TotalImages(*settings_)));
}

void TColorAnimForm::swatchClicked(int shape) {
    if (!work_) return;
    const int k = shape % kWindowEntries;
    const bool changed = shape < kWindowEntries ? work_->ChooseFirst(k, chooser_) : work_->ChooseLast(k, chooser_);
    if (changed) ShowColorWindow();
}

}  // namespace flikkor
