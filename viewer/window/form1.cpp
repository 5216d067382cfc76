#include "viewer/window/form1.h"

#include "viewer/draw/scene_print.h"
#include "viewer/window/message_log_box.h"
#include "viewer/window/picture_box.h"
#include "viewer/window/ratio_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace sorvath {
namespace {

constexpr const char* kStartMessage = "Select any Input.dat or Output.dat from File tub -> Open. ";
constexpr const char* kAnimationFinished = "Animation is finished. Press 'Return' button.";
constexpr const char* kRatioPrompt = "Input the threshold ratio for the average value. ex) 1.0, 2.0,...";

}  // namespace

Form1::Form1(std::unique_ptr<WindowInteraction> interaction, QWidget* parent)
    : QMainWindow(parent),
      interaction_(std::move(interaction)),
      picture_(kPictureWidth, kPictureHeight),
      reader_(scene_, options_, *this, *interaction_, *this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kProgramCaption));

    // The program folder is where flikkor is found; files are never looked for there.
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    programFolder_ = folder.toStdString();
    // The open dialogs start in the folder of the last run opened, else where Sorvath was started.
    const QString remembered = QString::fromStdString(interaction_->rememberedRunFolder());
    interaction_->setStartFolder(!remembered.isEmpty() && QDir(remembered).exists()
                                     ? remembered.toStdString()
                                     : QDir::currentPath().toStdString());

    buildControls();
    buildMenus();
    connectControls();
    // The controls are placed at fixed positions: the window keeps its laid-out size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setRunning(false);
    scene_.rescaleOnLoad = true;
    scene_.recordMode = RecordMode::Long;
    setanimbuttons(1);
    setviewbuttons(1);
    nskip_ = 0;
    showSkip();
    scene_.movewall = false;
    showmsg(kStartMessage);
    scene_.source = SourceMode::None;
    options_.ratio = 1.0f;
    showRatio();
    options_.contactDisplay = ContactDisplay::No;
    Option1->setChecked(true);
    for (Particle& particle : scene_.particles) particle.selected = false;
    scene_.oldLayout = false;
}

Form1::~Form1() = default;

void Form1::connectControls() {
    auto onClick = [this](QPushButton* button, void (Form1::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    onClick(Command3, &Form1::Command3_Click);
    onClick(Command4, &Form1::Command4_Click);
    onClick(Command5, &Form1::Command5_Click);
    onClick(Command6, &Form1::Command6_Click);
    onClick(Command7, &Form1::Command7_Click);
    onClick(Command8, &Form1::Command8_Click);
    onClick(Command9, &Form1::Command9_Click);
    onClick(Command11, &Form1::Command11_Click);
    onClick(Command12, &Form1::Command12_Click);
    onClick(Command13, &Form1::Command13_Click);
    onClick(Command14, &Form1::Command14_Click);
    onClick(Command17, &Form1::Command17_Click);
    onClick(Command18, &Form1::Command18_Click);
    onClick(Command20, &Form1::Command20_Click);
    onClick(Command22, &Form1::Command22_Click);
    onClick(Command23, &Form1::Command23_Click);
    onClick(Command24, &Form1::Command24_Click);
    connect(Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &Form1::Option3_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form1::HScroll1_Change);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(m11, &QAction::triggered, this, &Form1::m11_Click);
    connect(m12, &QAction::triggered, this, &Form1::m12_Click);
    connect(m13, &QAction::triggered, this, &Form1::m13_Click);
    connect(m14, &QAction::triggered, this, &Form1::m14_Click);
    connect(m15, &QAction::triggered, this, &Form1::m15_Click);
    connect(m21, &QAction::triggered, this, &Form1::m21_Click);
    connect(m31, &QAction::triggered, this, &Form1::m31_Click);
}

// ---- message log and display -------------------------------------------------

void Form1::showmsg(const std::string& text) { Text1->showmsg(QString::fromStdString(text)); }

void Form1::beep() { interaction_->beep(); }

void Form1::setscale() {
    picture_.setscale(scene_);
    Picture1->update();
}

void Form1::clearPicture() {
    picture_.clear();
    Picture1->update();
}

void Form1::drawscene() {
    picture_.drawscene(scene_, options_);
    Picture1->update();
}

void Form1::redraw() {
    clearPicture();
    drawscene();
}

void Form1::showFilename(const std::string& path) { Label2->setText(QString::fromStdString(path)); }

void Form1::showStepNumber(int32_t iloop) { Label3->setText(QString::number(iloop)); }

void Form1::clearStepNumber() { Label3->clear(); }

void Form1::setanimbuttons(int flag) {
    const bool enabled = flag != 1;
    for (QWidget* control :
         std::initializer_list<QWidget*>{Command11, Command12, Command13, Command14, HScroll1, Command17, Command18,
                                         Command20, Command22, Command23, Command24})
        control->setEnabled(enabled);
    m31->setEnabled(enabled);
}

void Form1::setviewbuttons(int flag) {
    const bool enabled = flag != 1;
    for (QWidget* control :
         std::initializer_list<QWidget*>{Command3, Command4, Command5, Command6, Command7, Command8, Command9})
        control->setEnabled(enabled);
    m13->setEnabled(enabled);
    m14->setEnabled(enabled);
    m21->setEnabled(enabled);
}

void Form1::viewOptionsChanged() {
    Command24->setText(options_.relativeRotation ? QStringLiteral("Relative rotation OFF")
                                                 : QStringLiteral("Relative rotation ON"));
    if (options_.contactDisplay == ContactDisplay::No && shownContactDisplay_ != ContactDisplay::No) {
        // The readers switched the contacts off: show it as if "no" had been chosen.
        Option1->setChecked(true);
        Command24->setEnabled(false);
    }
    shownContactDisplay_ = options_.contactDisplay;
}

void Form1::showRatio() { Label7->setText(ratioText(options_.ratio)); }

void Form1::showSkip() { Label4->setText(QString::number(nskip_)); }

// ---- file menu ----------------------------------------------------------------

void Form1::m11_Click() {
    // A running animation would go on reading whatever stream is open: stop it.
    setRunning(false);
    rememberRunFolder(reader_.openInputFile());
}

void Form1::m12_Click() {
    setRunning(false);
    rememberRunFolder(reader_.openOutputFile());
}

void Form1::openRun(const std::string& path) {
    setRunning(false);
    rememberRunFolder(reader_.openRunFile(path));
}

void Form1::rememberRunFolder(bool opened) {
    if (opened)
        interaction_->rememberRunFolder(
            QFileInfo(QString::fromStdString(reader_.chosenPath())).absolutePath().toStdString());
}

void Form1::m13_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!interaction_->choosePrinter(printer)) return;
    roughPrint(printer, picture_.image());
}

void Form1::m14_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!interaction_->choosePrinter(printer)) return;
    highQualityPrint(printer, scene_, picture_.scale(), reader_.chosenPath());
}

void Form1::m15_Click() {
    setRunning(false);
    QApplication::quit();
}

void Form1::m21_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(picture_.image());
    showmsg("Image was copied into crip-board.");
}

void Form1::m31_Click() {
    if (!animationGifMaking) return;
    // The export yields to the event loop while its keystrokes are delivered; a
    // running animation would read step blocks in between.
    setRunning(false);
    animationGifMaking();
}

void Form1::repaintPicture() { Picture1->repaint(); }

// ---- image group --------------------------------------------------------------

void Form1::zoom(bool in) {
    ScaleState& s = picture_.scale();
    const double z = kZoomStep;
    if (in) {
        s.ScaleHeight = static_cast<float>(s.ScaleHeight / (1.0 + z));
        s.ScaleWidth = static_cast<float>(s.ScaleWidth / (1.0 + z));
        s.ScaleTop = static_cast<float>(s.ScaleTop + z / 2.0 * s.ScaleHeight);
        s.ScaleLeft = static_cast<float>(s.ScaleLeft + z / 2.0 * s.ScaleWidth);
    } else {
        s.ScaleTop = static_cast<float>(s.ScaleTop - z / 2.0 * s.ScaleHeight);
        s.ScaleLeft = static_cast<float>(s.ScaleLeft - z / 2.0 * s.ScaleWidth);
        s.ScaleHeight = static_cast<float>(s.ScaleHeight * (1.0 + z));
        s.ScaleWidth = static_cast<float>(s.ScaleWidth * (1.0 + z));
    }
    redraw();
    showmsg(in ? "Zoom-in" : "Zoom-out");
}

void Form1::pan(double dx, double dy, const char* message) {
    ScaleState& s = picture_.scale();
    s.ScaleLeft = static_cast<float>(s.ScaleLeft + dx * s.ScaleWidth);
    s.ScaleTop = static_cast<float>(s.ScaleTop + dy * s.ScaleHeight);
    redraw();
    showmsg(message);
}

void Form1::Command3_Click() { zoom(true); }
void Form1::Command4_Click() { zoom(false); }

void Form1::Command5_Click() {
    setscale();
    drawscene();
    showmsg("Now you have an original image size.");
}

// ScaleHeight is negative: subtracting a part of it moves the view up.
void Form1::Command6_Click() { pan(0.0, -kZoomStep / 4.0, "Up"); }
void Form1::Command7_Click() { pan(0.0, kZoomStep / 4.0, "Down"); }
void Form1::Command8_Click() { pan(-kZoomStep / 4.0, 0.0, "Left"); }
void Form1::Command9_Click() { pan(kZoomStep / 4.0, 0.0, "Right"); }

// ---- animation group ----------------------------------------------------------

int Form1::timerInterval() const { return Timer1->interval(); }

void Form1::setRunning(bool on) {
    running_ = on;
    // The timer only needs to fire while the animation runs.
    if (on)
        Timer1->start();
    else
        Timer1->stop();
}

void Form1::Command11_Click() {
    if (reader_.outputAtEnd()) return;
    reader_.outdraw();
    redraw();
    showStepNumber(scene_.iloop);
}

void Form1::Command12_Click() {
    setRunning(true);
    showmsg("Doing animation...");
}

void Form1::Command14_Click() {
    setRunning(false);
    showmsg("Animation is stoped");
}

void Form1::Command13_Click() { restartRun(); }

void Form1::restartRun() { reader_.reopenresults(); }

void Form1::HScroll1_Change() { Timer1->setInterval(intervalForSpeed(HScroll1->value())); }

void Form1::Timer1_Timer() {
    if (!running_) return;
    for (int k = 0; k <= nskip_; ++k) {
        if (reader_.outputAtEnd()) {
            setRunning(false);
            showmsg(kAnimationFinished);
            return;
        }
        const OutdrawResult result = reader_.outdraw();
        if (result == OutdrawResult::Failed) {
            // A cut-off last block ends the run like the end of the file does.
            setRunning(false);
            showmsg(kAnimationFinished);
            return;
        }
        if (result == OutdrawResult::WallMismatch) return;
    }
    showStepNumber(scene_.iloop);
    redraw();
}

void Form1::Command17_Click() {
    if (nskip_ < kMaxSkip) ++nskip_;
    showSkip();
}

void Form1::Command18_Click() {
    if (nskip_ > 0) --nskip_;
    showSkip();
}

void Form1::Command20_Click() {
    options_.periodic = !options_.periodic;
    Command20->setText(options_.periodic ? QStringLiteral("Periodic OFF") : QStringLiteral("Periodic ON"));
    redraw();
}

void Form1::Command22_Click() {
    options_.colour = !options_.colour;
    Command22->setText(options_.colour ? QStringLiteral("Color OFF") : QStringLiteral("Color ON"));
    restartRun();
}

void Form1::Command24_Click() {
    options_.relativeRotation = !options_.relativeRotation;
    Command24->setText(options_.relativeRotation ? QStringLiteral("Relative rotation OFF")
                                                 : QStringLiteral("Relative rotation ON"));
    restartRun();
}

// ---- contact forces -----------------------------------------------------------

void Form1::Command23_Click() {
    const std::optional<std::string> answer = interaction_->askText(kRatioPrompt);
    if (answer) {
        // An empty, non-numeric or cancelled entry keeps the old ratio.
        if (const std::optional<float> value = parseRatio(*answer)) options_.ratio = *value;
    }
    showRatio();
    if (options_.contactDisplay != ContactDisplay::No) reader_.recomputeSelection();
    redraw();
}

void Form1::Option1_Click() {
    options_.contactDisplay = ContactDisplay::No;
    shownContactDisplay_ = ContactDisplay::No;
    Command24->setEnabled(false);
    options_.relativeRotation = false;
    Command24->setText(QStringLiteral("Relative rotation ON"));
    redraw();
}

void Form1::Option2_Click() {
    options_.contactDisplay = ContactDisplay::DrawLines;
    shownContactDisplay_ = options_.contactDisplay;
    Command24->setEnabled(true);
    reader_.reopenresults();
}

void Form1::Option3_Click() {
    options_.contactDisplay = ContactDisplay::GrainSelect;
    shownContactDisplay_ = options_.contactDisplay;
    Command24->setEnabled(true);
    reader_.reopenresults();
}

}  // namespace sorvath
