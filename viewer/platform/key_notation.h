// The common keystroke notation used to script other programs' windows:
// "%" Alt, "^" Ctrl, "+" Shift on the next key or parenthesised group,
// "{Name}" or "{Name count}" for named keys (case-insensitive: Enter, Tab, Down,
// Up, F4, ...), "{+}" and friends for the special characters themselves, "~" for
// Enter, and every other character typed as itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvath {

enum class NamedKey {
    Character,  // the stroke types a character
    Enter,
    Tab,
    Escape,
    Backspace,
    Delete,
    Insert,
    Home,
    End,
    PageUp,
    PageDown,
    Up,
    Down,
    Left,
    Right,
    Space,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
};

struct KeyStroke {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    NamedKey named = NamedKey::Character;
    char32_t character = 0;  // when named is Character

    bool operator==(const KeyStroke&) const = default;
};

// The strokes of one notation string, or nothing when the string is malformed
// (unknown key name, unbalanced braces or parentheses, a modifier with no key).
std::optional<std::vector<KeyStroke>> parseKeyNotation(const std::string& text);

// The notation that types this text as it stands: the special characters
// + ^ % ~ ( ) { } go in braces.
std::string literalKeys(const std::string& text);

}  // namespace sorvath
