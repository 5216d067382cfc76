// Keystrokes and window activation against a private Xvfb server and a plain
// X window that records the key events it receives.
#include "viewer/platform/x11_session.h"
#include "xvfb_display.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib defines None as a macro.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace sorvath {
namespace {

struct ReceivedKey {
    KeySym keysym = NoSymbol;
    unsigned modifiers = 0;  // ShiftMask, ControlMask, Mod1Mask (Alt)
    std::string text;
};

// A window on its own client connection, as another program would be.
class RecordingWindow {
public:
    // process is announced in _NET_WM_PID when it is not 0.
    RecordingWindow(const std::string& display, const std::string& caption, unsigned long process = 0) {
        display_ = XOpenDisplay(display.c_str());
        if (display_ == nullptr) return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 10, 10, 200, 100, 0, 0, 0);
        XStoreName(display_, window_, caption.c_str());
        XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_NAME", False),
                        XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(caption.data()), static_cast<int>(caption.size()));
        if (process != 0)
            XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(&process), 1);
        XSelectInput(display_, window_, KeyPressMask | ExposureMask);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~RecordingWindow() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }

    bool ok() const { return display_ != nullptr; }
    WindowId id() const { return window_; }
    void unmap() {
        XUnmapWindow(display_, window_);
        XSync(display_, False);
    }

    // Key presses received within the wait, in order.
    std::vector<ReceivedKey> keys(std::chrono::milliseconds wait = std::chrono::milliseconds(300)) {
        std::vector<ReceivedKey> received;
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type != KeyPress) continue;
                char text[16] = {};
                KeySym keysym = NoSymbol;
                const int length = XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
                received.push_back({XLookupKeysym(&event.xkey, 0),
                                    event.xkey.state & (ShiftMask | ControlMask | Mod1Mask),
                                    std::string(text, static_cast<size_t>(length > 0 ? length : 0))});
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return received;
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

class X11SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::XvfbDisplay::installed()) GTEST_SKIP() << "Xvfb is not installed; X11 keystroke tests skipped";
        server_ = std::make_unique<testing::XvfbDisplay>();
        ASSERT_FALSE(server_->name().empty()) << "Xvfb did not start";
        session_ = X11Session::open(server_->name());
        ASSERT_NE(session_, nullptr);
        session_->setPause([](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); });
    }

    std::unique_ptr<testing::XvfbDisplay> server_;
    std::unique_ptr<X11Session> session_;
};

TEST_F(X11SessionTest, NoSessionWithoutADisplay) { EXPECT_EQ(X11Session::open(":4242"), nullptr); }

TEST_F(X11SessionTest, ActivatesAWindowByItsExactCaption) {
    WindowActivator& windows = session_->windowActivator();
    EXPECT_FALSE(windows.activate("Reelwright"));
    RecordingWindow other(server_->name(), "Reelwright:確認");
    EXPECT_FALSE(windows.activate("Reelwright"));

    RecordingWindow target(server_->name(), "Reelwright");
    ASSERT_TRUE(target.ok());
    EXPECT_TRUE(windows.activate("Reelwright"));
    EXPECT_EQ(windows.focusedWindow().id, target.id());
    EXPECT_TRUE(windows.activate("Reelwright:確認"));
    EXPECT_EQ(windows.focusedWindow().caption, "Reelwright:確認");
}

TEST_F(X11SessionTest, FindsWindowsByTheirProcessAndTellsWhichHasTheFocus) {
    WindowActivator& windows = session_->windowActivator();
    RecordingWindow decoy(server_->name(), "Reelwright", 777);
    RecordingWindow first(server_->name(), "Reelwright", 4242);
    RecordingWindow dialog(server_->name(), "ファイル作成", 4242);
    EXPECT_TRUE(windows.windowsOfProcess(555).empty());
    EXPECT_EQ(windows.windowsOfProcess(777), std::vector<WindowId>{decoy.id()});
    EXPECT_EQ(windows.windowsOfProcess(4242), (std::vector<WindowId>{dialog.id(), first.id()}));  // newest first

    windows.requestFocus(first.id());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (windows.focusedWindow().id != first.id() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const WindowInfo focus = windows.focusedWindow();
    EXPECT_EQ(focus.id, first.id());
    EXPECT_EQ(focus.process, 4242);
    EXPECT_EQ(focus.caption, "Reelwright");

    EXPECT_TRUE(windows.isShown(dialog.id()));
    dialog.unmap();
    EXPECT_FALSE(windows.isShown(dialog.id()));
    EXPECT_EQ(windows.windowsOfProcess(4242), std::vector<WindowId>{first.id()});
}

TEST_F(X11SessionTest, KeysReachTheFocusedWindowWithTheirModifiers) {
    RecordingWindow target(server_->name(), "Reelwright");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(session_->windowActivator().activate("Reelwright"));

    KeySender& keys = session_->keySender();
    for (const char* text : {"%f", "^s", "+{Down}", "{TAB}", "{enter}", "%{F4}", "{up}"}) ASSERT_TRUE(keys.send(text));
    const std::vector<ReceivedKey> received = target.keys();
    // Modifier presses themselves arrive too; look at the others.
    std::vector<ReceivedKey> plain;
    for (const ReceivedKey& key : received)
        if (!IsModifierKey(key.keysym)) plain.push_back(key);
    ASSERT_EQ(plain.size(), 7u);
    EXPECT_EQ(plain[0].keysym, static_cast<KeySym>(XK_f));
    EXPECT_EQ(plain[0].modifiers, static_cast<unsigned>(Mod1Mask));
    EXPECT_EQ(plain[1].keysym, static_cast<KeySym>(XK_s));
    EXPECT_EQ(plain[1].modifiers, static_cast<unsigned>(ControlMask));
    EXPECT_EQ(plain[2].keysym, static_cast<KeySym>(XK_Down));
    EXPECT_EQ(plain[2].modifiers, static_cast<unsigned>(ShiftMask));
    EXPECT_EQ(plain[3].keysym, static_cast<KeySym>(XK_Tab));
    EXPECT_EQ(plain[3].modifiers, 0u);
    EXPECT_EQ(plain[4].keysym, static_cast<KeySym>(XK_Return));
    EXPECT_EQ(plain[5].keysym, static_cast<KeySym>(XK_F4));
    EXPECT_EQ(plain[5].modifiers, static_cast<unsigned>(Mod1Mask));
    EXPECT_EQ(plain[6].keysym, static_cast<KeySym>(XK_Up));
}

TEST_F(X11SessionTest, TextIsTypedCharacterByCharacter) {
    RecordingWindow target(server_->name(), "Reelwright");
    ASSERT_TRUE(session_->windowActivator().activate("Reelwright"));
    ASSERT_TRUE(session_->keySender().send("tempanim.gif"));
    ASSERT_TRUE(session_->keySender().send("Temp-101_A"));
    EXPECT_FALSE(session_->keySender().send("{Nope}"));
    std::string text;
    for (const ReceivedKey& key : target.keys()) text += key.text;
    EXPECT_EQ(text, "tempanim.gifTemp-101_A");
}

}  // namespace
}  // namespace sorvath
