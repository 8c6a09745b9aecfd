#include <gtest/gtest.h>

#include "search/search_text.h"

TEST(SearchText, FindStartsOnlyOnCharacterBoundaries) {
    // "ア" is 0x83 0x41: its trail byte reads as 'A' but is no match.
    EXPECT_EQ(std::string::npos, SjisFind("\x83\x41", "A"));
    EXPECT_EQ(2u, SjisFind("\x83\x41"
                           "A",
                           "A"));
    // 0x95 0x5C ("表") holds a backslash byte that must not be found.
    EXPECT_EQ(std::string::npos, SjisFind("\x95\x5C", "\\"));
    EXPECT_EQ(5u, SjisFind(".PIC .PI ", ".PI "));
}

TEST(SearchText, ExtensionHitsAreWholeEntries) {
    const std::string list = ".JPG .PI .BMP ";
    EXPECT_TRUE(ExtensionListed("a.pi", list));
    EXPECT_TRUE(ExtensionListed("A.PI", list));
    EXPECT_FALSE(ExtensionListed("a.pic", list));
    EXPECT_FALSE(ExtensionListed("a.api", list));
    EXPECT_FALSE(ExtensionListed("README", list));
    EXPECT_FALSE(ExtensionListed("name.", list));
    EXPECT_FALSE(ExtensionListed("README", list + " "));
    // The listing filter takes a name without extension when the list has a blank.
    EXPECT_TRUE(ExtensionTaken("README", list));
    EXPECT_TRUE(ExtensionTaken("anything.xyz", ""));
    EXPECT_FALSE(ExtensionTaken("a.pic", list));
}

TEST(SearchText, ExtensionOfNameWithTrailByte5C) {
    // "表.txt": the 0x5C inside the name is no folder delimiter.
    EXPECT_TRUE(ExtensionListed("\x95\x5C.txt", ".TXT "));
    EXPECT_EQ(".TXT ", ExtensionKey("\x95\x5C.txt"));
}

TEST(SearchText, AttributeLettersAndDate) {
    EXPECT_EQ("RHSA",
              AttributeLetters(faReadOnly | faHidden | faSysFile | faArchive | faDirectory));
    EXPECT_EQ("A", AttributeLetters(faArchive));
    EXPECT_EQ("", AttributeLetters(0));
    EXPECT_EQ("2001/02/03 04:05:06", DateTimeText({true, 2001, 2, 3, 4, 5, 6}));
    EXPECT_EQ("", DateTimeText({false, 2001, 2, 3, 4, 5, 6}));
}

TEST(SearchText, SizesAreLow32BitsSigned) {
    EXPECT_EQ(0, LowSize(0));
    EXPECT_EQ(-2147483647 - 1, LowSize(0x80000000ull));
    EXPECT_EQ(5, LowSize(0x100000005ull));
    EXPECT_EQ(0u, SizeInKB(0));
    EXPECT_EQ(1u, SizeInKB(1));
    EXPECT_EQ(1u, SizeInKB(1024));
    EXPECT_EQ(2u, SizeInKB(1025));
    // Just below 2 GB the sum with 1023 passes the signed range.
    EXPECT_EQ(2097152u, SizeInKB(0x7FFFFFFFull));
}

TEST(SearchText, UpperCaseOrder) {
    EXPECT_TRUE(UpperLess("abc", "ABD"));
    EXPECT_FALSE(UpperLess("ABC", "abc"));
    EXPECT_TRUE(UpperLess("ab", "A_")); // '_' sorts after upper-case letters
}
