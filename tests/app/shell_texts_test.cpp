#include <gtest/gtest.h>

#include "app/file_info_line.h"
#include "app/information_text.h"
#include "app/text_encoding_choice.h"

TEST(LoadStatus, PartialReadsShowTheShareLoaded) {
    EXPECT_EQ(" Full Loaded", LoadStatusText(true, 4096, 4));
    EXPECT_EQ(" 100.0 % Loaded", LoadStatusText(true, 4097, 4));
    EXPECT_EQ(" 50.0 % Loaded", LoadStatusText(true, 8192, 4));
    EXPECT_EQ(" Full Loaded", LoadStatusText(false, 8192, 4));
    // Sizes beyond 2 GB must not wrap around.
    EXPECT_EQ(" 0.0 % Loaded", LoadStatusText(true, 5000000000LL, 4));
}

TEST(FileInformation, SizeZoomAndPrefix) {
    EXPECT_EQ("0byte", SizeText(0));
    EXPECT_EQ("1byte", SizeText(1));
    EXPECT_EQ("2bytes", SizeText(2));
    EXPECT_EQ("1.234.567bytes", SizeText(1234567, '.'));
    EXPECT_EQ("", ZoomText(0));
    EXPECT_EQ("100%", ZoomText(1));
    EXPECT_EQ(" 99% Reduced", ZoomText(0.999));  // truncated, not rounded
    EXPECT_EQ("250% Enlarged", ZoomText(2.5));
    EXPECT_EQ(" 10% Reduced", ZoomText(0.1));
    EXPECT_EQ(" a.txt 2024/01/02 03:04:05 [        10bytes] ",
              InformationPrefix("a.txt", "2024/01/02 03:04:05", "10bytes"));
}

TEST(Guidance, ChosenByExtension) {
    EXPECT_EQ("このファイルを実行する[SHIFT-RETURN]", GuidanceFor("C:\\a\\SETUP.EXE").ButtonCaption);
    EXPECT_EQ(3u, GuidanceFor("x.com").Lines.size());
    EXPECT_EQ("このファイルは、アプリケーションのショートカットです", GuidanceFor("x.lnk").Lines[0]);
    EXPECT_EQ("スクリーンセーバーを起動する[SHIFT-RETURN]", GuidanceFor("x.scr").ButtonCaption);
    EXPECT_EQ("このヘルプファイルを見る[SHIFT-RETURN]", GuidanceFor("x.hlp").ButtonCaption);
    EXPECT_EQ("このファイルは、システムドライバです", GuidanceFor("x.vxd").Lines[0]);
    EXPECT_EQ("", GuidanceFor("x.sys").ButtonCaption);
    EXPECT_EQ("単独で実行することは出来ません", GuidanceFor("x.ocx").Lines[1]);
    EXPECT_EQ("このファイルを見る[SHIFT-RETURN]", GuidanceFor("x.htm").ButtonCaption);
    EXPECT_EQ(6u, GuidanceFor("x.CAB").Lines.size());
    EXPECT_EQ("中のファイルをダブルクリックするか、または、[ALT-RETUEN]キーを", GuidanceFor("x.tar").Lines[2]);
    const TGuidance welcome = GuidanceFor(kWelcomeGuidancePath);
    ASSERT_EQ(2u, welcome.Lines.size());
    EXPECT_EQ("Welcome to Quillmark.", welcome.Lines[0]);
    EXPECT_EQ("This Version is v1.00A.", welcome.Lines[1]);
    EXPECT_EQ("", welcome.ButtonCaption);
    for (const char* none : {"song.wav", "x.txt", "README", "x.", "x.dat"}) {
        EXPECT_TRUE(GuidanceFor(none).Lines.empty()) << none;
        EXPECT_EQ("", GuidanceFor(none).ButtonCaption) << none;
    }
}

TEST(Guidance, JoinedTextTellsListsApart) {
    EXPECT_EQ(JoinLines({}), JoinLines({}));
    EXPECT_NE(JoinLines({"ab"}), JoinLines({"a", "b"}));
    EXPECT_NE(JoinLines({}), JoinLines({""}));
}

TEST(TextEncodingChoice, SettingValuesPartialTextsAndTheFileLine) {
    // Kept as "Auto" or a name; a missing or unknown value is detection.
    EXPECT_EQ("Auto", TTextEncodingChoice{}.SettingValue());
    for (int i = 0; i < kTextEncodingCount; ++i) {
        const TTextEncodingChoice fixed{false, static_cast<TTextEncoding>(i)};
        EXPECT_EQ(fixed, TTextEncodingChoice::FromSetting(fixed.SettingValue()));
        EXPECT_FALSE(TTextEncodingChoice::FromSetting(fixed.SettingValue()).Auto);
    }
    EXPECT_TRUE(TTextEncodingChoice::FromSetting("").Auto);
    EXPECT_TRUE(TTextEncodingChoice::FromSetting("Auto").Auto);
    EXPECT_TRUE(TTextEncodingChoice::FromSetting("SJIS").Auto);
    // A fixed choice is used whatever the bytes say; auto detects.
    EXPECT_EQ(teJis, (TTextEncodingChoice{false, teJis}.For("\xef\xbb\xbf")));
    EXPECT_EQ(teUtf8, TTextEncodingChoice{}.For("\xef\xbb\xbf"));

    // Shift-JIS partial texts end at a NUL and keep a lone lead byte at the
    // cut; other encodings leave out the character the cut went through.
    EXPECT_EQ("ab", PartialText(std::string("ab\0cd", 5), teShiftJis));
    EXPECT_EQ("ab\x82", PartialText("ab\x82", teShiftJis));
    EXPECT_EQ("ab", PartialText("ab\xe3\x81", teUtf8));
    EXPECT_EQ(std::string("a\0b", 3), PartialText(std::string("a\0\0\0b\0c", 7), teUtf16Le));

    EXPECT_EQ("", EncodingText(teShiftJis));
    EXPECT_EQ("UTF-16BE", EncodingText(teUtf16Be));
}
