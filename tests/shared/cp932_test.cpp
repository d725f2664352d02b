#include "shared/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace koropika {
namespace {

TEST(Cp932, JapaneseNamesSurviveARoundTrip) {
    for (const std::string name :
         {"たろう", "山田 花子", "ｶﾀｶﾅ", "ＡＢＣ１２３", "髙橋", "～", "①②", "ABC-123", "＼"}) {
        const std::optional<std::string> bytes = utf8ToCp932(name);
        ASSERT_TRUE(bytes.has_value()) << name;
        EXPECT_EQ(cp932ToUtf8(*bytes), name) << name;
    }
}

TEST(Cp932, CharactersGetTheirWindowsCodePageBytes) {
    EXPECT_EQ(utf8ToCp932("たろう"), std::string("\x82\xBD\x82\xEB\x82\xA4"));
    EXPECT_EQ(utf8ToCp932("①"), std::string("\x87\x40"));
    EXPECT_EQ(utf8ToCp932("～"), std::string("\x81\x60"));
    EXPECT_EQ(utf8ToCp932("ｱ"), std::string("\xB1"));
    EXPECT_EQ(utf8ToCp932(""), std::string());
}

TEST(Cp932, WaveDashReadsBackAsFullwidthTilde) {
    // Both dashes share one code; the round trip settles on the one the code page decodes to.
    EXPECT_EQ(utf8ToCp932("〜"), utf8ToCp932("～"));
    EXPECT_EQ(cp932ToUtf8(*utf8ToCp932("a〜b")), "a～b");
}

TEST(Cp932, NamesThatCodePage932CannotHoldAreRefused) {
    EXPECT_FALSE(utf8ToCp932("𠮷野家").has_value());
    EXPECT_FALSE(utf8ToCp932("たろう😀").has_value());
    EXPECT_FALSE(utf8ToCp932("Zoë").has_value());
}

TEST(Cp932, BrokenUtf8IsRefused) {
    EXPECT_FALSE(utf8ToCp932("\xC0\xAF").has_value());      // overlong '/'
    EXPECT_FALSE(utf8ToCp932("\xED\xA0\x80").has_value());  // surrogate
    EXPECT_FALSE(utf8ToCp932("a\x80").has_value());         // stray continuation byte
    EXPECT_FALSE(utf8ToCp932("\xE3\x81").has_value());      // cut short
}

TEST(Cp932, ReplacingConversionMarksOnlyTheCharactersItCannotHold) {
    EXPECT_EQ(utf8ToCp932Replacing("a😀b"), "a?b");
    EXPECT_EQ(utf8ToCp932Replacing("𠮷野家"), "?" + *utf8ToCp932("野家"));
    EXPECT_EQ(utf8ToCp932Replacing("\xEF\xBF\xBDたろ\xE3\x81"), "?" + *utf8ToCp932("たろ") + "?");
    EXPECT_EQ(utf8ToCp932Replacing("\xFF\xFE", '#'), "##");
    EXPECT_EQ(utf8ToCp932Replacing("\xF0\x9F\x98"), "?");  // emoji cut short: one mark
    EXPECT_EQ(utf8ToCp932Replacing("\xE3\x41"), "?A");     // broken lead byte only
    EXPECT_EQ(utf8ToCp932Replacing("たろう"), *utf8ToCp932("たろう"));
}

TEST(Cp932, UndecodableBytesBecomeOneReplacementCharacterEach) {
    EXPECT_EQ(cp932ToUtf8("\xFF"), "\uFFFD");
    EXPECT_EQ(cp932ToUtf8("\xA0\xFD\xFE"), "\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(cp932ToUtf8("A\x82"), "A\uFFFD");  // lead byte at the end
    // A lead byte with a bad second byte loses only itself; the second byte is read again.
    EXPECT_EQ(cp932ToUtf8("\x82 B"), "\uFFFD B");
    EXPECT_EQ(cp932ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932, StorableNamesConvertAndHoldNoControlCharacters) {
    EXPECT_TRUE(isStorableName("たろう"));
    EXPECT_TRUE(isStorableName(" spaced , \"quoted\" "));
    EXPECT_TRUE(isStorableName(""));
    EXPECT_FALSE(isStorableName("a\tb"));
    EXPECT_FALSE(isStorableName("a\rb"));
    EXPECT_FALSE(isStorableName("a\nb"));
    EXPECT_FALSE(isStorableName("a\x7F"));
    EXPECT_FALSE(isStorableName("a\u0085b"));
    EXPECT_FALSE(isStorableName("𠮷"));
    EXPECT_FALSE(isStorableName("\xFF"));
}

}  // namespace
}  // namespace koropika
