#include "viewer/platform/key_notation.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

KeyStroke character(char32_t c, bool shift = false, bool ctrl = false, bool alt = false) {
    return KeyStroke{shift, ctrl, alt, NamedKey::Character, c};
}
KeyStroke named(NamedKey key, bool shift = false, bool ctrl = false, bool alt = false) {
    return KeyStroke{shift, ctrl, alt, key, 0};
}

std::vector<KeyStroke> parsed(const std::string& text) {
    const auto strokes = parseKeyNotation(text);
    EXPECT_TRUE(strokes.has_value()) << text;
    return strokes.value_or(std::vector<KeyStroke>{});
}

TEST(KeyNotation, ModifierPrefixesApplyToTheNextKeyOnly) {
    EXPECT_EQ(parsed("%f"), (std::vector{character('f', false, false, true)}));
    EXPECT_EQ(parsed("^s"), (std::vector{character('s', false, true)}));
    EXPECT_EQ(parsed("+{Down}"), (std::vector{named(NamedKey::Down, true)}));
    EXPECT_EQ(parsed("%{F4}"), (std::vector{named(NamedKey::F4, false, false, true)}));
    EXPECT_EQ(parsed("^+ab"), (std::vector{character('a', true, true), character('b')}));
}

TEST(KeyNotation, KeyNamesIgnoreLetterCase) {
    EXPECT_EQ(parsed("{Enter}"), parsed("{enter}"));
    EXPECT_EQ(parsed("{UP}"), parsed("{up}"));
    EXPECT_EQ(parsed("{TAB}"), (std::vector{named(NamedKey::Tab)}));
    EXPECT_EQ(parsed("{f12}"), (std::vector{named(NamedKey::F12)}));
    EXPECT_EQ(parsed("~"), (std::vector{named(NamedKey::Enter)}));
}

TEST(KeyNotation, PlainTextTypesEveryCharacter) {
    const auto strokes = parsed("temp-101");
    ASSERT_EQ(strokes.size(), 8u);
    EXPECT_EQ(strokes[4], character('-'));
    EXPECT_EQ(strokes[7], character('1'));
    EXPECT_EQ(parsed("tempanim.gif").size(), 12u);
    EXPECT_EQ(parsed("ä"), (std::vector{character(U'ä')}));
}

TEST(KeyNotation, CountsGroupsAndBracedSpecialCharacters) {
    EXPECT_EQ(parsed("{TAB 3}"), (std::vector(3, named(NamedKey::Tab))));
    EXPECT_EQ(parsed("+(ab)c"), (std::vector{character('a', true), character('b', true), character('c')}));
    EXPECT_EQ(parsed("{+}{%}{^}{~}{(}{)}{{}{}}"),
              (std::vector{character('+'), character('%'), character('^'), character('~'), character('('),
                           character(')'), character('{'), character('}')}));
    EXPECT_TRUE(parsed("").empty());
}

TEST(KeyNotation, MalformedStringsAreRefused) {
    for (const char* text : {"{Nope}", "{Enter", "}", "(ab", "ab)", "+", "%(a+)", "{TAB x}", "{}", "{TAB -1}"})
        EXPECT_FALSE(parseKeyNotation(text).has_value()) << text;
}

TEST(KeyNotation, LiteralKeysTypeEveryCharacterAsItStands) {
    const std::string path = "/home/a+b/50%^x/(one){two}~/[3]/tempanim.gif";
    const std::optional<std::vector<KeyStroke>> strokes = parseKeyNotation(literalKeys(path));
    ASSERT_TRUE(strokes.has_value());
    std::string typed;
    for (const KeyStroke& stroke : *strokes) {
        EXPECT_EQ(stroke.named, NamedKey::Character);
        EXPECT_FALSE(stroke.shift || stroke.ctrl || stroke.alt);
        typed += static_cast<char>(stroke.character);
    }
    EXPECT_EQ(typed, path);
    EXPECT_EQ(literalKeys("tempanim.gif"), "tempanim.gif");
}

}  // namespace
}  // namespace sorvath
