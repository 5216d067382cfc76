// Form1's controls and menus, placed as laid out in twips (15 twips per pixel).
// Controls inside a frame are placed relative to the frame.
#include "viewer/window/caption_button.h"
#include "viewer/window/form1.h"
#include "viewer/window/message_log_box.h"
#include "viewer/window/picture_box.h"
#include "viewer/window/twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>

namespace sorvath {
namespace {

constexpr int kClientWidth = 11628;
constexpr int kClientHeight = 8868;

// The window's client area, which tells the window its new size.
class ClientArea : public QWidget {
public:
    ClientArea(QWidget* parent, std::function<void(QSize)> resized) : QWidget(parent), resized_(std::move(resized)) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        resized_(event->size());
    }

private:
    std::function<void(QSize)> resized_;
};

}  // namespace

QSize Form1::laidOutClientSize() { return {twipsToPixels(kClientWidth), twipsToPixels(kClientHeight)}; }

void Form1::placeControls(QSize client) {
    const int grownX = std::max(0, client.width() - laidOutClientSize().width());
    const int grownY = std::max(0, client.height() - laidOutClientSize().height());
    for (const auto& [control, at] : rightColumn_) control->move(at + QPoint(grownX, 0));
    for (const auto& [control, at] : bottomRow_) control->move(at + QPoint(0, grownY));
    const QSize picture(kPictureWidth + grownX, kPictureHeight + grownY);
    Picture1->resize(picture);
    if (picture == QSize(picture_.W0(), picture_.H0())) return;
    picture_.resize(picture.width(), picture.height());
    showState(session_.resizePicture(picture.width(), picture.height()));
}

QPushButton* Form1::addButton(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    QPushButton* button = new CaptionButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

QLabel* Form1::addLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    QFont labelFont = label->font();
    labelFont.setPixelSize(10);
    label->setFont(labelFont);
    return label;
}

QGroupBox* Form1::addFrame(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    return frame;
}

QRadioButton* Form1::addOption(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* option = new QRadioButton(QString::fromUtf8(caption), parent);
    option->setObjectName(QString::fromLatin1(name));
    option->setGeometry(geometry);
    return option;
}

void Form1::buildControls() {
    auto* client = new ClientArea(this, [this](QSize size) { placeControls(size); });
    client->setObjectName(QStringLiteral("client"));
    // The laid-out size is the smallest; a larger window gives the picture the room.
    client->setMinimumSize(laidOutClientSize());
    client->resize(laidOutClientSize());
    setCentralWidget(client);
    // Small captions, so the texts fit the buttons as they were laid out.
    QFont small = font();
    small.setPixelSize(11);
    client->setFont(small);

    Picture1 = new PictureBox(picture_.image(), client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsToPixels(120), twipsToPixels(0), picture_.W0(), picture_.H0());

    Text1 = new MessageLogBox(client);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(8280, 6360, 3252, 1332));

    QGroupBox* Frame1 = addFrame(client, "Frame1", "Image", twipsRect(8280, 0, 1572, 2532));
    Command3 = addButton(Frame1, "Command3", "Zoom In", twipsRect(120, 240, 612, 492));
    Command4 = addButton(Frame1, "Command4", "Zoom Out", twipsRect(840, 240, 612, 492));
    Command5 = addButton(Frame1, "Command5", "Original size", twipsRect(120, 960, 1332, 372));
    Command6 = addButton(Frame1, "Command6", "up", twipsRect(480, 1440, 612, 252));
    Command7 = addButton(Frame1, "Command7", "down", twipsRect(480, 2160, 612, 252));
    Command8 = addButton(Frame1, "Command8", "left", twipsRect(120, 1800, 492, 252));
    Command9 = addButton(Frame1, "Command9", "right", twipsRect(960, 1800, 492, 252));

    QGroupBox* Frame2 = addFrame(client, "Frame2", "Animation", twipsRect(9960, 0, 1572, 3492));
    Command11 = addButton(Frame2, "Command11", "step by step", twipsRect(120, 240, 1332, 372));
    Command13 = addButton(Frame2, "Command13", "Reset", twipsRect(120, 720, 1332, 372));
    Command12 = addButton(Frame2, "Command12", "start", twipsRect(120, 1200, 612, 372));
    Command14 = addButton(Frame2, "Command14", "stop", twipsRect(840, 1200, 612, 372));
    addLabel(Frame2, "Label8", QStringLiteral("speed"), twipsRect(480, 1680, 612, 252));
    addLabel(Frame2, "Label1", QStringLiteral("low <--> high"), twipsRect(240, 1920, 1092, 252));
    HScroll1 = new QScrollBar(Qt::Horizontal, Frame2);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(twipsRect(120, 2160, 1332, 252));
    // The slow end (1000 ms) sits at the left, the fast end (1 ms) at the right. The
    // bar itself counts upward from left to right, so its arrows, trough and keys move
    // the handle the way they point; intervalForSpeed turns its value into milliseconds.
    HScroll1->setRange(kFastestInterval, kSlowestInterval);
    HScroll1->setSingleStep(10);
    HScroll1->setPageStep(100);
    HScroll1->setValue(speedForInterval(kFastestInterval));

    QGroupBox* Frame5 = addFrame(Frame2, "Frame5", "nskip", twipsRect(120, 2520, 1332, 852));
    Label4 = addLabel(Frame5, "Label4", QString(), twipsRect(120, 240, 612, 252));
    Command17 = addButton(Frame5, "Command17", "up", twipsRect(120, 480, 492, 252));
    Command18 = addButton(Frame5, "Command18", "down", twipsRect(720, 480, 492, 252));

    QGroupBox* Frame6 = addFrame(client, "Frame6", "Contact forces", twipsRect(8280, 2640, 1572, 2172));
    Label7 = addLabel(Frame6, "Label7", QString(), twipsRect(120, 240, 612, 252));
    Command23 = addButton(Frame6, "Command23", "ratio", twipsRect(840, 240, 612, 372));
    Option1 = addOption(Frame6, "Option1", "no", twipsRect(120, 720, 1092, 276));
    Option2 = addOption(Frame6, "Option2", "draw lines", twipsRect(120, 960, 1212, 276));
    Option3 = addOption(Frame6, "Option3", "grain select", twipsRect(120, 1200, 1332, 276));
    Command24 = addButton(Frame6, "Command24", "relative rotation ON", twipsRect(120, 1560, 1332, 492));

    Command20 = addButton(client, "Command20", "Periodic", twipsRect(10080, 3720, 1212, 372));
    Command22 = addButton(client, "Command22", "color ON", twipsRect(10080, 4200, 1212, 372));

    QGroupBox* Frame3 = addFrame(client, "Frame3", "Filename", twipsRect(120, 8160, 5892, 612));
    Label2 = addLabel(Frame3, "Label2", QString(), twipsRect(360, 240, 5532, 252));
    QGroupBox* Frame4 = addFrame(client, "Frame4", "step number", twipsRect(6120, 8160, 1932, 612));
    Label3 = addLabel(Frame4, "Label3", QString(), twipsRect(240, 240, 1452, 252));

    QLabel* Label5 = addLabel(client, "Label5", QStringLiteral("Sorvath: viewer of 2-D DEM results"),
                              twipsRect(8280, 5040, 3252, 252));
    QLabel* Label6 = addLabel(client, "Label6", QStringLiteral("Part of the granular packing toolkit"),
                              twipsRect(8280, 5340, 3252, 252));

    // Where the controls keep their distance from when the window grows: the groups
    // right of the picture from the right edge, the two below it from the bottom edge.
    for (QWidget* control :
         std::initializer_list<QWidget*>{Frame1, Frame2, Frame6, Command20, Command22, Text1, Label5, Label6})
        rightColumn_.emplace_back(control, control->pos());
    for (QWidget* control : std::initializer_list<QWidget*>{Frame3, Frame4})
        bottomRow_.emplace_back(control, control->pos());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(intervalForSpeed(HScroll1->value()));
}

void Form1::buildMenus() {
    auto addAction = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("m1"));
    m11 = addAction(file, "m11", "Open Input.dat");
    m12 = addAction(file, "m12", "Open Output.dat");
    m13 = addAction(file, "m13", "Rough Print");
    m14 = addAction(file, "m14", "High quality Print");
    m15 = addAction(file, "m15", "Exit");
    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("m2"));
    m21 = addAction(edit, "m21", "copy ");
    QMenu* animation = menuBar()->addMenu(QStringLiteral("Animation"));
    animation->setObjectName(QStringLiteral("m3"));
    m31 = addAction(animation, "m31", "Animation GIF making");
}

}  // namespace sorvath
