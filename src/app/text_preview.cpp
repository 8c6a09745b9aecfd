#include "app/text_preview.h"

#include <cstring>
#include <memory>

#include "app/file_info_line.h"
#include "app/text_design.h"
#include "app/text_search_rows.h"
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
    auto* e = new TTextEditorEx(parts_.Owner, parent);
    e->Name = name;
    ApplyTextDesign(*e);
    e->SetAlign(alClient);
    e->OnClick = [this](TObject* s) { TextClick(s); };
    e->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { TextMouseMove(s, shift, x, y); };
    e->OnDblClick = [this](TObject* s) { host_.TogglePreviewArea(s); };
    return e;
}

TTextPreview::TTextPreview(TTextPreviewHost& host, const TTextPreviewParts& parts)
    : host_(host), parts_(parts) {
    OpenLink = [](const std::string& target) {
        ShellExecuteA(nullptr, "OPEN", target.c_str(), "", "", SW_SHOWNORMAL);
    };
    hedText = MakeEditor(parts.Base, "hedText");
    hedSearch = MakeEditor(parts.ResultPanel, "hedSearch");
    hedImageText = MakeEditor(parts.ImageTextPanel, "hedImageText");
    hedText->OnCaretMoved = [this](TObject*) { UpdateCaretLeds(); };
    hedSearch->OnCaretMoved = [this](TObject*) { JumpToResult(); };
}

TTextPreview::~TTextPreview() {
    for (TTextEditorEx* e : {hedText, hedSearch, hedImageText}) {
        e->OnClick = nullptr;
        e->OnMouseMove = nullptr;
        e->OnDblClick = nullptr;
        e->OnCaretMoved = nullptr;
    }
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
    const TTextEncoding encoding = host_.EncodingChoice().ForFile(path);
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
            TellUser(TSeverity::Warning, "ファイルの読み込みに失敗しました");
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
    host_.ShowFileStatus(EncodingText(TextEncoding) + LoadStatusText(host_.PartialReadOn(), size, limitKB));
}

void TTextPreview::FullLoad() {
    if (!parts_.Base->Visible() || !FileExists(host_.CurrentFile())) return;
    THourGlass hourglass;
    try {
        hedText->Lines().LoadFromFile(host_.CurrentFile(), TextEncoding);
    } catch (...) {
    }
    host_.ShowFileStatus(EncodingText(TextEncoding) + LoadStatusText(false, 0, host_.ReadLimitKBytes()));
    host_.SetTextFullyLoaded(true);
    if (hedText->CanFocus()) hedText->SetFocus();
}

void TTextPreview::ShowResultPane(bool shown) {
    parts_.Base->DisableAlign();
    parts_.ResultPanel->SetVisible(shown);
    parts_.ResultSplitter->SetVisible(shown);
    parts_.Base->EnableAlign();
}

void TTextPreview::Search() {
    std::string text;
    if (!InputQuery("文字の検索", "検索したい文字を入れてください", text)) return;
    if (!host_.TextFullyLoaded()) FullLoad();
    if (!Trim(text).empty()) SearchRows(text);
    const bool found = hedSearch->List().Count() > 0;
    ShowResultPane(found);
    if (!found) TellUser(TSeverity::Information, "検索文字はみつかりませんでした", TAnswers::Ok, kExclamationSound);
}

int TTextPreview::SearchRows(const std::string& text) {
    THourGlass hourglass;
    filling_results_ = true;
    const TTextEditorScreenStrings& rows = hedText->List();
    const TTextSearchResult found =
        SearchTextRows(rows.Count(), [&rows](int i) { return rows.Strings(i); }, text);
    hedSearch->Lines().SetText(found.Lines);
    filling_results_ = false;
    if (found.Count > 0) {
        hedSearch->SetSearchHitString(text);
        hedText->SetSearchHitString(text);
    }
    return found.Count;
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
        const std::optional<int> row = ResultLineRow(hedSearch->Lines().Get(r));
        if (!row) return;
        target = *row;
    }
    if (target < 0 || target > hedText->Lines().Count()) return;
    hedText->SetTopRow(target);
    hedText->SetRow(target);
    UpdateCaretLeds();
}

void TTextPreview::UpdateCaretLeds() {
    parts_.CaretCol->SetCaption(Format("%6d", hedText->Col() + 1));
    parts_.CaretRow->SetCaption(Format("%6d", hedText->Row() + 1));
    parts_.CaretCol->Repaint();
    parts_.CaretRow->Repaint();
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
    if (!host_.HyperlinksOn()) return;
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
    if (!host_.HyperlinksOn()) {
        if (link) hint = "【オプション】－【テキストハイパーリンク】メニュー選択でジャンプする様になります";
        e->Cursor = crIBeam;
    } else {
        e->Cursor = link ? crHandPoint : crIBeam;
        if (link) hint = "クリックするとジャンプします";
        if (Screen.Cursor() == crDefault) SetCursor(LoadCursor(nullptr, link ? IDC_HAND : IDC_IBEAM));
    }
    host_.ShowStatusHint(hint);
}

void TTextPreview::PreviewText(const std::string& path, bool whole) {
    hedText->SetSearchHitString("");
    hedSearch->SetSearchHitString("");
    ShowResultPane(false);
    const bool loaded_whole =
        LoadPreviewText(hedText, path, host_.ReadLimitKBytes(), whole || !host_.PartialReadOn());
    if (FileExists(path)) TextEncoding = LastEncoding;
    host_.SetTextFullyLoaded(loaded_whole);
    host_.WriteFileInformation(path, 0);
    UpdateCaretLeds();
    host_.EncodingChoiceChanged();
    if (whole)
        host_.ShowFileStatus(EncodingText(TextEncoding) + LoadStatusText(false, 0, host_.ReadLimitKBytes()));
    else
        ShowLoadStatus(FoundFileSize(path), host_.ReadLimitKBytes());
}

void TTextPreview::ChooseEncoding(const TTextEncodingChoice& choice) {
    host_.EncodingChoice() = choice;
    host_.EncodingChoiceChanged();
    if (!parts_.Base->Visible() || !FileExists(host_.CurrentFile())) return;
    // A copy: the preview changes what the host holds.
    const std::string path = host_.CurrentFile();
    PreviewText(path, host_.TextFullyLoaded());
}
