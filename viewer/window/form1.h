// Form1, Sorvath's window: the picture, the message log, the image, animation and
// contact-force groups, the menus and the animation timer. It owns a viewer session
// and the picture; every handler makes one session call and shows the session's
// state (showState), drawing the session's scene when the state asks for it.
#pragma once

#include "viewer/core/scene.h"
#include "viewer/core/view_options.h"
#include "viewer/core/viewer_session.h"
#include "viewer/core/viewer_state.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/window/window_interaction.h"

#include <QMainWindow>

#include <QPoint>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace sorvath {

class MessageLogBox;
class PictureBox;

inline constexpr int kSlowestInterval = 1000;  // ms, left end of the speed bar
inline constexpr int kFastestInterval = 1;     // ms, right end

// The speed bar's position (kFastestInterval at the left .. kSlowestInterval at the
// right) and the timer interval it stands for (1000 ms at the left .. 1 ms at the right).
constexpr int intervalForSpeed(int position) { return kSlowestInterval + kFastestInterval - position; }
constexpr int speedForInterval(int interval) { return kSlowestInterval + kFastestInterval - interval; }

class Form1 : public QMainWindow, public MessageLog {
public:
    explicit Form1(std::unique_ptr<WindowInteraction> interaction, QWidget* parent = nullptr);
    ~Form1() override;

    // MessageLog
    void showmsg(const std::string& text) override;
    void beep() override;

    // Shows the session's state: labels, control groups, captions, the timer and
    // the picture as the last operation left it.
    void showState(const ViewerState& state);

    // Menu commands.
    void m11_Click();  // Open Input.dat
    void m12_Click();  // Open Output.dat
    void m13_Click();  // Rough Print
    void m14_Click();  // High quality Print
    void m15_Click();  // Exit
    void m21_Click();  // copy
    void m31_Click();  // Animation GIF making
    // A run named on the command line: opened as the menu commands would open it.
    void openRun(const std::string& path);

    // Buttons, scroll bar, options and the timer.
    void Command3_Click();   // Zoom In
    void Command4_Click();   // Zoom Out
    void Command5_Click();   // Original size
    void Command6_Click();   // up
    void Command7_Click();   // down
    void Command8_Click();   // left
    void Command9_Click();   // right
    void Command11_Click();  // step by step
    void Command12_Click();  // start
    void Command13_Click();  // Reset
    void Command14_Click();  // stop
    void Command17_Click();  // nskip up
    void Command18_Click();  // nskip down
    void Command20_Click();  // periodic toggle
    void Command22_Click();  // colour toggle
    void Command23_Click();  // ratio
    void Command24_Click();  // relative rotation toggle
    void Option1_Click();    // no contact display
    void Option2_Click();    // draw lines
    void Option3_Click();    // grain select
    void HScroll1_Change();
    void Timer1_Timer();

    // The GIF export is wired here; until then the menu command does nothing.
    std::function<void()> animationGifMaking;

    // State the GIF export and the tests work with.
    ViewerSession& session() { return session_; }
    const Scene& scene() const { return session_.scene(); }
    const ViewOptions& options() const { return session_.options(); }
    ScenePicture& picture() { return picture_; }
    WindowInteraction& interaction() { return *interaction_; }
    const std::string& programFolder() const { return programFolder_; }
    bool running() const { return session_.state().running; }
    int nskip() const { return session_.state().nskip; }
    int timerInterval() const;
    // Shows the picture on screen at once, for loops that draw frames without
    // returning to the event loop.
    void repaintPicture();

private:
    void buildControls();
    // The client area's size as laid out, the smallest the window takes.
    static QSize laidOutClientSize();
    // Places the controls and sizes the picture for a client area of this size.
    void placeControls(QSize client);
    void buildMenus();
    void connectControls();
    QPushButton* addButton(QWidget* parent, const char* name, const char* caption, QRect geometry);
    QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect geometry);
    QGroupBox* addFrame(QWidget* parent, const char* name, const char* caption, QRect geometry);
    QRadioButton* addOption(QWidget* parent, const char* name, const char* caption, QRect geometry);

    // Shows the state of an opening and keeps the folder of the file just opened for
    // the open dialogs, now and at the next start.
    void showOpened(const ViewerState& state);

    std::unique_ptr<WindowInteraction> interaction_;
    ViewerSession session_;
    ScenePicture picture_;
    std::string programFolder_;

    // The controls that move when the window grows, with their laid-out positions.
    std::vector<std::pair<QWidget*, QPoint>> rightColumn_;
    std::vector<std::pair<QWidget*, QPoint>> bottomRow_;

    PictureBox* Picture1 = nullptr;
    MessageLogBox* Text1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command11 = nullptr;
    QPushButton* Command12 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QPushButton* Command17 = nullptr;
    QPushButton* Command18 = nullptr;
    QPushButton* Command20 = nullptr;
    QPushButton* Command22 = nullptr;
    QPushButton* Command23 = nullptr;
    QPushButton* Command24 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label7 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* m11 = nullptr;
    QAction* m12 = nullptr;
    QAction* m13 = nullptr;
    QAction* m14 = nullptr;
    QAction* m15 = nullptr;
    QAction* m21 = nullptr;
    QAction* m31 = nullptr;
};

}  // namespace sorvath
