// The text preview of the main window: the text controls hedText,
// hedSearch and hedImageText, loading the first kilobytes (or all) of a
// file, the load status, the full load, the text search with its result
// pane, the caret LEDs, copy and select all, and the hyperlinks.
#pragma once
#include <functional>
#include <string>

#include "app/pane_hosts.h"
#include "app/text_encoding_choice.h"
#include "textview/text_editor_ex_win.h"
#include "ui/extctrls.h"

class TLedGroup;

// The window's panels and counters the text preview works in; the window
// makes them, the pane fills them.
struct TTextPreviewParts {
    TComponent* Owner;         // frees the controls (and finds them by name)
    TPanel* Base;              // pnBaseText
    TPanel* ResultPanel;       // pnTextSearch, above the text
    TSplitter* ResultSplitter; // spText
    TPanel* ImageTextPanel;    // pnImageText, the picture's companion text
    TLedGroup *CaretCol, *CaretRow;
};

class TTextPreview {
public:
    // Makes the three text controls in the parts given and binds their events.
    TTextPreview(TTextPreviewHost& host, const TTextPreviewParts& parts);
    // The controls stay the owner's, with nothing of ours left attached.
    ~TTextPreview();
    TTextPreview(const TTextPreview&) = delete;
    TTextPreview& operator=(const TTextPreview&) = delete;

    TTextEditorEx* hedText;
    TTextEditorEx* hedSearch;
    TTextEditorEx* hedImageText;

    // Fills the editor with the whole file or its first limitKB kilobytes
    // (limitKB x 1024 bytes of the file, whatever its encoding), in the
    // encoding the main window's choice gives it; true when the whole file
    // was loaded. LastEncoding is then the encoding it was read in.
    bool LoadPreviewText(TTextEditorEx* editor, const std::string& path, int limitKB, bool loadAll);
    TTextEncoding LastEncoding = teShiftJis;
    // The encoding of the text hedText shows.
    TTextEncoding TextEncoding = teShiftJis;
    // lFileInfo := information prefix + the encoding (none for Shift-JIS) +
    // the share loaded or " Full Loaded".
    void ShowLoadStatus(long long size, int limitKB);
    // Reloads the current file whole (Z, menu, button).
    void FullLoad();
    // The text menu's encoding submenu: the choice becomes the main window's
    // and the current text is read again in it, as whole as it was.
    void ChooseEncoding(const TTextEncodingChoice& choice);
    // Asks for a text and lists the rows of hedText that hold it.
    void Search();
    // The search itself; answers the number of result lines. The result
    // pane shows them when there are any.
    int SearchRows(const std::string& text);
    // The caret of hedSearch went to a result line: show that row of hedText.
    void JumpToResult();
    void UpdateCaretLeds();
    // Copy and select all on the focused text control (nothing when the
    // focus is elsewhere).
    void CopyFocused();
    void SelectAllFocused();
    // The hyperlink click and the hint while the mouse moves over a text.
    void TextClick(TObject* Sender);
    void TextMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    // The text branch of the preview manager for a text file; `whole` loads
    // it whole even when the partial read is on.
    void PreviewText(const std::string& path, bool whole = false);

    // Opens a URL or "mailto:" address; the shell by default.
    std::function<void(const std::string& target)> OpenLink;

private:
    TTextEditorEx* MakeEditor(TWinControl* parent, const char* name);
    TTextEditorEx* FocusedEditor() const;
    void ShowResultPane(bool shown);

    TTextPreviewHost& host_;
    TTextPreviewParts parts_;
    bool filling_results_ = false;
};

// Size from a directory search, any attributes; -1 when there is no such file.
long long FoundFileSize(const std::string& path);
// The designed look of the main window's text controls.
void ApplyTextDesign(TTextEditorEx& editor);
