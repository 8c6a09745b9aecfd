#include <gtest/gtest.h>

#include "base/sjis.h"
#include "base/strutil.h"

// "表" is 0x95 0x5C: its second byte is the backslash. "ソ" is 0x83 0x5C.
static const std::string kHyo = "\x95\x5c";

TEST(Sjis, LeadBytesAndCharacterLengths) {
    EXPECT_TRUE(IsSjisLeadByte('\x81'));
    EXPECT_TRUE(IsSjisLeadByte('\x9f'));
    EXPECT_TRUE(IsSjisLeadByte('\xe0'));
    EXPECT_TRUE(IsSjisLeadByte('\xfc'));
    EXPECT_FALSE(IsSjisLeadByte('\x80'));
    EXPECT_FALSE(IsSjisLeadByte('\xa0'));  // half-width katakana are single bytes
    EXPECT_FALSE(IsSjisLeadByte('\xdf'));
    EXPECT_FALSE(IsSjisLeadByte('\xfd'));
    const std::string s = "a" + kHyo + "\x83";  // ends in a lone lead byte
    EXPECT_EQ(1u, SjisCharLength(s, 0));
    EXPECT_EQ(2u, SjisCharLength(s, 1));
    EXPECT_EQ(1u, SjisCharLength(s, 3));
    EXPECT_TRUE(IsSjisTrailPosition(s, 2));
    EXPECT_FALSE(IsSjisTrailPosition(s, 3));
}

TEST(Sjis, UpperCaseLeavesDoubleByteCharactersAlone) {
    // 0x82 0x61 is a full-width letter whose second byte is 'a'.
    EXPECT_EQ("ABC\x82\x61" "D", SjisUpperCase("abc\x82\x61" "d"));
    EXPECT_TRUE(SjisSameText("Photo.JPEG", "photo.jpeg"));
    EXPECT_FALSE(SjisSameText("\x82\x61", "\x82\x41"));
}

TEST(Paths, DelimitersInsideDoubleByteCharactersAreNotDelimiters) {
    const std::string dir = "C:\\" + kHyo + "\\";
    EXPECT_EQ(dir, ExtractFilePath(dir + "a.txt"));
    EXPECT_EQ("a.txt", ExtractFileName(dir + "a.txt"));
    // A name that ends in 表: the 0x5C is no folder separator.
    EXPECT_EQ(kHyo, ExtractFileName("C:\\" + kHyo));
    EXPECT_EQ("C:\\" + kHyo, ExcludeTrailingBackslash("C:\\" + kHyo));
    EXPECT_EQ("C:\\" + kHyo + "\\", IncludeTrailingBackslash("C:\\" + kHyo));
    EXPECT_EQ("C:\\", ExtractFilePath("C:\\x"));
    EXPECT_EQ("D:", ExtractFilePath("D:x").substr(0, 2));
}

TEST(Paths, ExtensionsComeFromTheNameOnly) {
    EXPECT_EQ(".gz", ExtractFileExt("name.tar.gz"));
    EXPECT_EQ("", ExtractFileExt("C:\\dir.d\\README"));
    EXPECT_EQ(".", ExtractFileExt("C:\\a\\name."));
    EXPECT_EQ("", ExtractFileExt(""));
    EXPECT_EQ("C:\\A\\B\\view.INI", ChangeFileExt("C:\\A\\B\\view.exe", ".INI"));
    EXPECT_EQ("C:\\dir.d\\README.INI", ChangeFileExt("C:\\dir.d\\README", ".INI"));
}

TEST(Strings, TrimFormatAndThousands) {
    EXPECT_EQ("a b", Trim(" \t a b \r\n"));
    EXPECT_EQ("", Trim("   "));
    EXPECT_EQ("[    1]", Format("[%5d]", 1));
    EXPECT_EQ(std::string(300, 'x'), Format("%s", std::string(300, 'x').c_str()));
    EXPECT_EQ("0", GroupThousands(0));
    EXPECT_EQ("999", GroupThousands(999));
    EXPECT_EQ("1,000", GroupThousands(1000));
    EXPECT_EQ("12,345,678", GroupThousands(12345678));
    EXPECT_EQ("-1,234", GroupThousands(-1234));
}
