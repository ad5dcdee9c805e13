#include "base/cp1252.h"

#include <gtest/gtest.h>

using namespace kvd;

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    bool lossy = true;
    EXPECT_EQ(Utf8ToCp1252(utf8, '?', &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(Cp1252, TheCharactersThatDifferFromLatin1) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");          // euro
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");              // Y with diaeresis
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");              // undefined: kept as C1 control
    EXPECT_EQ(Cp1252ToUtf8("Citt\xE0"), "Citt\xC3\xA0");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9C" "a" "\xE2\x80\x9D"), "\x93" "a" "\x94");
}

TEST(Cp1252, WhatItCannotHoldIsReplacedAndReported) {
    bool lossy = false;
    EXPECT_EQ(Utf8ToCp1252("\xD0\x96x", '?', &lossy), "?x");  // Cyrillic Zhe
    EXPECT_TRUE(lossy);
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b", '_', &lossy), "a_b");  // not UTF-8 at all
    EXPECT_TRUE(lossy);
}

TEST(Cp1252, Utf8Validation) {
    struct Case {
        const char* bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain", true},
        {"\xC3\xA0", true},
        {"\xF0\x9F\x98\x80", true},
        {"\xC3", false},              // cut short
        {"\xC0\xAF", false},          // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xE0", false},
        {"Citt\xE0 bella", false},  // a Windows-1252 file
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(Cp1252, UndeclaredTextFiles) {
    EXPECT_EQ(DecodeUtf8OrCp1252("\xEF\xBB\xBF" "Citt\xC3\xA0"), "Citt\xC3\xA0");
    EXPECT_EQ(DecodeUtf8OrCp1252("Citt\xC3\xA0"), "Citt\xC3\xA0");
    EXPECT_EQ(DecodeUtf8OrCp1252("Citt\xE0"), "Citt\xC3\xA0");
    EXPECT_EQ(DecodeUtf8OrCp1252(""), "");
}
