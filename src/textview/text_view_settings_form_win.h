// The text-view settings window: five pages (font and caret, colours and
// styles, brackets, keywords, word wrap) that edit a copy of a text
// control's settings, shown at once in three preview controls. Saving
// checks the bracket pairs and gives the copy back to the control;
// cancelling leaves the control as it was.
#pragma once
#include <string>
#include <vector>

#include "settings/dialog_controls_win.h"
#include "textview/text_editor_ex_win.h"
#include "textview/text_editor_prop.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/forms.h"

// The page the window opens on: the part of the settings the caller asked for.
enum TTextViewSettingsPage { tvpColor, tvpBracket, tvpCaret, tvpWrap };

// The targets of the colour page's list, in list order.
enum TColorTarget {
    ctBackground, ctAnk, ctComment, ctDBCS, ctInt, ctStr, ctSymbol, ctUrl, ctMail, ctSelect,
    ctSearchHit, ctEofMark, ctRetMark, ctUnderline
};

class TfoTextViewSettings : public TForm {
public:
    TfoTextViewSettings(TComponent* owner, TTextEditorEx& control, TTextViewSettingsPage startPage);

    // The copy being edited and the window's own copies of the keyword list
    // and the search-hit colours.
    TTextEditorProp Prop;
    TKeyWordList KeyWords;
    TColor SearchHitColorFront, SearchHitColorBack;
    TFontStyles SearchHitFontStyle;

    // --- handlers ---------------------------------------------------------------
    // Checks the bracket pairs; gives everything to the control and closes
    // with OK when they are sound, else reports the first bad pair.
    void bbSaveClick(TObject* Sender);
    void ColorTargetClick(TObject* Sender);
    void ColorGridSelect(TObject* Sender, int button, TColor color);
    void ColorStyleClick(TObject* Sender);
    // The three "統一" buttons of the colour page and of the bracket page.
    void SameBkColorClick(TObject* Sender);
    void SameColorClick(TObject* Sender);
    void SameStyleClick(TObject* Sender);
    void BracketListClick(TObject* Sender);
    void BracketAddClick(TObject* Sender);
    void BracketDeleteClick(TObject* Sender);
    void BracketApplyClick(TObject* Sender);
    void BracketGridSelect(TObject* Sender, int button, TColor color);
    void BracketStyleClick(TObject* Sender);
    void KeywordListClick(TObject* Sender);
    void KeywordAddClick(TObject* Sender);
    void KeywordDeleteClick(TObject* Sender);
    void KeywordChangeClick(TObject* Sender);
    void KeywordGridSelect(TObject* Sender, int button, TColor color);
    void KeywordStyleClick(TObject* Sender);
    void VariablePitchClick(TObject* Sender);

    // Fixed-pitch font names (or all), never the vertical '@' ones, sorted.
    static std::vector<std::string> FontNames(bool variablePitch);
    // The confirmation texts of the "統一" buttons.
    std::string SameBkColorText() const;
    std::string SameColorText() const;
    std::string SameStyleText() const;

    // --- components ---------------------------------------------------------------
    TPageControl* pcSettings;
    TTabSheet *tsFontCaret, *tsColor, *tsBracket, *tsKeyword, *tsWrap;
    TButton *bbSave, *bbCancel;
    TTextEditorEx *hedFontPreview, *hedColorPreview, *hedBracketPreview;
    // font and caret
    TListBox *lbFont, *lbFontSize;
    TEdit* edFontSize;
    TCheckBox* chbVariablePitch;
    TGroupBox* gbCaret;
    TCheckBox *chbAutoIndent, *chbPrevSpaceIndent, *chbFreeCaret, *chbInTab, *chbLockScroll, *chbNextLine,
        *chbTabIndent, *chbSoftTab, *chbKeepCaret;
    TSpinEdit* seTabSpaceCount;
    TRadioGroup *rgCaretStyle, *rgScrollBars;
    // colours and styles
    TListBox* lbColorTarget;
    TColorGrid* cgColor;
    TCheckBox *chbBold, *chbItalic, *chbUnderline;
    TEdit *edHexPrefix, *edQuotation, *edCommenter;
    TCheckBox *chbControlCode, *chbUrl, *chbMail;
    TGroupBox *gbMargin, *gbMark;
    TSpinEdit *seMarginTop, *seMarginLeft, *seMarginLine, *seMarginCharacter;
    TCheckBox *chbMarkUnderline, *chbMarkRet, *chbMarkEof;
    TButton *bbSameBkColor, *bbSameColor, *bbSameStyle;
    // brackets
    TListBox* lbBrackets;
    TButton *bbBracketAdd, *bbBracketDelete, *bbBracketApply;
    TColorGrid* cgBracket;
    TCheckBox *chbBracketBold, *chbBracketItalic, *chbBracketUnderline;
    TButton *bbBracketSameBkColor, *bbBracketSameColor, *bbBracketSameStyle;
    TGroupBox* gbBracketPair;
    TEdit *edLeftBracket, *edRightBracket;
    // keywords
    TListBox* lbKeywords;
    TEdit *edKeyword, *mmKeywordHelp;
    TButton *bbKeywordAdd, *bbKeywordDelete, *bbKeywordChange;
    TColorGrid* cgKeyword;
    TCheckBox *chbKeywordBold, *chbKeywordUnderline, *chbKeywordItalic;
    // word wrap
    TCheckBox* chbWordWrap;
    TEdit *edFollowStr, *edLeadStr, *edPunctuationStr;
    TButton *bbFollowStrDefault, *bbLeadStrDefault, *bbPunctuationStrDefault;
    TSpinEdit* seWrapByte;
    TCheckBox *chbFollowPunctuation, *chbFollowRetMark, *chbLeading, *chbWordBreak;

private:
    void BuildFontCaretPage();
    void BuildColorPage();
    void BuildBracketPage();
    void BuildKeywordPage();
    void BuildWrapPage();
    void BindControls();
    // Controls from the copy (nothing is written back meanwhile).
    void FillControls();
    void FillFontList();
    void ShowColorTarget();
    void FillBracketList(int select);
    void ShowBracket();
    void ShowKeyword();
    void RefreshPreviews();
    bool Confirm(const std::string& text);
    TTextEditorColor* TokenEntry(int target);
    void DrawKeyword(HDC dc, int index, const RECT& rect, bool selected);
    void DrawBracket(HDC dc, int index, const RECT& rect, bool selected);

    TTextEditorEx& control_;
    // Set while controls are filled from the copy, so their change events
    // do not write back.
    int filling_ = 0;
};

// Opens the window on a copy of the control's settings; true when the user
// saved (the control then has the new settings).
bool EditTextViewSettings(TComponent* owner, TTextEditorEx& control, TTextViewSettingsPage startPage);
