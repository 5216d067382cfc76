#include "assembler/html/img_tag_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "assembler/html/html_messages.h"

namespace flikkor::html {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

TIMGTagForm::TIMGTagForm(ImgTagOptions& options, TextClipboard& clipboard, gifengine::Reporter& reporter,
                         QWidget* parent)
    : QDialog(parent), options_(options), clipboard_(clipboard), reporter_(reporter) {
    setObjectName(QStringLiteral("IMGTagForm"));
    setWindowTitle(QStringLiteral("HTML IMGタグ作成"));

    EditGIFName = Named(new QLineEdit, "EditGIFName");
    EditGIFName->setReadOnly(true);
    EditSize = Named(new QLineEdit, "EditSize");
    EditSize->setReadOnly(true);
    CLower = Named(new QCheckBox(QStringLiteral("タグに小文字を使用")), "CLower");
    CAlt = Named(new QCheckBox(QStringLiteral("ALT=")), "CAlt");
    EAlt = Named(new QLineEdit, "EAlt");
    CBorder = Named(new QCheckBox(QStringLiteral("BORDER=")), "CBorder");
    EBorder = Named(new QLineEdit, "EBorder");
    CAlign = Named(new QCheckBox(QStringLiteral("ALIGN=")), "CAlign");
    CBAlign = Named(new QComboBox, "CBAlign");
    for (std::string_view item : kAlignItems) CBAlign->addItem(Q(item));
    CBAlign->installEventFilter(this);
    CVSpace = Named(new QCheckBox(QStringLiteral("VSPACE=")), "CVSpace");
    EVSpace = Named(new QLineEdit, "EVSpace");
    CHSpace = Named(new QCheckBox(QStringLiteral("HSPACE=")), "CHSpace");
    EHSpace = Named(new QLineEdit, "EHSpace");
    EFullStr = Named(new QLineEdit, "EFullStr");
    BFullStr = Named(new QPushButton(QStringLiteral("コピー")), "BFullStr");
    BtnReset = Named(new QPushButton(QStringLiteral("ﾘｾｯﾄ")), "BtnReset");
    BtnClose = Named(new QPushButton(QStringLiteral("閉じる")), "BtnClose");

    auto* options_grid = new QGridLayout;
    options_grid->addWidget(CAlt, 0, 0);
    options_grid->addWidget(EAlt, 0, 1);
    options_grid->addWidget(new QLabel(QStringLiteral("空白：ファイル名")), 0, 2);
    options_grid->addWidget(CBorder, 1, 0);
    options_grid->addWidget(EBorder, 1, 1);
    options_grid->addWidget(CAlign, 2, 0);
    options_grid->addWidget(CBAlign, 2, 1);
    options_grid->addWidget(CVSpace, 3, 0);
    options_grid->addWidget(EVSpace, 3, 1);
    options_grid->addWidget(CHSpace, 4, 0);
    options_grid->addWidget(EHSpace, 4, 1);
    options_grid->addWidget(CLower, 5, 0, 1, 3);

    auto* file_row = new QHBoxLayout;
    file_row->addWidget(EditGIFName, 3);
    file_row->addWidget(new QLabel(QStringLiteral("ｻｲｽﾞ")));
    file_row->addWidget(EditSize, 1);
    auto* tag_row = new QHBoxLayout;
    tag_row->addWidget(EFullStr, 1);
    tag_row->addWidget(BFullStr);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnReset);
    buttons->addWidget(BtnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file_row);
    layout->addLayout(options_grid);
    layout->addLayout(tag_row);
    layout->addLayout(buttons);

    connect(CLower, &QCheckBox::toggled, this, &TIMGTagForm::CLowerClick);
    connect(CAlt, &QCheckBox::toggled, this, &TIMGTagForm::CAltClick);
    connect(EAlt, &QLineEdit::textChanged, this, &TIMGTagForm::EAltChange);
    connect(CBorder, &QCheckBox::toggled, this, &TIMGTagForm::CBorderClick);
    connect(EBorder, &QLineEdit::textChanged, this, &TIMGTagForm::EBorderChange);
    connect(CAlign, &QCheckBox::toggled, this, &TIMGTagForm::CAlignClick);
    connect(CBAlign, &QComboBox::currentIndexChanged, this, &TIMGTagForm::CBAlignChange);
    connect(CVSpace, &QCheckBox::toggled, this, &TIMGTagForm::CVSpaceClick);
    connect(EVSpace, &QLineEdit::textChanged, this, &TIMGTagForm::EVSpaceChange);
    connect(CHSpace, &QCheckBox::toggled, this, &TIMGTagForm::CHSpaceClick);
    connect(EHSpace, &QLineEdit::textChanged, this, &TIMGTagForm::EHSpaceChange);
    connect(BtnReset, &QPushButton::clicked, this, &TIMGTagForm::BtnResetClick);
    connect(BFullStr, &QPushButton::clicked, this, &TIMGTagForm::BFullStrClick);
    connect(BtnClose, &QPushButton::clicked, this, &TIMGTagForm::BtnCloseClick);

    showOptions();
}

void TIMGTagForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

bool TIMGTagForm::eventFilter(QObject* watched, QEvent* event) {
    // CBAlignKeyPress: typed characters never pick an item.
    if (watched == CBAlign && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint()) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TIMGTagForm::FormActivate() {
    showOptions();
    rebuild();
}

void TIMGTagForm::showOptions() {
    showingOptions_ = true;
    CLower->setChecked(options_.lowerCase);
    CAlt->setChecked(options_.alt);
    EAlt->setText(QString::fromStdString(options_.altText));
    CBorder->setChecked(options_.border);
    EBorder->setText(QString::number(options_.borderValue));
    CAlign->setChecked(options_.align);
    CBAlign->setCurrentIndex(options_.alignIndex);
    CVSpace->setChecked(options_.vspace);
    EVSpace->setText(QString::number(options_.vspaceValue));
    CHSpace->setChecked(options_.hspace);
    EHSpace->setText(QString::number(options_.hspaceValue));
    showingOptions_ = false;
}

void TIMGTagForm::rebuild() {
    if (showingOptions_) return;
    EditGIFName->setText(QString::fromStdString(made_.path));
    EditSize->setText(QString::fromStdString(MadeSizeText(made_)));
    EFullStr->setText(QString::fromStdString(BuildImgTag(made_, options_)));
}

void TIMGTagForm::integerChanged(QLineEdit* edit, int32_t& value) {
    if (showingOptions_) return;
    const std::string typed = edit->text().toStdString();
    const auto parsed = TagIntegerValue(typed);
    if (!parsed) {
        reporter_.ShowMessage(text::kApplicationTitle, NotAnIntegerMessage(typed), gifengine::MessageButtons::Ok);
        return;
    }
    value = *parsed;
    rebuild();
}

void TIMGTagForm::CLowerClick() {
    options_.lowerCase = CLower->isChecked();
    rebuild();
}
void TIMGTagForm::CAltClick() {
    options_.alt = CAlt->isChecked();
    rebuild();
}
void TIMGTagForm::EAltChange() {
    if (showingOptions_) return;
    options_.altText = EAlt->text().toStdString();
    rebuild();
}
void TIMGTagForm::CBorderClick() {
    options_.border = CBorder->isChecked();
    rebuild();
}
void TIMGTagForm::EBorderChange() { integerChanged(EBorder, options_.borderValue); }
void TIMGTagForm::CAlignClick() {
    options_.align = CAlign->isChecked();
    rebuild();
}
void TIMGTagForm::CBAlignChange() {
    if (showingOptions_ || CBAlign->currentIndex() < 0) return;
    options_.alignIndex = CBAlign->currentIndex();
    rebuild();
}
void TIMGTagForm::CVSpaceClick() {
    options_.vspace = CVSpace->isChecked();
    rebuild();
}
void TIMGTagForm::EVSpaceChange() { integerChanged(EVSpace, options_.vspaceValue); }
void TIMGTagForm::CHSpaceClick() {
    options_.hspace = CHSpace->isChecked();
    rebuild();
}
void TIMGTagForm::EHSpaceChange() { integerChanged(EHSpace, options_.hspaceValue); }

void TIMGTagForm::BtnResetClick() {
    options_.Reset();
    showOptions();
    rebuild();
}

void TIMGTagForm::BFullStrClick() { clipboard_.SetText(EFullStr->text().toStdString()); }

void TIMGTagForm::BtnCloseClick() { accept(); }

}  // namespace flikkor::html
