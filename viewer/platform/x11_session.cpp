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
    SettleFunction settle = [](std::chrono::milliseconds delay) { std::this_thread::sleep_for(delay); };
    std::chrono::milliseconds delay{50};

    ~Impl() override {
        if (display != nullptr) XCloseDisplay(display);
    }

    // --- keystrokes ---

    struct KeyPlace {
        KeyCode code = 0;
        bool needsShift = false;
        bool temporary = false;  // bound to a spare key code just for this stroke
    };

    KeyPlace placeOf(KeySym keysym) {
        // The server's current map, so bindings changed by earlier strings are seen.
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
                    place = {static_cast<KeyCode>(code), level == 1, false};
                    break;
                }
        // Not on the keyboard: bind it to a key code that has no symbols.
        for (int code = maxCode; place.code == 0 && code >= minCode; --code) {
            const KeySym* syms = symsOf(code);
            const bool taken = std::find(temporaryCodes.begin(), temporaryCodes.end(), code) != temporaryCodes.end();
            if (!taken && std::all_of(syms, syms + perCode, [](KeySym s) { return s == NoSymbol; })) {
                KeySym binding[2] = {keysym, keysym};
                XChangeKeyboardMapping(display, code, 2, binding, 1);
                XSync(display, False);
                place = {static_cast<KeyCode>(code), false, true};
            }
        }
        XFree(map);
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
        if (place.temporary) temporaryCodes.push_back(place.code);
        XFlush(display);
        return true;
    }

    // The receiver looks a symbol up when it handles the event, so temporary
    // bindings are undone only after the settle time.
    void releaseTemporaryCodes() {
        for (KeyCode code : temporaryCodes) {
            KeySym none[2] = {NoSymbol, NoSymbol};
            XChangeKeyboardMapping(display, code, 2, none, 1);
        }
        temporaryCodes.clear();
        XSync(display, False);
    }

    std::vector<KeyCode> temporaryCodes;

    bool send(const std::string& keys) override {
        const auto strokes = parseKeyNotation(keys);
        if (!strokes) return false;
        bool all = true;
        for (const KeyStroke& stroke : *strokes) all = type(stroke) && all;
        XSync(display, False);
        settle(delay);
        releaseTemporaryCodes();
        return all;
    }

    // --- windows ---

    Atom atom(const char* name) { return XInternAtom(display, name, False); }

    bool viewable(Window window) {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
    }

    void collect(Window window, const std::string& caption, std::vector<Window>& found, int depth) {
        if (windowCaption(display, window, atom("_NET_WM_NAME"), atom("UTF8_STRING")) == caption && viewable(window))
            found.push_back(window);
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (depth > 4 || !XQueryTree(display, window, &root, &parent, &children, &count)) return;
        for (unsigned k = 0; k < count; ++k) collect(children[k], caption, found, depth + 1);
        if (children != nullptr) XFree(children);
    }

    Window findWindow(const std::string& caption) {
        ErrorTrap trap(display);
        std::vector<Window> found;
        const Window root = DefaultRootWindow(display);
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, root, &rootReturn, &parent, &children, &count)) {
            // Newest (topmost) first.
            for (unsigned k = count; k-- > 0;) collect(children[k], caption, found, 1);
            if (children != nullptr) XFree(children);
        }
        return found.empty() ? None : found.front();
    }

    bool waitForWindow(const std::string& caption, int timeoutMs) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (true) {
            if (findWindow(caption) != None) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            settle(std::chrono::milliseconds(50));
        }
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
        if (XGetWindowProperty(display, root, atom("_NET_SUPPORTING_WM_CHECK"), 0, 1, False, XA_WINDOW, &type,
                               &format, &count, &after, &data) == Success &&
            data != nullptr && count == 1) {
            const Window check = *reinterpret_cast<Window*>(data);
            XFree(data);
            data = nullptr;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, check, &attributes) &&
                XGetWindowProperty(display, root, atom("_NET_SUPPORTED"), 0, 4096, False, XA_ATOM, &type, &format,
                                   &count, &after, &data) == Success &&
                data != nullptr) {
                const Atom* atoms = reinterpret_cast<Atom*>(data);
                supported = std::find(atoms, atoms + count, atom("_NET_ACTIVE_WINDOW")) != atoms + count;
            }
        }
        if (data != nullptr) XFree(data);
        return supported;
    }

    bool hasFocus(Window window) {
        ErrorTrap trap(display);
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        // The focus may sit on the window or on one of its children.
        for (int depth = 0; focus != None && focus != PointerRoot && depth < 8; ++depth) {
            if (focus == window) return true;
            Window root = 0;
            Window parent = 0;
            Window* children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(display, focus, &root, &parent, &children, &count)) return false;
            if (children != nullptr) XFree(children);
            if (parent == root) return false;
            focus = parent;
        }
        return false;
    }

    bool activate(const std::string& caption) override {
        const Window window = findWindow(caption);
        if (window == None) return false;
        {
            ErrorTrap trap(display);
            if (managerActivates()) {
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = window;
                event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
                event.xclient.format = 32;
                event.xclient.data.l[0] = 2;  // the request comes from a tool acting for the user
                event.xclient.data.l[1] = CurrentTime;
                XSendEvent(display, DefaultRootWindow(display), False,
                           SubstructureRedirectMask | SubstructureNotifyMask, &event);
            } else {
                XRaiseWindow(display, window);
                XSetInputFocus(display, window, RevertToParent, CurrentTime);
            }
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!hasFocus(window)) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            settle(std::chrono::milliseconds(20));
        }
        return true;
    }
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
    return std::unique_ptr<X11Session>(new X11Session(std::move(impl)));
}

X11Session::X11Session(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
X11Session::~X11Session() = default;

KeySender& X11Session::keySender() { return *impl_; }
WindowActivator& X11Session::windowActivator() { return *impl_; }

void X11Session::setSettle(SettleFunction settle, std::chrono::milliseconds delay) {
    impl_->settle = std::move(settle);
    impl_->delay = delay;
}

}  // namespace sorvath
