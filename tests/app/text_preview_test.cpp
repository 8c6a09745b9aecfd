// The text preview in the main window: partial and whole loads, the load
// status, the full load, the search pane and its jumps, the caret LEDs and
// the hyperlinks.
#include <memory>

#include "../base/encoded_texts.h"
#include "app/text_preview.h"
#include "main_window_fixture.h"
#include "settings/ini_file.h"
#include "media/led_group.h"
#include "ui/dialogs.h"

namespace {

class TextPreview : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        Start();
        preview_ = form_->TextPreview.get();
        preview_->OpenLink = [this](const std::string& target) { opened_.push_back(target); };
        form_->CurrentFileKind = form_->SwitchPreviewPane(form_->CurrentFileKind, fkText);
    }
    void TearDown() override {
        SetInputQueryHook(nullptr);
        MainWindow::TearDown();
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ / name;
        TempFolder::WriteFile(path, bytes);
        return path;
    }
    void Preview(const std::string& path) {
        form_->CurrentFilePath = path;
        preview_->PreviewText(path);
    }
    std::string Shown() { return preview_->hedText->Lines().Text(); }
    bool EndsWith(const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    }
    void Answer(const std::string& text) {
        SetInputQueryHook([text](const std::string& caption, const std::string& prompt, std::string& value) {
            EXPECT_EQ("文字の検索", caption);
            EXPECT_EQ("検索したい文字を入れてください", prompt);
            value = text;
            return true;
        });
    }

    TTextPreview* preview_ = nullptr;
    std::vector<std::string> opened_;
};

// A host of its own: the pane asks nothing else of the window, and tells it
// what changed.
struct LoneTextHost : TTextPreviewHost {
    std::string file;
    TTextEncodingChoice choice;
    int limitKB = 1;
    bool whole = false, links = false;
    std::vector<std::string> status, written;
    int choiceShown = 0, toggled = 0;
    void ShowFileStatus(const std::string& s) override { status.push_back(s); }
    void WriteFileInformation(const std::string& path, double) override { written.push_back(path); }
    void TogglePreviewArea(TObject*) override { ++toggled; }
    const std::string& CurrentFile() const override { return file; }
    TTextEncodingChoice& EncodingChoice() override { return choice; }
    void EncodingChoiceChanged() override { ++choiceShown; }
    bool PartialReadOn() const override { return true; }
    int ReadLimitKBytes() const override { return limitKB; }
    bool TextFullyLoaded() const override { return whole; }
    void SetTextFullyLoaded(bool w) override { whole = w; }
    void ShowStatusHint(const std::string&) override {}
    bool HyperlinksOn() const override { return links; }
};

TEST_F(TextPreview, APaneOfItsOwnReportsLoadsAndChoicesToItsHost) {
    LoneTextHost host;
    TForm window(nullptr);
    auto* base = new TPanel(&window, &window);
    auto* results = new TPanel(&window, base);
    auto* split = new TSplitter(&window, base);
    auto* imageText = new TPanel(&window, &window);
    auto* col = new TLedGroup(&window, base);
    auto* row = new TLedGroup(&window, base);
    col->SetMaxDigits(6);
    const std::string path = Write("lone.txt", std::string(1500, 'a') + "\r\n" + std::string(1000, 'b'));
    host.file = path;
    {
        TTextPreview pane(host, TTextPreviewParts{&window, base, results, split, imageText, col, row});
        EXPECT_EQ(&window, pane.hedText->Owner());
        pane.PreviewText(path);
        EXPECT_FALSE(host.whole);
        EXPECT_EQ(std::vector<std::string>{path}, host.written);
        EXPECT_EQ(" 40.9 % Loaded", host.status.back());
        ASSERT_EQ(1, pane.hedText->Lines().Count());
        EXPECT_EQ(1024u, pane.hedText->Lines().Get(0).size());
        EXPECT_EQ("     1", col->Caption());

        base->SetVisible(true);
        pane.FullLoad();
        EXPECT_TRUE(host.whole);
        EXPECT_EQ(" Full Loaded", host.status.back());
        EXPECT_EQ(2, pane.hedText->Lines().Count());

        // The encoding menu's choice becomes the host's, and the text is read
        // again in it, as whole as it was.
        const int shownBefore = host.choiceShown;
        pane.ChooseEncoding(TTextEncodingChoice{false, teUtf8});
        EXPECT_FALSE(host.choice.Auto);
        EXPECT_EQ(teUtf8, host.choice.Fixed);
        EXPECT_GT(host.choiceShown, shownBefore);
        EXPECT_TRUE(host.whole);
        EXPECT_EQ(std::string(TextEncodingName(teUtf8)) + " Full Loaded", host.status.back());

        pane.hedText->OnDblClick(pane.hedText);
        EXPECT_EQ(1, host.toggled);
    }
    // The pane is gone; its controls stay the window's, with no handler of its left.
    auto* text = dynamic_cast<TTextEditorEx*>(window.FindComponent("hedText"));
    ASSERT_NE(nullptr, text);
    EXPECT_FALSE(text->OnDblClick);
    EXPECT_FALSE(text->OnCaretMoved);
}

TEST_F(TextPreview, MakesItsControlsOnTheMainWindow) {
    EXPECT_EQ(preview_->hedText, form_->FindComponent("hedText"));
    EXPECT_EQ(preview_->hedSearch, form_->FindComponent("hedSearch"));
    EXPECT_EQ(preview_->hedImageText, form_->FindComponent("hedImageText"));
    EXPECT_TRUE(preview_->hedText->ReadOnly());
    EXPECT_EQ(form_->pnBaseText, preview_->hedText->Parent());
    EXPECT_EQ(form_->pnTextSearch, preview_->hedSearch->Parent());
}

TEST_F(TextPreview, AFileOfExactlyTheLimitLoadsWholeAndOneByteMoreIsCut) {
    Preview(Write("exact.txt", std::string(4096, 'a')));
    EXPECT_EQ(std::string(4096, 'a'), Shown());
    EXPECT_TRUE(form_->FullyLoaded);
    EXPECT_FALSE(form_->sbFileFullLoad->Enabled());
    EXPECT_FALSE(form_->mmFileFullLoad->Enabled());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] " " Full Loaded")) << form_->lFileInfo->Caption();

    Preview(Write("more.txt", std::string(4097, 'b')));
    EXPECT_EQ(std::string(4096, 'b') + "\r\n", Shown()) << "the cut text is set as text";
    EXPECT_FALSE(form_->FullyLoaded);
    EXPECT_TRUE(form_->sbFileFullLoad->Enabled());
    EXPECT_TRUE(form_->mmFileFullLoad->Enabled());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), " 100.0 % Loaded")) << form_->lFileInfo->Caption();

    Preview(Write("half.txt", std::string(8192, 'c')));
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), " 50.0 % Loaded"));
}

TEST_F(TextPreview, TheCutKeepsALoneLeadByteAndStopsAtNul) {
    std::string bytes(4095, 'x');
    bytes += "\x8A\xBF" + std::string(100, 'y');
    Preview(Write("lead.txt", bytes));
    const std::string& row = std::string(preview_->hedText->List().Strings(0));
    ASSERT_EQ(4096u, row.size());
    EXPECT_EQ('\x8A', row.back());

    std::string nul = "before";
    nul += '\0';
    nul += std::string(5000, 'z');
    Preview(Write("zero.txt", nul));  // "nul" would name the device
    EXPECT_EQ("before\r\n", Shown());
}

TEST_F(TextPreview, FullLoadReadsTheRestOnceAndZThenDoesNothing) {
    const std::string path = Write("long.txt", std::string(5000, 'q') + "\r\nend\r\n");
    Preview(path);
    ASSERT_FALSE(form_->FullyLoaded);
    WORD z = 'Z';
    form_->PreviewKey(z, 0);
    EXPECT_EQ(std::string(5000, 'q') + "\r\nend\r\n", Shown());
    EXPECT_TRUE(form_->FullyLoaded);
    EXPECT_FALSE(form_->sbFileFullLoad->Enabled());
    EXPECT_FALSE(form_->mmFileFullLoad->Enabled());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), " Full Loaded"));
    preview_->hedText->SetCaret(1, 1);
    z = 'Z';
    form_->PreviewKey(z, 0);
    EXPECT_EQ(1, preview_->hedText->Row()) << "the second Z reloads nothing";
    // Shift+Z is no command: a partial text stays partial.
    Preview(Write("long2.txt", std::string(5000, 'r') + "\r\nend\r\n"));
    WORD shifted = 'Z';
    form_->PreviewKey(shifted, ssShift);
    EXPECT_FALSE(form_->FullyLoaded);
}

TEST_F(TextPreview, AVanishedFileOrOneThatCannotBeOpenedLeavesThePane) {
    Preview(Write("first.txt", "first\r\n"));
    EXPECT_FALSE(preview_->LoadPreviewText(preview_->hedText, dir_ / "gone.txt", 4, false));
    EXPECT_EQ("first\r\n", Shown());
    EXPECT_TRUE(boxes_.empty());

    const std::string locked = Write("locked.txt", std::string(9000, 'l'));
    HANDLE h = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_FALSE(preview_->LoadPreviewText(preview_->hedText, locked, 4, false));
    CloseHandle(h);
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes_[0].beep);
    EXPECT_EQ("ファイルの読み込みに失敗しました", boxes_[0].text);
    EXPECT_EQ("first\r\n", Shown());
}

TEST_F(TextPreview, BinaryBytesAndAHugeSingleLineAreShown) {
    std::string all;
    for (int i = 1; i < 256; ++i) all += static_cast<char>(i);
    form_->PartialRead = false;
    Preview(Write("binary.bin", all + all));
    EXPECT_TRUE(form_->FullyLoaded);
    preview_->hedText->Repaint();

    Preview(Write("huge.txt", std::string(50u << 20, 'h')));
    ASSERT_EQ(1, preview_->hedText->List().Count());
    EXPECT_EQ(50u << 20, preview_->hedText->List().Strings(0).size());
    preview_->hedText->Invalidate();
    preview_->hedText->Repaint();
    preview_->hedText->SetCaret(0, 300);
    EXPECT_EQ(300, preview_->hedText->Col());
}

TEST_F(TextPreview, SearchListsTheRowsAndJumpsToThem) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += i == 0 || i == 41 ? "has needle here\r\n" : "plain row\r\n";
    Preview(Write("search.txt", text));
    Answer("needle");
    preview_->Search();
    EXPECT_TRUE(form_->pnTextSearch->Visible());
    EXPECT_TRUE(form_->spText->Visible());
    ASSERT_EQ(2, preview_->hedSearch->Lines().Count());
    EXPECT_EQ("[    1]has needle here", preview_->hedSearch->Lines().Get(0));
    EXPECT_EQ("[   42]has needle here", preview_->hedSearch->Lines().Get(1));
    EXPECT_EQ("needle", preview_->hedText->SearchHitString());
    EXPECT_EQ("needle", preview_->hedSearch->SearchHitString());
    EXPECT_EQ(0, preview_->hedText->TopRow()) << "filling the results jumps nowhere";

    preview_->hedSearch->SetCaret(1, 3);
    EXPECT_EQ(41, preview_->hedText->TopRow());
    EXPECT_EQ(41, preview_->hedText->Row());
    EXPECT_EQ("    42", form_->lgTextY->Caption());
    preview_->hedSearch->SetCaret(0, 0);
    EXPECT_EQ(0, preview_->hedText->TopRow());

    Answer("missing");
    preview_->Search();
    EXPECT_FALSE(form_->pnTextSearch->Visible());
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("検索文字はみつかりませんでした", boxes_[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes_[0].beep);

    // A new file clears the highlights and hides the results.
    Preview(Write("other.txt", "needle\r\n"));
    EXPECT_EQ("", preview_->hedText->SearchHitString());
    EXPECT_EQ("", preview_->hedSearch->SearchHitString());
}

TEST_F(TextPreview, SearchLoadsAPartialTextWholeFirst) {
    Preview(Write("tail.txt", std::string(5000, 'a') + "\r\nthe tail\r\n"));
    Answer("tail");
    preview_->Search();
    EXPECT_TRUE(form_->FullyLoaded);
    ASSERT_EQ(1, preview_->hedSearch->Lines().Count());
    EXPECT_EQ("[    2]the tail", preview_->hedSearch->Lines().Get(0));
}

TEST_F(TextPreview, CaretLedsShowColumnAndRowFromOne) {
    Preview(Write("leds.txt", "abc\r\ndefgh\r\n"));
    EXPECT_EQ("     1", form_->lgTextX->Caption());
    preview_->hedText->SetCaret(1, 4);
    EXPECT_EQ("     5", form_->lgTextX->Caption());
    EXPECT_EQ("     2", form_->lgTextY->Caption());
}

TEST_F(TextPreview, HyperlinksOpenOnlyWhenSwitchedOn) {
    Preview(Write("links.txt", "see http://example.com/x or me@example.com\r\n"));
    TTextEditorEx* ed = preview_->hedText;
    ed->SetFocus();
    ASSERT_TRUE(ed->Focused());
    auto at = [&](int col) {
        return POINT{ed->Margin().Left() + col * ed->ColWidth() + 1, ed->Margin().Top() + 1};
    };
    preview_->TextMouseMove(ed, 0, at(6).x, at(6).y);
    EXPECT_EQ("【オプション】－【テキストハイパーリンク】メニュー選択でジャンプする様になります",
              form_->sbMAIN->PanelText(1));
    ed->SetCaret(0, 6);
    preview_->TextClick(ed);
    EXPECT_TRUE(opened_.empty());

    form_->sbOptionHyperLink->SetDown(true);
    preview_->TextMouseMove(ed, 0, at(6).x, at(6).y);
    EXPECT_EQ("クリックするとジャンプします", form_->sbMAIN->PanelText(1));
    EXPECT_EQ(crHandPoint, ed->Cursor);
    preview_->TextMouseMove(ed, 0, at(1).x, at(1).y);
    EXPECT_EQ("", form_->sbMAIN->PanelText(1));
    EXPECT_EQ(crIBeam, ed->Cursor);
    preview_->TextClick(ed);
    ASSERT_EQ(1u, opened_.size());
    EXPECT_EQ("http://example.com/x", opened_[0]);
    ed->SetCaret(0, 30);
    preview_->TextClick(ed);
    ASSERT_EQ(2u, opened_.size());
    EXPECT_EQ("mailto:me@example.com", opened_[1]);
}

TEST_F(TextPreview, CopyAndSelectAllActOnTheFocusedTextControl) {
    Preview(Write("copy.txt", "copy me\r\n"));
    form_->Show();
    form_->SetFocus();
    preview_->SelectAllFocused();
    EXPECT_FALSE(preview_->hedText->Selected()) << "no text control has the focus";
    form_->sbEditSelAll->Click();
    EXPECT_TRUE(preview_->hedText->Selected());
    form_->sbEditCopy->Click();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ("copy me\r\n", std::string(static_cast<const char*>(GlobalLock(h))));
    GlobalUnlock(h);
    CloseClipboard();
}

TEST_F(TextPreview, OtherEncodingsAreDetectedShownInCp932AndNamedBesideTheSize) {
    // Files iconv wrote: each shows exactly what the CP932 file shows.
    Preview(Write("prose.txt", EncodedText("prose.cp932")));
    const std::string expected = Shown();
    ASSERT_GT(preview_->hedText->Lines().Count(), 10);
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "]  Full Loaded")) << "Shift-JIS: no name, as ever";
    EXPECT_EQ(teShiftJis, preview_->TextEncoding);
    const struct {
        const char* ext;
        const char* name;
    } files[] = {{"u8", "UTF-8"},       {"u8bom", "UTF-8"}, {"u16le", "UTF-16LE"},
                 {"u16be", "UTF-16BE"}, {"euc", "EUC-JP"},  {"jis", "JIS"}};
    for (const auto& f : files) {
        Preview(Write(std::string("prose.") + f.ext, EncodedText(std::string("prose.") + f.ext)));
        EXPECT_EQ(expected, Shown()) << f.ext;
        EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), std::string("] ") + f.name + " Full Loaded"))
            << form_->lFileInfo->Caption();
        EXPECT_TRUE(form_->FullyLoaded);
    }
}

TEST_F(TextPreview, APartialLoadCountsFileBytesAndLeavesOutTheCharacterItCuts) {
    // 2 + 3 x 2000 bytes of UTF-8: the 4096th byte is inside a character.
    std::string utf8 = "ab";
    for (int i = 0; i < 2000; ++i) utf8 += u8"\u3042";
    const std::string path = Write("cut.txt", utf8);
    Preview(path);
    std::string kana;
    for (int i = 0; i < 1364; ++i) kana += "あ";
    EXPECT_EQ("ab" + kana + "\r\n", Shown());
    EXPECT_FALSE(form_->FullyLoaded);
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] UTF-8 68.2 % Loaded")) << form_->lFileInfo->Caption();
    // Z reads the rest in the same encoding.
    WORD z = 'Z';
    form_->PreviewKey(z, 0);
    EXPECT_TRUE(form_->FullyLoaded);
    for (int i = 1364; i < 2000; ++i) kana += "あ";
    EXPECT_EQ("ab" + kana, Shown());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] UTF-8 Full Loaded")) << form_->lFileInfo->Caption();

    // UTF-16: the NUL bytes of ASCII characters do not end the partial text.
    std::string utf16 = "\xff\xfe";
    for (int i = 0; i < 3000; ++i) utf16 += std::string(i % 50 == 49 ? "\n" : "x") + '\0';
    Preview(Write("wide.txt", utf16));
    // 4094 bytes after the mark: 2047 characters, 40 of them line ends.
    ASSERT_EQ(41, preview_->hedText->Lines().Count());
    EXPECT_EQ(std::string(49, 'x'), preview_->hedText->Lines().Get(0));
    EXPECT_EQ(std::string(47, 'x'), preview_->hedText->Lines().Get(40));
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] UTF-16LE 68.2 % Loaded")) << form_->lFileInfo->Caption();
}

TEST_F(TextPreview, TheEncodingMenuReloadsTheTextAndItsChoiceIsKept) {
    TMenuItem* autoItem = Item("mmEncodingAuto");
    ASSERT_NE(nullptr, autoItem);
    EXPECT_EQ("文字コード", Item("mmEditEncoding")->Caption());
    EXPECT_EQ(form_->mmEditEncoding, autoItem->Parent());
    EXPECT_EQ("自動判別", autoItem->Caption());
    const char* names[] = {"mmEncodingShiftJis", "mmEncodingUtf8", "mmEncodingUtf16Le",
                           "mmEncodingUtf16Be",  "mmEncodingEucJp", "mmEncodingJis"};
    const char* captions[] = {"Shift_JIS", "UTF-8", "UTF-16LE", "UTF-16BE", "EUC-JP", "JIS"};
    for (int i = 0; i < kTextEncodingCount; ++i) {
        ASSERT_NE(nullptr, Item(names[i]));
        EXPECT_EQ(captions[i], Item(names[i])->Caption());
        EXPECT_FALSE(Item(names[i])->Checked());
    }
    EXPECT_TRUE(autoItem->Checked());

    const std::string euc = Write("old.txt", EncodedText("prose.euc"));
    Preview(euc);
    const std::string right = Shown();
    EXPECT_EQ(teEucJp, preview_->TextEncoding);
    // Shift_JIS: the same file again, its bytes as they are.
    Item("mmEncodingShiftJis")->Click();
    EXPECT_EQ(teShiftJis, preview_->TextEncoding);
    EXPECT_NE(right, Shown());
    EXPECT_EQ(0u, Shown().find(EncodedText("prose.euc").substr(0, 8)));
    EXPECT_TRUE(Item("mmEncodingShiftJis")->Checked());
    EXPECT_FALSE(autoItem->Checked());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "]  Full Loaded"));
    // The choice holds for the next file too, until it changes.
    const std::string utf8 = Write("new.txt", EncodedText("prose.u8"));
    Preview(utf8);
    EXPECT_EQ(teShiftJis, preview_->TextEncoding);
    Item("mmEncodingUtf8")->Click();
    EXPECT_EQ(right, Shown());
    autoItem->Click();
    EXPECT_EQ(right, Shown());
    EXPECT_EQ(teUtf8, preview_->TextEncoding);
    Preview(euc);
    EXPECT_EQ(right, Shown());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] EUC-JP Full Loaded"));

    // A whole text stays whole after the change; a partial one partial.
    const std::string longEuc = EncodedText("prose.euc") + EncodedText("prose.euc") +
                                EncodedText("prose.euc") + EncodedText("prose.euc") + EncodedText("prose.euc");
    Preview(Write("long.txt", longEuc));
    ASSERT_FALSE(form_->FullyLoaded);
    Item("mmEncodingJis")->Click();
    EXPECT_FALSE(form_->FullyLoaded);
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] JIS 82.9 % Loaded")) << form_->lFileInfo->Caption();
    WORD z = 'Z';
    form_->PreviewKey(z, 0);
    Item("mmEncodingEucJp")->Click();
    EXPECT_TRUE(form_->FullyLoaded);
    EXPECT_EQ(right + right + right + right + right, Shown());
    EXPECT_TRUE(EndsWith(form_->lFileInfo->Caption(), "] EUC-JP Full Loaded"));

    // Kept in the environment data file, in the "Setting" section.
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    delete form_;
    form_ = nullptr;
    EXPECT_EQ("EUC-JP", TIniFile(dir_ / "Quillmark.INI").ReadString("Setting", "TextEncoding", ""));
    Start();
    EXPECT_FALSE(form_->TextEncoding.Auto);
    EXPECT_EQ(teEucJp, form_->TextEncoding.Fixed);
    EXPECT_TRUE(Item("mmEncodingEucJp")->Checked());
    EXPECT_FALSE(Item("mmEncodingAuto")->Checked());
    form_->TextPreview->ChooseEncoding(TTextEncodingChoice{});
    form_->FormClose(form_, action);
    delete form_;
    form_ = nullptr;
    EXPECT_EQ("Auto", TIniFile(dir_ / "Quillmark.INI").ReadString("Setting", "TextEncoding", ""));
    // A file without the key, or with a value nobody wrote, means detection.
    TIniFile(dir_ / "Quillmark.INI").WriteString("Setting", "TextEncoding", "EBCDIC");
    Start();
    EXPECT_TRUE(form_->TextEncoding.Auto);
    EXPECT_TRUE(Item("mmEncodingAuto")->Checked());
}

TEST_F(TextPreview, SearchAndCopyWorkOnTheTextAsShown) {
    Preview(Write("search.txt", EncodedText("prose.u16be")));
    Answer("図書館");
    preview_->Search();
    ASSERT_EQ(2, preview_->hedSearch->Lines().Count());
    EXPECT_EQ("[    1]雨の日の図書館", preview_->hedSearch->Lines().Get(0));
    EXPECT_EQ(0u, preview_->hedSearch->Lines().Get(1).find("[    3]朝から細い雨が降っていた。"));
    form_->Show();
    form_->sbEditSelAll->Click();
    form_->sbEditCopy->Click();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    const std::string copied(static_cast<const char*>(GlobalLock(h)));
    GlobalUnlock(h);
    CloseClipboard();
    EXPECT_EQ(Shown(), copied);
    EXPECT_EQ(0u, copied.find("雨の日の図書館\r\n"));
}

TEST_F(TextPreview, GuidanceLabelsClearAfterAnArchiveAndAWave) {
    form_->ShowInformation(form_->LastInformationText, "a.lzh");
    EXPECT_FALSE(Info(5).empty());
    EXPECT_TRUE(form_->sbInformation->Visible());
    form_->ShowInformation(form_->LastInformationText, "b.wav");
    for (int i = 0; i < 10; ++i) EXPECT_EQ("", Info(i));
    EXPECT_FALSE(form_->lInformationTitle->Visible());
    EXPECT_FALSE(form_->sbInformation->Visible());
}

}  // namespace
