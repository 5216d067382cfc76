#include "viewer/window/form1.h"

#include "viewer/draw/scene_print.h"
#include "viewer/window/message_log_box.h"
#include "viewer/window/picture_box.h"
#include "viewer/window/ratio_text.h"
#include "viewer/window/session_picture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace sorvath {
namespace {

constexpr const char* kRatioPrompt = "Input the threshold ratio for the average value. ex) 1.0, 2.0,...";

}  // namespace

Form1::Form1(std::unique_ptr<WindowInteraction> interaction, QWidget* parent)
    : QMainWindow(parent),
      interaction_(std::move(interaction)),
      session_(*this, *interaction_, kPictureWidth, kPictureHeight),
      picture_(kPictureWidth, kPictureHeight) {
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
    // The laid-out size to start with; a larger window gives the picture the room.
    adjustSize();

    showState(session_.start());
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

// ---- message log and the session's state ---------------------------------------

void Form1::showmsg(const std::string& text) { Text1->showmsg(QString::fromStdString(text)); }

void Form1::beep() { interaction_->beep(); }

void Form1::showState(const ViewerState& state) {
    showSessionPicture(picture_, session_, state);
    Picture1->update();

    Label2->setText(QString::fromStdString(state.filename));
    Label3->setText(state.step ? QString::number(*state.step) : QString());
    Label4->setText(QString::number(state.nskip));
    const ViewOptions& options = session_.options();
    Label7->setText(ratioText(options.ratio));

    const auto caption = [](QPushButton* button, const std::string& text) {
        if (!text.empty()) button->setText(QString::fromStdString(text));
    };
    caption(Command20, state.periodicCaption);
    caption(Command22, state.colourCaption);
    caption(Command24, state.relativeRotationCaption);
    QRadioButton* option = options.contactDisplay == ContactDisplay::DrawLines     ? Option2
                           : options.contactDisplay == ContactDisplay::GrainSelect ? Option3
                                                                                   : Option1;
    option->setChecked(true);

    for (QWidget* control : std::initializer_list<QWidget*>{Command11, Command12, Command13, Command14, HScroll1,
                                                            Command17, Command18, Command20, Command22, Command23})
        control->setEnabled(state.animationControls);
    m31->setEnabled(state.animationControls);
    Command24->setEnabled(state.relativeRotationControl);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Command3, Command4, Command5, Command6, Command7, Command8, Command9})
        control->setEnabled(state.viewControls);
    m13->setEnabled(state.viewControls);
    m14->setEnabled(state.viewControls);
    m21->setEnabled(state.viewControls);

    // The timer only fires while the animation runs; a running one keeps its count.
    if (!state.running)
        Timer1->stop();
    else if (!Timer1->isActive())
        Timer1->start();
}

// ---- file menu ----------------------------------------------------------------

void Form1::m11_Click() { showOpened(session_.openInput()); }

void Form1::m12_Click() { showOpened(session_.openOutput()); }

void Form1::openRun(const std::string& path) { showOpened(session_.openRun(path)); }

void Form1::showOpened(const ViewerState& state) {
    showState(state);
    if (state.succeeded)
        interaction_->rememberRunFolder(
            QFileInfo(QString::fromStdString(session_.chosenPath())).absolutePath().toStdString());
}

void Form1::m13_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!interaction_->choosePrinter(printer)) return;
    roughPrint(printer, picture_.image());
}

void Form1::m14_Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!interaction_->choosePrinter(printer)) return;
    highQualityPrint(printer, session_.scene(), session_.transform().scale(), session_.chosenPath());
}

void Form1::m15_Click() {
    showState(session_.halt());
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
    showState(session_.halt());
    animationGifMaking();
}

void Form1::repaintPicture() { Picture1->repaint(); }

// ---- image group --------------------------------------------------------------

void Form1::Command3_Click() { showState(session_.zoom(true)); }
void Form1::Command4_Click() { showState(session_.zoom(false)); }
void Form1::Command5_Click() { showState(session_.originalSize()); }
void Form1::Command6_Click() { showState(session_.pan(PanDirection::Up)); }
void Form1::Command7_Click() { showState(session_.pan(PanDirection::Down)); }
void Form1::Command8_Click() { showState(session_.pan(PanDirection::Left)); }
void Form1::Command9_Click() { showState(session_.pan(PanDirection::Right)); }

// ---- animation group ----------------------------------------------------------

int Form1::timerInterval() const { return Timer1->interval(); }

void Form1::Command11_Click() { showState(session_.stepOnce()); }
void Form1::Command12_Click() { showState(session_.startAnimation()); }
void Form1::Command13_Click() { showState(session_.restart()); }
void Form1::Command14_Click() { showState(session_.stopAnimation()); }
void Form1::HScroll1_Change() { Timer1->setInterval(intervalForSpeed(HScroll1->value())); }
void Form1::Timer1_Timer() { showState(session_.tick()); }
void Form1::Command17_Click() { showState(session_.skipMore()); }
void Form1::Command18_Click() { showState(session_.skipLess()); }
void Form1::Command20_Click() { showState(session_.togglePeriodic()); }
void Form1::Command22_Click() { showState(session_.toggleColour()); }
void Form1::Command24_Click() { showState(session_.toggleRelativeRotation()); }

// ---- contact forces -----------------------------------------------------------

void Form1::Command23_Click() {
    // An empty, non-numeric or cancelled entry keeps the old ratio.
    std::optional<float> ratio;
    if (const std::optional<std::string> answer = interaction_->askText(kRatioPrompt)) ratio = parseRatio(*answer);
    showState(session_.changeRatio(ratio));
}

void Form1::Option1_Click() { showState(session_.showContacts(ContactDisplay::No)); }
void Form1::Option2_Click() { showState(session_.showContacts(ContactDisplay::DrawLines)); }
void Form1::Option3_Click() { showState(session_.showContacts(ContactDisplay::GrainSelect)); }

}  // namespace sorvath
