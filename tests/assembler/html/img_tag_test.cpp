#include <gtest/gtest.h>

#include "assembler/html/img_tag.h"

using flikkor::html::BuildImgTag;
using flikkor::html::ImgTagOptions;
using flikkor::html::MadeFile;

namespace {
const MadeFile kAnim{"/home/user/out/Anim.GIF", 120, 80};
}

TEST(ImgTag, StartOptionsGiveTheUpperCaseExampleTag) {
    EXPECT_EQ(BuildImgTag(kAnim, ImgTagOptions{}),
              "<IMG SRC=\"anim.gif\" ALT=\"anim.gif\" WIDTH=\"120\" HEIGHT=\"80\" BORDER=\"0\" VSPACE=\"0\" "
              "HSPACE=\"0\">");
    EXPECT_EQ(flikkor::html::MadeSizeText(kAnim), "120x80");
}

TEST(ImgTag, LowerCaseWithAlignMiddlePutsAlignLast) {
    ImgTagOptions options;
    options.lowerCase = true;
    options.align = true;
    options.alignIndex = 3;
    EXPECT_EQ(BuildImgTag(kAnim, options),
              "<img src=\"anim.gif\" alt=\"anim.gif\" width=\"120\" height=\"80\" border=\"0\" vspace=\"0\" "
              "hspace=\"0\" align=\"middle\">");
}

TEST(ImgTag, AltTextRepeatsNameWhenEmptyAndIsDroppedWhenOff) {
    ImgTagOptions options;
    options.altText = "Wave";
    EXPECT_NE(BuildImgTag(kAnim, options).find(" ALT=\"Wave\" WIDTH="), std::string::npos);
    options.altText.clear();
    EXPECT_NE(BuildImgTag(kAnim, options).find(" ALT=\"anim.gif\" WIDTH="), std::string::npos);
    options.alt = false;
    EXPECT_EQ(BuildImgTag(kAnim, options).find("ALT="), std::string::npos);
}

TEST(ImgTag, OptionalAttributesFollowTheirTicksAndValues) {
    ImgTagOptions options;
    options.border = false;
    options.vspaceValue = 4;
    options.hspace = false;
    options.align = true;
    options.alignIndex = 4;
    EXPECT_EQ(BuildImgTag(kAnim, options),
              "<IMG SRC=\"anim.gif\" ALT=\"anim.gif\" WIDTH=\"120\" HEIGHT=\"80\" VSPACE=\"4\" ALIGN=\"bottom\">");
    options.Reset();
    EXPECT_EQ(BuildImgTag(kAnim, options), BuildImgTag(kAnim, ImgTagOptions{}));
}

TEST(ImgTag, ResetKeepsTheCaseOption) {
    ImgTagOptions options;
    options.lowerCase = true;
    options.altText = "x";
    options.borderValue = 3;
    options.align = true;
    options.alignIndex = 2;
    options.alt = false;
    options.Reset();
    EXPECT_TRUE(options.lowerCase);
    EXPECT_TRUE(options.alt);
    EXPECT_TRUE(options.altText.empty());
    EXPECT_EQ(options.borderValue, 0);
    EXPECT_FALSE(options.align);
    EXPECT_EQ(options.alignIndex, 0);
}

TEST(ImgTag, QuotesAndMarkupInAltTextAndNameAreCharacterReferences) {
    ImgTagOptions options;
    options.altText = "say \"hi\" <b>&</b>";
    const MadeFile odd{"/tmp/A&B\"<x>.gif", 1, 2};
    EXPECT_EQ(BuildImgTag(odd, options),
              "<IMG SRC=\"a&amp;b&quot;&lt;x&gt;.gif\" ALT=\"say &quot;hi&quot; &lt;b&gt;&amp;&lt;/b&gt;\" "
              "WIDTH=\"1\" HEIGHT=\"2\" BORDER=\"0\" VSPACE=\"0\" HSPACE=\"0\">");
    options.altText.clear();
    EXPECT_NE(BuildImgTag(odd, options).find("ALT=\"a&amp;b&quot;&lt;x&gt;.gif\""), std::string::npos);
}

TEST(ImgTag, NameIsLowerCasedOnlyInAsciiAndTakenAfterTheLastSlash) {
    EXPECT_EQ(flikkor::html::TagFileName("/A.B/Ｇ画像X.GIF"), "Ｇ画像x.gif");
    EXPECT_EQ(flikkor::html::TagFileName("Plain.GIF"), "plain.gif");
}

TEST(ImgTag, NothingMadeGivesEmptyTexts) {
    EXPECT_EQ(BuildImgTag(MadeFile{}, ImgTagOptions{}), "");
    EXPECT_EQ(flikkor::html::MadeSizeText(MadeFile{}), "");
}

TEST(ImgTag, IntegerValuesAndTheConversionMessage) {
    using flikkor::html::TagIntegerValue;
    EXPECT_EQ(TagIntegerValue("0"), 0);
    EXPECT_EQ(TagIntegerValue("-12"), -12);
    EXPECT_EQ(TagIntegerValue("+7"), 7);
    EXPECT_EQ(TagIntegerValue("2147483647"), 2147483647);
    for (const char* bad : {"", "-", "+", "+-1", "1x", " 1", "2147483648", "1.5"})
        EXPECT_FALSE(TagIntegerValue(bad).has_value()) << bad;
    EXPECT_EQ(flikkor::html::NotAnIntegerMessage(""), "'' は整数ではありません.");
    EXPECT_EQ(flikkor::html::NotAnIntegerMessage("abc"), "'abc' は整数ではありません.");
}
