#include "app/text_preview.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/file_info_line.h"
#include "app/main_form.h"
#include "app/text_design.h"
#include "base/files.h"
#include "base/strutil.h"
#include "media/led_group.h"
#include "ui/dialogs.h"

long long FoundFileSize(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return -1;
    FindClose(h);
    return (static_cast<long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
}

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

} // namespace

void ApplyTextDesign(TTextEditorEx& e) {
    e.Color = clNavy;
    TFont font = e.Font;
    font.Name = "FixedSys";
    font.Height = 15;
    font.Color = clBlack;
    e.SetFont(font);
    e.SetScrollBars(ssVertical);
    ApplyTextEngineDesign(e);
    e.SetWordWrap(false);
}

TTextEditorEx* TTextPreview::MakeEditor(TWinControl* parent, const char* name) {
    auto* e = new TTextEditorEx(main_, parent);
    e->Name = name;
    ApplyTextDesign(*e);
    e->SetAlign(alClient);
    e->OnClick = [this](TObject* s) { TextClick(s); };
    e->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { TextMouseMove(s, shift, x, y); };
    e->OnDblClick = [this](TObject* s) { main_->sbHiddenPCClick(s); };
    return e;
}

TTextPreview::TTextPreview(TfoMAIN* main) : main_(main) {
    OpenLink = [](const std::string& target) {
        ShellExecuteA(nullptr, "OPEN", target.c_str(), "", "", SW_SHOWNORMAL);
    };
    hedText = MakeEditor(main->pnBaseText, "hedText");
    hedSearch = MakeEditor(main->pnTextSearch, "hedSearch");
    auto* imageText = dynamic_cast<TPanel*>(main->FindComponent("pnImageText"));
    if (!imageText) {
        imageText = new TPanel(main, main->pnBaseImage);
        imageText->Name = "pnImageText";
        imageText->BevelOuter = bvNone;
        imageText->SetHeight(100);
        imageText->SetAlign(alBottom);
        imageText->SetVisible(false);
    }
    hedImageText = MakeEditor(imageText, "hedImageText");

    hedText->OnCaretMoved = [this](TObject*) { UpdateCaretLeds(); };
    hedSearch->OnCaretMoved = [this](TObject*) { JumpToResult(); };

    // The commands of the text pane.
    main->sbFileFullLoad->OnClick = [this](TObject*) { FullLoad(); };
    main->mmFileFullLoad->OnClick = [this](TObject*) { FullLoad(); };
    main->sbEditCopy->OnClick = [this](TObject*) {
        if (hedText->CanFocus()) hedText->SetFocus();
        CopyFocused();
    };
    main->sbEditSelAll->OnClick = [this](TObject*) {
        if (hedText->CanFocus()) hedText->SetFocus();
        SelectAllFocused();
    };
    main->sbEditSearch->OnClick = [this](TObject*) { Search(); };
    if (auto* item = dynamic_cast<TMenuItem*>(main->FindComponent("mmEditCopy")))
        item->OnClick = [this](TObject*) { CopyFocused(); };
    if (auto* item = dynamic_cast<TMenuItem*>(main->FindComponent("mmEditSelAll")))
        item->OnClick = [this](TObject*) { SelectAllFocused(); };
    if (auto* item = dynamic_cast<TMenuItem*>(main->FindComponent("mmEditSearch")))
        item->OnClick = [this](TObject*) { Search(); };
    main->mmEncodingAuto->OnClick = [this](TObject*) { ChooseEncoding(TTextEncodingChoice{}); };
    for (int i = 0; i < kTextEncodingCount; ++i) {
        const TTextEncodingChoice fixed{false, static_cast<TTextEncoding>(i)};
        main->mmEncoding[i]->OnClick = [this, fixed](TObject*) { ChooseEncoding(fixed); };
    }
    UpdateEncodingMenu();
}

bool TTextPreview::LoadPreviewText(TTextEditorEx* editor, const std::string& path, int limitKB,
                                   bool loadAll) {
    if (!FileExists(path)) return false;
    THourGlass hourglass;
    editor->SetSearchHitString("");
    const long long size = FoundFileSize(path);
    const long long limit = static_cast<long long>(limitKB < 0 ? 0 : limitKB) * 1024;  // a hand-edited negative limit reads nothing
    // Told from the first bytes of the file, however much of it is shown, so
    // a partial and a full load agree.
    const TTextEncoding encoding = main_->TextEncoding.ForFile(path);
    LastEncoding = encoding;
    bool whole = true;
    if (loadAll || size <= limit) {
        try {
            editor->Lines().LoadFromFile(path, encoding);
        } catch (...) {
            // A failing whole load shows what there is, without a message.
        }
    } else {
        whole = false;
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.ok()) {
            BeepBox(MB_ICONEXCLAMATION, "ファイルの読み込みに失敗しました", MB_OK | MB_ICONEXCLAMATION);
        } else {
            std::unique_ptr<char[]> buffer(new char[static_cast<std::size_t>(limit) + 1]);
            DWORD read = 0;
            if (!ReadFile(file.get(), buffer.get(), static_cast<DWORD>(limit), &read, nullptr)) read = 0;
            buffer[read] = '\0';
            // In Shift-JIS a NUL byte ends the text there; other encodings
            // show the whole characters of the bytes read.
            if (encoding == teShiftJis)
                editor->Lines().SetText(std::string_view(buffer.get(), std::strlen(buffer.get())));
            else
                editor->Lines().SetText(PartialText(std::string_view(buffer.get(), read), encoding));
        }
    }
    editor->SetTopRow(0);
    editor->Invalidate();
    editor->Update();
    return whole;
}

void TTextPreview::ShowLoadStatus(long long size, int limitKB) {
    main_->lFileInfo->SetCaption(main_->InformationPrefix + EncodingText(TextEncoding) +
                                 LoadStatusText(main_->PartialRead, size, limitKB));
}

void TTextPreview::FullLoad() {
    if (!main_->pnBaseText->Visible() || !FileExists(main_->CurrentFilePath)) return;
    THourGlass hourglass;
    try {
        hedText->Lines().LoadFromFile(main_->CurrentFilePath, TextEncoding);
    } catch (...) {
    }
    main_->lFileInfo->SetCaption(main_->InformationPrefix + EncodingText(TextEncoding) +
                                 LoadStatusText(false, 0, main_->ReadLimitKB));
    main_->sbFileFullLoad->SetEnabled(false);
    main_->mmFileFullLoad->SetEnabled(false);
    main_->FullyLoaded = true;
    if (hedText->CanFocus()) hedText->SetFocus();
}

void TTextPreview::Search() {
    std::string text;
    if (!InputQuery("文字の検索", "検索したい文字を入れてください", text)) return;
    if (!main_->FullyLoaded) FullLoad();
    if (!Trim(text).empty()) SearchRows(text);
    const bool found = hedSearch->List().Count() > 0;
    main_->pnBaseText->DisableAlign();
    main_->pnTextSearch->SetVisible(found);
    main_->spText->SetVisible(found);
    main_->pnBaseText->EnableAlign();
    if (!found) BeepBox(MB_ICONEXCLAMATION, "検索文字はみつかりませんでした", MB_OK | MB_ICONINFORMATION);
}

int TTextPreview::SearchRows(const std::string& text) {
    THourGlass hourglass;
    filling_results_ = true;
    std::string results;
    int found = 0;
    const TTextEditorScreenStrings& rows = hedText->List();
    const int count = rows.Count();
    for (int i = 0; i < count; ++i) {
        const std::string_view row = rows.Strings(i);
        if (row.find(text) == std::string_view::npos) continue;
        results += Format("[%5d]", i + 1);
        results.append(row.data(), row.size());
        results += "\r\n";
        ++found;
    }
    hedSearch->Lines().SetText(results);
    filling_results_ = false;
    if (found > 0) {
        hedSearch->SetSearchHitString(text);
        hedText->SetSearchHitString(text);
    }
    return found;
}

void TTextPreview::JumpToResult() {
    if (filling_results_) return;
    const int r = hedSearch->Row();
    const int n = hedSearch->Lines().Count();
    if (r > n) return;
    int target;
    if (r == n) {
        target = hedText->Lines().Count();
    } else {
        const std::string line = hedSearch->Lines().Get(r);
        if (line.size() < 7) return;
        const std::string digits = Trim(line.substr(1, 5));
        char* end = nullptr;
        const long value = std::strtol(digits.c_str(), &end, 10);
        if (digits.empty() || *end) return;  // not a result line
        target = static_cast<int>(value) - 1;
    }
    if (target < 0 || target > hedText->Lines().Count()) return;
    hedText->SetTopRow(target);
    hedText->SetRow(target);
    UpdateCaretLeds();
}

void TTextPreview::UpdateCaretLeds() {
    main_->lgTextX->SetCaption(Format("%6d", hedText->Col() + 1));
    main_->lgTextY->SetCaption(Format("%6d", hedText->Row() + 1));
    main_->lgTextX->Repaint();
    main_->lgTextY->Repaint();
}

TTextEditorEx* TTextPreview::FocusedEditor() const {
    return dynamic_cast<TTextEditorEx*>(TWinControl::FromHandle(GetFocus()));
}

void TTextPreview::CopyFocused() {
    if (TTextEditorEx* e = FocusedEditor()) e->CopyToClipboard();
}

void TTextPreview::SelectAllFocused() {
    if (TTextEditorEx* e = FocusedEditor()) e->SelectAll();
}

void TTextPreview::TextClick(TObject*) {
    if (!main_->sbOptionHyperLink->Down()) return;
    TTextEditorEx* e = FocusedEditor();
    if (!e) return;
    const TokenKind kind = e->TokenKindAtCaret();
    if (kind == tkUrl)
        Fire(OpenLink, e->TokenStringAtCaret());
    else if (kind == tkMail)
        Fire(OpenLink, "mailto:" + e->TokenStringAtCaret());
}

void TTextPreview::TextMouseMove(TObject* Sender, TShiftState, int X, int Y) {
    auto* e = dynamic_cast<TTextEditorEx*>(Sender);
    if (!e) return;
    TokenKind kind = tkEnd;
    e->TokenAtPos(POINT{X, Y}, &kind);
    const bool link = kind == tkUrl || kind == tkMail;
    std::string hint;
    if (!main_->sbOptionHyperLink->Down()) {
        if (link) hint = "【オプション】－【テキストハイパーリンク】メニュー選択でジャンプする様になります";
        e->Cursor = crIBeam;
    } else {
        e->Cursor = link ? crHandPoint : crIBeam;
        if (link) hint = "クリックするとジャンプします";
        if (Screen.Cursor() == crDefault) SetCursor(LoadCursor(nullptr, link ? IDC_HAND : IDC_IBEAM));
    }
    main_->sbMAIN->SetPanelText(1, hint);
    main_->sbMAIN->Update();
}

void TTextPreview::PreviewText(const std::string& path, bool whole) {
    hedText->SetSearchHitString("");
    hedSearch->SetSearchHitString("");
    main_->pnBaseText->DisableAlign();
    main_->pnTextSearch->SetVisible(false);
    main_->spText->SetVisible(false);
    main_->pnBaseText->EnableAlign();
    const bool loaded_whole = LoadPreviewText(hedText, path, main_->ReadLimitKB, whole || !main_->PartialRead);
    if (FileExists(path)) TextEncoding = LastEncoding;
    main_->sbFileFullLoad->SetEnabled(!loaded_whole);
    main_->mmFileFullLoad->SetEnabled(!loaded_whole);
    main_->FullyLoaded = loaded_whole;
    main_->WriteFileInformation(path, 0);
    UpdateCaretLeds();
    UpdateEncodingMenu();
    if (whole)
        main_->lFileInfo->SetCaption(main_->InformationPrefix + EncodingText(TextEncoding) +
                                     LoadStatusText(false, 0, main_->ReadLimitKB));
    else
        ShowLoadStatus(FoundFileSize(path), main_->ReadLimitKB);
}

void TTextPreview::ChooseEncoding(const TTextEncodingChoice& choice) {
    main_->TextEncoding = choice;
    UpdateEncodingMenu();
    if (!main_->pnBaseText->Visible() || !FileExists(main_->CurrentFilePath)) return;
    PreviewText(main_->CurrentFilePath, main_->FullyLoaded);
}

void TTextPreview::UpdateEncodingMenu() {
    const TTextEncodingChoice& c = main_->TextEncoding;
    main_->mmEncodingAuto->SetChecked(c.Auto);
    for (int i = 0; i < kTextEncodingCount; ++i)
        main_->mmEncoding[i]->SetChecked(!c.Auto && c.Fixed == i);
}
