#include "viewer/platform/x11_session.h"

#include "viewer/platform/key_notation.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace sorvath {
namespace {

// Errors from windows that vanish while we look at them are expected; Xlib's
// default handler would end the program. Installed only around our own requests.
int ignoreError(Display*, XErrorEvent*) { return 0; }

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        previous_ = XSetErrorHandler(ignoreError);
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

KeySym keysymFor(const KeyStroke& stroke) {
    switch (stroke.named) {
        case NamedKey::Character: break;
        case NamedKey::Enter: return XK_Return;
        case NamedKey::Tab: return XK_Tab;
        case NamedKey::Escape: return XK_Escape;
        case NamedKey::Backspace: return XK_BackSpace;
        case NamedKey::Delete: return XK_Delete;
        case NamedKey::Insert: return XK_Insert;
        case NamedKey::Home: return XK_Home;
        case NamedKey::End: return XK_End;
        case NamedKey::PageUp: return XK_Page_Up;
        case NamedKey::PageDown: return XK_Page_Down;
        case NamedKey::Up: return XK_Up;
        case NamedKey::Down: return XK_Down;
        case NamedKey::Left: return XK_Left;
        case NamedKey::Right: return XK_Right;
        case NamedKey::Space: return XK_space;
        default: return XK_F1 + (static_cast<int>(stroke.named) - static_cast<int>(NamedKey::F1));
    }
    const char32_t c = stroke.character;
    if (c == '\n' || c == '\r') return XK_Return;
    if (c == '\t') return XK_Tab;
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) return static_cast<KeySym>(c);
    return static_cast<KeySym>(0x01000000u | c);  // the Unicode keysym range
}

std::string windowCaption(Display* display, Window window, Atom netWmName, Atom utf8String) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string caption;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8String, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && type == utf8String && format == 8) {
        caption.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return caption;
    }
    if (data != nullptr) XFree(data);
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) {
        caption = name;
        XFree(name);
    }
    return caption;
}

}  // namespace

struct X11Session::Impl : public KeySender, public WindowActivator {
    Display* display = nullptr;
    PauseFunction pause = [](std::chrono::milliseconds delay) { std::this_thread::sleep_for(delay); };

    ~Impl() override {
        if (display != nullptr) {
            releaseTemporaryCodes();
            XCloseDisplay(display);
        }
    }

    // --- keystrokes ---

    struct KeyPlace {
        KeyCode code = 0;
        bool needsShift = false;
    };

    // Symbols that are not on the keyboard are bound to spare key codes. The receiver
    // looks a symbol up only when it handles the event, which may be long after the
    // send, so a binding stays until the session ends or the spare codes run out.
    std::vector<std::pair<KeySym, KeyCode>> temporaryCodes;

    KeyPlace placeOf(KeySym keysym) {
        for (const auto& [bound, code] : temporaryCodes)
            if (bound == keysym) return {code, false};
        int minCode = 0;
        int maxCode = 0;
        XDisplayKeycodes(display, &minCode, &maxCode);
        int perCode = 0;
        KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
        if (map == nullptr) return {};
        const auto symsOf = [&](int code) { return map + static_cast<ptrdiff_t>(code - minCode) * perCode; };
        KeyPlace place;
        for (int level = 0; level < std::min(perCode, 2) && place.code == 0; ++level)
            for (int code = minCode; code <= maxCode; ++code)
                if (symsOf(code)[level] == keysym) {
                    place = {static_cast<KeyCode>(code), level == 1};
                    break;
                }
        // Not on the keyboard: bind it to a key code that has no symbols.
        for (int code = maxCode; place.code == 0 && code >= minCode; --code) {
            const KeySym* syms = symsOf(code);
            if (std::all_of(syms, syms + perCode, [](KeySym s) { return s == NoSymbol; })) {
                KeySym binding[2] = {keysym, keysym};
                XChangeKeyboardMapping(display, code, 2, binding, 1);
                XSync(display, False);
                place = {static_cast<KeyCode>(code), false};
                temporaryCodes.emplace_back(keysym, static_cast<KeyCode>(code));
            }
        }
        XFree(map);
        if (place.code == 0 && !temporaryCodes.empty()) {
            // Every spare code is taken: give the receiver time to handle what was
            // typed with them, then free them all and try once more.
            pause(std::chrono::milliseconds(250));
            releaseTemporaryCodes();
            return placeOf(keysym);
        }
        return place;
    }

    void tap(KeyCode code, bool press) { XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime); }

    bool type(const KeyStroke& stroke) {
        const KeyPlace place = placeOf(keysymFor(stroke));
        if (place.code == 0) return false;
        std::vector<KeyCode> modifiers;
        const auto add = [&](KeySym keysym) {
            const KeyCode code = XKeysymToKeycode(display, keysym);
            if (code != 0) modifiers.push_back(code);
        };
        if (stroke.ctrl) add(XK_Control_L);
        if (stroke.alt) add(XK_Alt_L);
        if (stroke.shift || place.needsShift) add(XK_Shift_L);
        for (KeyCode code : modifiers) tap(code, true);
        tap(place.code, true);
        tap(place.code, false);
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) tap(*it, false);
        return true;
    }

    void releaseTemporaryCodes() {
        for (const auto& [keysym, code] : temporaryCodes) {
            KeySym none[2] = {NoSymbol, NoSymbol};
            XChangeKeyboardMapping(display, code, 2, none, 1);
        }
        temporaryCodes.clear();
        XSync(display, False);
    }

    bool send(const std::string& keys) override {
        const auto strokes = parseKeyNotation(keys);
        if (!strokes) return false;
        bool all = true;
        for (const KeyStroke& stroke : *strokes) all = type(stroke) && all;
        // Returns once the server has the events; it hands them on in order.
        XSync(display, False);
        return all;
    }

    // --- windows ---

    bool viewable(Window window) {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
    }

    // The process a window announces in _NET_WM_PID, 0 when it announces none.
    ProcessId processOf(Window window) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        ProcessId process = 0;
        if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data != nullptr && type == XA_CARDINAL && format == 32 && count == 1)
            process = static_cast<ProcessId>(*reinterpret_cast<unsigned long*>(data));
        if (data != nullptr) XFree(data);
        return process;
    }

    std::vector<Window> childrenOf(Window window) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        std::vector<Window> list;
        if (XQueryTree(display, window, &root, &parent, &children, &count) && children != nullptr) {
            list.assign(children, children + count);
            XFree(children);
        }
        return list;  // bottom to top of the stacking order
    }

    Window parentOf(Window window) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) return None;
        if (children != nullptr) XFree(children);
        return parent == root ? None : parent;
    }

    // Visits the shown windows down to the clients a window manager may have wrapped
    // in frames, topmost first.
    template <class Visit>
    void visitShown(Window window, int depth, Visit& visit) {
        const std::vector<Window> children = childrenOf(window);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (!viewable(*it)) continue;
            visit(*it);
            if (depth < 3) visitShown(*it, depth + 1, visit);
        }
    }

    Window findWindow(const std::string& caption) {
        ErrorTrap trap(display);
        Window found = None;
        auto visit = [&](Window window) {
            if (found == None && windowCaption(display, window, netWmName, utf8String) == caption) found = window;
        };
        visitShown(DefaultRootWindow(display), 1, visit);
        return found;
    }

    std::vector<WindowId> windowsOfProcess(ProcessId process) override {
        std::vector<WindowId> found;
        if (process <= 0) return found;
        ErrorTrap trap(display);
        auto visit = [&](Window window) {
            if (processOf(window) == process) found.push_back(window);
        };
        visitShown(DefaultRootWindow(display), 1, visit);
        return found;
    }

    bool isShown(WindowId window) override {
        ErrorTrap trap(display);
        return window != None && viewable(window);
    }

    // The client window that holds the focus: the nearest window at or above the focus
    // that announces its process; below a frame of a window manager, the client inside.
    WindowInfo focusedWindow() override {
        ErrorTrap trap(display);
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        WindowInfo info;
        if (focus == None || focus == PointerRoot || focus == DefaultRootWindow(display)) return info;
        Window topLevel = focus;
        for (Window window = focus; window != None; window = parentOf(window)) {
            topLevel = window;
            if (const ProcessId process = processOf(window)) {
                info.id = window;
                info.process = process;
                break;
            }
        }
        if (info.id == None) {
            auto visit = [&](Window window) {
                if (info.id != None) return;
                if (const ProcessId process = processOf(window)) info.id = window, info.process = process;
            };
            visitShown(topLevel, 2, visit);
        }
        if (info.id == None) info.id = topLevel;  // a window that announces no process
        info.caption = windowCaption(display, info.id, netWmName, utf8String);
        return info;
    }

    // True when a window manager announces the EWMH active-window request.
    bool managerActivates() {
        ErrorTrap trap(display);
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const Window root = DefaultRootWindow(display);
        bool supported = false;
        if (XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                               XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
            data != nullptr && count == 1) {
            const Window check = *reinterpret_cast<Window*>(data);
            XFree(data);
            data = nullptr;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, check, &attributes) &&
                XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), 0, 4096, False,
                                   XA_ATOM, &type, &format, &count, &after, &data) == Success &&
                data != nullptr) {
                const Atom* atoms = reinterpret_cast<Atom*>(data);
                supported = std::find(atoms, atoms + count, netActiveWindow) != atoms + count;
            }
        }
        if (data != nullptr) XFree(data);
        return supported;
    }

    void requestFocus(WindowId window) override {
        if (window == None) return;
        const bool manager = managerActivates();
        ErrorTrap trap(display);
        if (manager) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = netActiveWindow;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;  // the request comes from a tool acting for the user
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &event);
        } else {
            XRaiseWindow(display, window);
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
        }
    }

    bool activate(const std::string& caption) override {
        const Window window = findWindow(caption);
        if (window == None) return false;
        requestFocus(window);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (focusedWindow().id != window) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            pause(std::chrono::milliseconds(5));
        }
        return true;
    }

    Atom netWmPid = None;
    Atom netWmName = None;
    Atom utf8String = None;
    Atom netActiveWindow = None;
};

std::unique_ptr<X11Session> X11Session::open(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr) return nullptr;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->display = display;
    impl->netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    impl->netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    impl->utf8String = XInternAtom(display, "UTF8_STRING", False);
    impl->netActiveWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    return std::unique_ptr<X11Session>(new X11Session(std::move(impl)));
}

X11Session::X11Session(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
X11Session::~X11Session() = default;

KeySender& X11Session::keySender() { return *impl_; }
WindowActivator& X11Session::windowActivator() { return *impl_; }

void X11Session::setPause(PauseFunction pause) { impl_->pause = std::move(pause); }

}  // namespace sorvath
