// The text-view keys of the environment data file on real INI files.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include <cstring>

#include "../settings/settings_test_util.h"
#include "settings/ini_file.h"
#include "textview/text_editor_prop.h"
#include "textview/text_view_settings.h"

namespace {
const char kHeader[] = "[Quillmark]\r\n[注意]\r\n";

class TextViewKeys : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form_ = new TForm(app_);
    }
    void TearDown() override { delete form_; AppTest::TearDown(); }

    // A control with a designed look that differs from every fixed default.
    TTextEditorEx* Designed() {
        auto* e = new TTextEditorEx(form_, form_);
        e->Color = clNavy;
        TFont f = e->Font;
        f.Bold = true;
        f.Color = clWhite;
        e->SetFont(f);
        e->Caret().SetStyle(csBrief);
        e->SetScrollBars(ssBoth);
        TTextEditorColor& i = e->View().Colors().Int;
        i.SetBkColor(clNavy);
        i.SetColor(clRed);
        i.SetStyle(fsBold);
        e->View().Colors().Ank.SetStyle(fsItalic);
        return e;
    }
    std::string Ini(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ / name;
        ScratchFolder::Write(path, bytes);
        return path;
    }
    static std::vector<std::string> Keys(const std::string& path, const char* section) {
        std::vector<char> buf(1 << 16);
        const DWORD n = GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), path.c_str());
        std::vector<std::string> keys;
        for (DWORD i = 0; i < n; i += static_cast<DWORD>(std::strlen(&buf[i])) + 1) {
            const std::string line = &buf[i];
            keys.push_back(line.substr(0, line.find('=')));
        }
        return keys;
    }
    ScratchFolder dir_;
    TForm* form_ = nullptr;
};
}  // namespace

TEST_F(TextViewKeys, FirstStartKeepsTheDesignButForTheFixedDefaults) {
    TTextEditorEx* e = Designed();
    LoadTextViewSettings(*e, nullptr, "hedText");  // no file: nothing happens
    EXPECT_EQ(ssBoth, e->ScrollBars());

    const std::string missing = dir_ / "none.ini";
    for (const std::string& path : {Ini("first.ini", kHeader), missing}) {
        e = Designed();
        const TIniFile ini(path);
        LoadTextViewSettings(*e, &ini, "hedText");
        EXPECT_EQ(clNavy, e->Color);
        EXPECT_EQ("FixedSys", e->Font.Name);
        EXPECT_EQ(clWhite, e->Font.Color);
        EXPECT_EQ(15, e->Font.Height);
        EXPECT_FALSE(e->Font.Bold);  // "FontStyle" defaults to 0
        EXPECT_EQ(csDefault, e->Caret().Style());
        EXPECT_EQ(ssVertical, e->ScrollBars());
        EXPECT_EQ(8, e->Caret().TabSpaceCount());
        // Without their "BkColor" keys the entries keep their designed styles.
        EXPECT_EQ(fsBold, e->View().Colors().Int.Style());
        EXPECT_EQ(fsItalic, e->View().Colors().Ank.Style());
        EXPECT_EQ(clBlack, e->SearchHitColorFront);
        EXPECT_EQ(clAqua, e->SearchHitColorBack);
        EXPECT_EQ(0, e->SearchHitFontStyle);
        EXPECT_EQ(0, e->KeyWordList.Count());
    }
    EXPECT_FALSE(GetFileAttributesA(missing.c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST_F(TextViewKeys, SaveWritesEveryKeyInOrderAndLoadGivesItBack) {
    TTextEditorEx* a = Designed();
    TFont f = a->Font;
    f.Name = "ＭＳ ゴシック";
    f.Height = 20;
    f.Italic = true;
    a->SetFont(f);
    a->Caret().SetSoftTab(true);
    a->Caret().SetTabSpaceCount(4);
    a->Margin().SetCharacter(3);
    a->Margin().SetLine(5);
    a->Marks().RetMark().SetColor(0x00123456);
    a->View().Colors().Select.SetStyle(fsUnderline);
    a->View().SetCommenter("// ");
    a->View().SetQuotation("\"");
    a->WrapOption().SetFollowStr(" 、。表ソ=");  // a blank, two 0x5C trail bytes and '='
    a->WrapOption().SetWrapByte(120);
    a->SetWordWrap(true);
    a->KeyWordList.Add("表示", TKeyWordColor{clRed, clYellow, fsBold | fsItalic});
    a->KeyWordList.Add("key=word");
    a->SearchHitColorBack = clFuchsia;
    const std::string first = Ini("a.ini", kHeader);
    TIniFile ini(first);
    SaveTextViewSettings(*a, &ini, "hedText");

    std::vector<std::string> order = {"Color", "FontColor", "FontName", "FontSize", "FontStyle", "CaretAutoIndent",
                                      "CaretFreeCaret", "CaretInTab", "CaretKeepCaret", "CaretLockScroll",
                                      "CaretNextLine", "CaretPrevSpaceIndent", "CaretSoftTab", "CaretStyle",
                                      "CaretTabIndent", "CaretTabSpaceCount", "MarginCharacter", "MarginLeft",
                                      "MarginLine", "MarginTop", "MarkEofVisible", "MarkRetVisible",
                                      "MarkUnderLineVisible", "MarkEofMarkColor", "MarkRetMarkColor",
                                      "MarkUnderLineColor", "ScrollBars"};
    for (const char* entry : {"Ank", "Comment", "DBCS", "Int", "Mail", "Select", "Str", "Symbol", "Url"})
        for (const char* part : {"BkColor", "Color", "Style"}) order.push_back(std::string("ViewColors") + entry + part);
    for (const char* key : {"ViewCommenter", "ViewControlCode", "ViewHexPrefix", "ViewMail", "ViewQuotation",
                            "ViewUrl", "WordWrap", "FollowPunctuation", "FollowRetMark", "FollowStr", "Leading",
                            "LeadStr", "PunctuationStr", "WordBreak", "WrapByte", "SearchHitColorFront",
                            "SearchHitColorBack", "SearchHitFontStyle"})
        order.push_back(key);
    EXPECT_EQ(order, Keys(first, "hedText"));
    EXPECT_EQ((std::vector<std::string>{"Kw0Str", "Kw0FrontColor", "Kw0BackColor", "Kw0Styles", "Kw1Str",
                                        "Kw1FrontColor", "Kw1BackColor", "Kw1Styles"}),
              Keys(first, "hedTextKeyWordList"));
    EXPECT_EQ("$00123456", ini.ReadString("hedText", "MarkRetMarkColor", ""));
    EXPECT_EQ("15", ini.ReadString("hedText", "FontSize", ""));  // points

    // Another control reads it all back and writes the same file.
    TTextEditorEx* b = new TTextEditorEx(form_, form_);
    LoadTextViewSettings(*b, &ini, "hedText");
    EXPECT_EQ("ＭＳ ゴシック", b->Font.Name);
    EXPECT_EQ(20, b->Font.Height);
    EXPECT_EQ(" 、。表ソ=", b->WrapOption().FollowStr());
    EXPECT_EQ("// ", b->View().Commenter());
    EXPECT_EQ(120, b->WrapOption().WrapByte());
    EXPECT_TRUE(b->WordWrap());
    EXPECT_EQ(fsBold, b->View().Colors().Int.Style());
    ASSERT_EQ(2, b->KeyWordList.Count());
    EXPECT_EQ("key=word", b->KeyWordList.Strings(1));
    EXPECT_EQ(clYellow, b->KeyWordList.Objects(0).BackColor);
    EXPECT_EQ(fsBold | fsItalic, b->KeyWordList.Objects(0).Style);
    EXPECT_EQ(clFuchsia, b->SearchHitColorBack);
    TIniFile second(Ini("b.ini", kHeader));
    SaveTextViewSettings(*b, &second, "hedText");
    EXPECT_EQ(ScratchFolder::Read(first), ScratchFolder::Read(second.FileName()));
}

TEST_F(TextViewKeys, ClampsApplyAndABadValueSpoilsOnlyItsOwnKey) {
    TTextEditorEx* e = Designed();
    const TIniFile ini(Ini("c.ini", std::string(kHeader) +
                                        "[hedText]\r\nColor=blue\r\nFontSize=abc\r\nCaretStyle=1\r\n"
                                        "CaretTabSpaceCount=5\r\nMarginCharacter=500\r\nScrollBars=9\r\n"
                                        "ViewColorsAnkBkColor=clBlack\r\nViewColorsIntStyle=0\r\n"
                                        "ViewColorsIntColor=nonsense\r\nWrapByte=300\r\n"
                                        "SearchHitColorBack=$00ABCDEF\r\n"));
    LoadTextViewSettings(*e, &ini, "hedText");
    EXPECT_EQ(clNavy, e->Color);
    EXPECT_EQ(15, e->Font.Height);
    EXPECT_EQ(csBrief, e->Caret().Style());
    EXPECT_EQ(4, e->Caret().TabSpaceCount());
    EXPECT_EQ(100, e->Margin().Character());
    EXPECT_EQ(ssVertical, e->ScrollBars());
    EXPECT_EQ(clBlack, e->View().Colors().Ank.BkColor());
    EXPECT_EQ(0, e->View().Colors().Ank.Style());       // its BkColor key is there
    EXPECT_EQ(fsBold, e->View().Colors().Int.Style());  // its BkColor key is not
    EXPECT_EQ(clRed, e->View().Colors().Int.Color());
    EXPECT_EQ(250, e->WrapOption().WrapByte());
    EXPECT_EQ(TColor(0xABCDEF), e->SearchHitColorBack);
}

TEST_F(TextViewKeys, KeywordsStopAtTheFirstGapAndSavingLeavesNoStaleKeys) {
    const std::string path = Ini("k.ini", std::string(kHeader) +
                                              "[hedText]\r\nUnknown=kept\r\n[hedTextKeyWordList]\r\n"
                                              "Kw0Str=alpha\r\nKw0FrontColor=clRed\r\nKw1Str=\r\nKw2Str=gamma\r\n"
                                              "[Other]\r\nx=1\r\n");
    TIniFile ini(path);
    TTextEditorEx* e = Designed();
    LoadTextViewSettings(*e, &ini, "hedText");
    ASSERT_EQ(1, e->KeyWordList.Count());
    EXPECT_EQ(clRed, e->KeyWordList.Objects(0).FrontColor);
    EXPECT_EQ(clWhite, e->KeyWordList.Objects(0).BackColor);

    e->KeyWordList.Add("beta");
    e->KeyWordList.Add("gamma");
    SaveTextViewSettings(*e, &ini, "hedText");
    TTextEditorEx* limited = Designed();
    LoadTextViewSettings(*limited, &ini, "hedText", 1);
    EXPECT_EQ(2, limited->KeyWordList.Count());

    e->KeyWordList.Delete(2);
    e->KeyWordList.Delete(0);
    SaveTextViewSettings(*e, &ini, "hedText");
    EXPECT_EQ((std::vector<std::string>{"Kw0Str", "Kw0FrontColor", "Kw0BackColor", "Kw0Styles"}),
              Keys(path, "hedTextKeyWordList"));
    EXPECT_EQ("beta", ini.ReadString("hedTextKeyWordList", "Kw0Str", ""));
    EXPECT_EQ("kept", ini.ReadString("hedText", "Unknown", ""));
    EXPECT_EQ("1", ini.ReadString("Other", "x", ""));
}

TEST_F(TextViewKeys, AFileThatCannotBeWrittenIsNoHarm) {
    // A name that is a folder, and a file in a folder that does not exist.
    const std::string folder = dir_ / "folder.ini";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& path : {folder, dir_ / "gone\\x.ini"}) {
        TIniFile ini(path);
        TTextEditorEx* e = Designed();
        e->KeyWordList.Add("word");
        SaveTextViewSettings(*e, &ini, "hedText");
        EXPECT_FALSE(ini.WriteString("hedText", "Color", "clRed"));
        LoadTextViewSettings(*e, &ini, "hedText");
        EXPECT_EQ(clNavy, e->Color);
    }
    EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir_ / "gone").c_str()));
}

TEST_F(TextViewKeys, AnotherControlTakesTheSettingsButKeepsItsKeywords) {
    TTextEditorEx* a = Designed();
    a->WrapOption().SetWrapByte(120);
    a->SetSearchHitString("検索");
    a->SearchHitColorBack = clFuchsia;
    a->KeyWordList.Add("word");
    auto* b = new TTextEditorEx(form_, form_);
    b->KeyWordList.Add("own");
    CopyTextEditorSettings(*a, *b);
    EXPECT_EQ(clNavy, b->Color);
    EXPECT_EQ(ssBoth, b->ScrollBars());
    EXPECT_EQ(120, b->WrapOption().WrapByte());
    EXPECT_EQ(fsBold, b->View().Colors().Int.Style());
    EXPECT_EQ("検索", b->SearchHitString());
    EXPECT_EQ(clFuchsia, b->SearchHitColorBack);
    ASSERT_EQ(1, b->KeyWordList.Count());
    EXPECT_EQ("own", b->KeyWordList.Strings(0));
}
