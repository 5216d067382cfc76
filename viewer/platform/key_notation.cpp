#include "viewer/platform/key_notation.h"

#include <string_view>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace sorvath {
namespace {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool any() const { return shift || ctrl || alt; }
};

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<NamedKey> namedKey(const std::string& name) {
    static const std::pair<const char*, NamedKey> kNames[] = {
        {"ENTER", NamedKey::Enter},
        {"TAB", NamedKey::Tab},
        {"ESC", NamedKey::Escape},
        {"ESCAPE", NamedKey::Escape},
        {"BACKSPACE", NamedKey::Backspace},
        {"BS", NamedKey::Backspace},
        {"BKSP", NamedKey::Backspace},
        {"DELETE", NamedKey::Delete},
        {"DEL", NamedKey::Delete},
        {"INSERT", NamedKey::Insert},
        {"INS", NamedKey::Insert},
        {"HOME", NamedKey::Home},
        {"END", NamedKey::End},
        {"PGUP", NamedKey::PageUp},
        {"PGDN", NamedKey::PageDown},
        {"UP", NamedKey::Up},
        {"DOWN", NamedKey::Down},
        {"LEFT", NamedKey::Left},
        {"RIGHT", NamedKey::Right},
        {"SPACE", NamedKey::Space},
        {"F1", NamedKey::F1},
        {"F2", NamedKey::F2},
        {"F3", NamedKey::F3},
        {"F4", NamedKey::F4},
        {"F5", NamedKey::F5},
        {"F6", NamedKey::F6},
        {"F7", NamedKey::F7},
        {"F8", NamedKey::F8},
        {"F9", NamedKey::F9},
        {"F10", NamedKey::F10},
        {"F11", NamedKey::F11},
        {"F12", NamedKey::F12},
    };
    const std::string key = upper(name);
    for (const auto& [text, value] : kNames)
        if (key == text) return value;
    return std::nullopt;
}

// Decodes one UTF-8 character at pos; a malformed byte stands for itself.
char32_t decodeUtf8(const std::string& text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t value = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        extra = 3;
        value = lead & 0x07u;
    } else if (lead >= 0xE0) {
        extra = 2;
        value = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
        extra = 1;
        value = lead & 0x1Fu;
    }
    if (lead >= 0xF8 || (lead >= 0x80 && lead < 0xC0) || pos + static_cast<size_t>(extra) >= text.size()) {
        ++pos;
        return lead;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(pos + static_cast<size_t>(k)) & 0xC0u) != 0x80u) {
            ++pos;
            return lead;
        }
        value = (value << 6) | (byte(pos + static_cast<size_t>(k)) & 0x3Fu);
    }
    pos += static_cast<size_t>(extra) + 1;
    return value;
}

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    std::optional<std::vector<KeyStroke>> run() {
        if (!sequence(Modifiers{}, false)) return std::nullopt;
        return std::move(strokes_);
    }

private:
    // Reads strokes until the end (or, inside a group, the closing parenthesis),
    // with the group's modifiers held on every stroke.
    bool sequence(Modifiers held, bool inGroup) {
        Modifiers pending;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '+' || c == '^' || c == '%') {
                (c == '+' ? pending.shift : c == '^' ? pending.ctrl : pending.alt) = true;
                ++pos_;
                continue;
            }
            const Modifiers active{held.shift || pending.shift, held.ctrl || pending.ctrl, held.alt || pending.alt};
            if (c == ')') {
                if (!inGroup || pending.any()) return false;
                ++pos_;
                return true;
            }
            if (c == '(') {
                ++pos_;
                if (!sequence(active, true)) return false;
            } else if (c == '{') {
                if (!braced(active)) return false;
            } else if (c == '}') {
                return false;
            } else if (c == '~') {
                ++pos_;
                add(active, NamedKey::Enter, 0);
            } else {
                add(active, NamedKey::Character, decodeUtf8(text_, pos_));
            }
            pending = Modifiers{};
        }
        return !inGroup && !pending.any();
    }

    // "{Name}", "{Name count}", or "{c}" for a single special character (also "{}}").
    bool braced(Modifiers active) {
        const size_t open = pos_;
        size_t close = text_.find('}', open + 2);  // "{}}" is the closing brace itself
        if (open + 1 < text_.size() && text_[open + 1] != '}') close = text_.find('}', open + 1);
        if (close == std::string::npos) return false;
        std::string body = text_.substr(open + 1, close - open - 1);
        pos_ = close + 1;
        if (body.empty()) return false;
        int count = 1;
        const size_t space = body.find(' ');
        if (space != std::string::npos && space > 0) {
            const std::string digits = body.substr(space + 1);
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
            if (error != std::errc() || end != digits.data() + digits.size() || count < 0 || count > 1000) return false;
            body.resize(space);
        }
        NamedKey named = NamedKey::Character;
        char32_t character = 0;
        if (const auto key = namedKey(body)) {
            named = *key;
        } else {
            size_t at = 0;
            character = decodeUtf8(body, at);
            if (at != body.size()) return false;  // an unknown name
        }
        for (int k = 0; k < count; ++k) add(active, named, character);
        return true;
    }

    void add(Modifiers active, NamedKey named, char32_t character) {
        strokes_.push_back(KeyStroke{active.shift, active.ctrl, active.alt, named, character});
    }

    const std::string& text_;
    size_t pos_ = 0;
    std::vector<KeyStroke> strokes_;
};

}  // namespace

std::optional<std::vector<KeyStroke>> parseKeyNotation(const std::string& text) { return Parser(text).run(); }

std::string literalKeys(const std::string& text) {
    std::string keys;
    for (const char c : text) {
        if (std::string_view("+^%~(){}").find(c) != std::string_view::npos)
            keys += std::string{'{', c, '}'};
        else
            keys += c;
    }
    return keys;
}

}  // namespace sorvath
