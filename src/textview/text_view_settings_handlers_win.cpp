// The text-view settings window: what its buttons, grids and lists do.
#include <algorithm>

#include "base/sjis.h"
#include "base/strutil.h"
#include "settings/ini_values.h"
#include "textview/text_view_settings_form_win.h"
#include "ui/gdi.h"

namespace {
const char kBracketError[] = "空白 ・ 同一の LeftBracket, RightBracket は指定出来ません。";
const char kKeywordRegistered[] = "このキーワードは、既に登録されています";
const char kKeywordDelete[] = "選択されているキーワードを登録リストから\r削除します\r\rよろしいですか？";
const char kKeywordBlank[] = "空白のキーワードは登録できません";
const int kBracketPage = 2;

TFontStyles StylesOf(const TFont& f) { return f.Styles(); }

TFontStyles Checked(TCheckBox* bold, TCheckBox* italic, TCheckBox* underline) {
    return (bold->Checked() ? fsBold : 0) | (italic->Checked() ? fsItalic : 0) |
           (underline->Checked() ? fsUnderline : 0);
}

void ShowStyle(TFontStyles s, TCheckBox* bold, TCheckBox* italic, TCheckBox* underline, bool enabled) {
    for (TCheckBox* box : {bold, italic, underline}) box->SetEnabled(enabled);
    bold->SetChecked(enabled && (s & fsBold));
    italic->SetChecked(enabled && (s & fsItalic));
    underline->SetChecked(enabled && (s & fsUnderline));
}

// A colour the grid cannot mark.
constexpr TColor kNoCell = 0x1FFFFFFF;

// One item of a list drawn in its own colours; a selected one gets a frame
// so that its colours stay visible.
void DrawColoredItem(HDC dc, const RECT& rect, bool selected, const std::string& text, TColor fg, TColor bg,
                     TFontStyles style) {
    gdi::FillSolid(dc, rect, TTextEditor::Resolve(bg));
    TFont font = TFont::Of(14, style & fsBold, style & fsItalic);
    font.Underline = style & fsUnderline;
    {
        gdi::Select selected(dc, font.Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, TTextEditor::Resolve(fg));
        RECT r = rect;
        r.left += 4;
        DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (selected) {
        RECT frame = rect;
        gdi::Brush h = gdi::SolidBrush(GetSysColor(COLOR_HIGHLIGHT));
        FrameRect(dc, &frame, h);
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, h);
    }
}
}  // namespace

// ---------------------------------------------------------------------------
// Saving

void TfoTextViewSettings::bbSaveClick(TObject*) {
    const TTextEditorBracketCollection& pairs = Prop.View().Brackets();
    for (int i = 0; i < pairs.Count(); ++i) {
        const std::string& left = pairs.Items(i).LeftBracket();
        const std::string& right = pairs.Items(i).RightBracket();
        if (!left.empty() && !right.empty() && left != right) continue;
        pcSettings->SetActivePageIndex(kBracketPage);
        lbBrackets->SetItemIndex(i);
        ShowBracket();
        if (edLeftBracket->CanFocus()) edLeftBracket->SetFocus();
        TellUser(TSeverity::Warning, kBracketError);
        return;
    }
    Prop.AssignTo(control_);
    control_.KeyWordList = KeyWords;
    control_.SearchHitColorFront = SearchHitColorFront;
    control_.SearchHitColorBack = SearchHitColorBack;
    control_.SearchHitFontStyle = SearchHitFontStyle;
    control_.Invalidate();
    SetModalResult(mrOk);
}

bool TfoTextViewSettings::Confirm(const std::string& text) {
    return TellUser(TSeverity::Question, text, TAnswers::OkCancel) == IDOK;
}

// ---------------------------------------------------------------------------
// Font and colour pages

void TfoTextViewSettings::VariablePitchClick(TObject*) { FillFontList(); }

TTextEditorColor* TfoTextViewSettings::TokenEntry(int target) {
    TTextEditorColors& c = Prop.View().Colors();
    switch (target) {
    case ctAnk: return &c.Ank;
    case ctComment: return &c.Comment;
    case ctDBCS: return &c.DBCS;
    case ctInt: return &c.Int;
    case ctStr: return &c.Str;
    case ctSymbol: return &c.Symbol;
    case ctUrl: return &c.Url;
    case ctMail: return &c.Mail;
    case ctSelect: return &c.Select;
    default: return nullptr;
    }
}

void TfoTextViewSettings::ShowColorTarget() {
    ++filling_;
    const int target = lbColorTarget->ItemIndex();
    TTextEditorMarks& marks = Prop.Marks();
    if (TTextEditorColor* entry = TokenEntry(target)) {
        cgColor->SetSelection(entry->Color(), entry->BkColor());
        ShowStyle(entry->Style(), chbBold, chbItalic, chbUnderline, true);
    } else if (target == ctBackground) {
        cgColor->SetSelection(Prop.Font().Color, Prop.Color());
        ShowStyle(StylesOf(Prop.Font()), chbBold, chbItalic, chbUnderline, true);
    } else if (target == ctSearchHit) {
        cgColor->SetSelection(SearchHitColorFront, SearchHitColorBack);
        ShowStyle(SearchHitFontStyle, chbBold, chbItalic, chbUnderline, true);
    } else {
        // A mark has one colour and no style.
        const TTextEditorMark* mark = target == ctEofMark  ? &marks.EofMark()
                                      : target == ctRetMark ? &marks.RetMark()
                                      : target == ctUnderline ? &marks.Underline()
                                                              : nullptr;
        cgColor->SetSelection(mark ? mark->Color() : kNoCell, kNoCell);
        ShowStyle(0, chbBold, chbItalic, chbUnderline, false);
    }
    --filling_;
}

void TfoTextViewSettings::ColorTargetClick(TObject*) { ShowColorTarget(); }

void TfoTextViewSettings::ColorGridSelect(TObject*, int button, TColor color) {
    const int target = lbColorTarget->ItemIndex();
    const bool text = button == 0;
    TTextEditorMarks& marks = Prop.Marks();
    if (TTextEditorColor* entry = TokenEntry(target)) {
        text ? entry->SetColor(color) : entry->SetBkColor(color);
    } else if (target == ctBackground) {
        if (text) {
            TFont f = Prop.Font();
            f.Color = color;
            Prop.SetFont(f);
        } else {
            Prop.SetColor(color);
        }
    } else if (target == ctSearchHit) {
        (text ? SearchHitColorFront : SearchHitColorBack) = color;
        RefreshPreviews();
    } else if (target == ctEofMark) {
        marks.EofMark().SetColor(color);
    } else if (target == ctRetMark) {
        marks.RetMark().SetColor(color);
    } else if (target == ctUnderline) {
        marks.Underline().SetColor(color);
    }
    ShowColorTarget();
}

void TfoTextViewSettings::ColorStyleClick(TObject*) {
    if (filling_) return;
    const int target = lbColorTarget->ItemIndex();
    const TFontStyles style = Checked(chbBold, chbItalic, chbUnderline);
    if (TTextEditorColor* entry = TokenEntry(target)) {
        entry->SetStyle(style);
    } else if (target == ctBackground) {
        TFont f = Prop.Font();
        f.Bold = style & fsBold;
        f.Italic = style & fsItalic;
        f.Underline = style & fsUnderline;
        Prop.SetFont(f);
    } else if (target == ctSearchHit) {
        SearchHitFontStyle = style;
        RefreshPreviews();
    }
}

std::string TfoTextViewSettings::SameBkColorText() const {
    return "Change all BkColor to " + ColorToString(Prop.Color());
}

std::string TfoTextViewSettings::SameColorText() const {
    return "Change all Color to " + ColorToString(Prop.Font().Color);
}

std::string TfoTextViewSettings::SameStyleText() const {
    std::string names;
    const TFontStyles s = StylesOf(Prop.Font());
    const std::pair<TFontStyles, const char*> all[] = {
        {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};
    for (const auto& n : all) {
        if (!(s & n.first)) continue;
        if (!names.empty()) names += ", ";
        names += n.second;
    }
    return "Change all Style to [ " + names + " ]";
}

void TfoTextViewSettings::SameBkColorClick(TObject* Sender) {
    if (!Confirm(SameBkColorText())) return;
    if (Sender == bbBracketSameBkColor) {
        Prop.View().Brackets().SameBkColor(Prop.Color());
        FillBracketList(lbBrackets->ItemIndex());
    } else {
        Prop.View().Colors().SameBkColor(Prop.Color());
        ShowColorTarget();
    }
}

void TfoTextViewSettings::SameColorClick(TObject* Sender) {
    if (!Confirm(SameColorText())) return;
    if (Sender == bbBracketSameColor) {
        Prop.View().Brackets().SameColor(Prop.Font().Color);
        FillBracketList(lbBrackets->ItemIndex());
    } else {
        Prop.View().Colors().SameColor(Prop.Font().Color);
        ShowColorTarget();
    }
}

void TfoTextViewSettings::SameStyleClick(TObject* Sender) {
    if (!Confirm(SameStyleText())) return;
    if (Sender == bbBracketSameStyle) {
        Prop.View().Brackets().SameStyle(StylesOf(Prop.Font()));
        FillBracketList(lbBrackets->ItemIndex());
    } else {
        Prop.View().Colors().SameStyle(StylesOf(Prop.Font()));
        ShowColorTarget();
    }
}

// ---------------------------------------------------------------------------
// Bracket page

void TfoTextViewSettings::FillBracketList(int select) {
    const TTextEditorBracketCollection& pairs = Prop.View().Brackets();
    std::vector<std::string> items;
    for (int i = 0; i < pairs.Count(); ++i) items.push_back(pairs.Items(i).LeftBracket() + "  " + pairs.Items(i).RightBracket());
    lbBrackets->SetItems(items);
    lbBrackets->SetItemIndex(std::min(select, pairs.Count() - 1));
    ShowBracket();
}

void TfoTextViewSettings::ShowBracket() {
    ++filling_;
    const int i = lbBrackets->ItemIndex();
    const bool any = i >= 0;
    const TTextEditorBracketItem* item = any ? &Prop.View().Brackets().Items(i) : nullptr;
    edLeftBracket->SetText(any ? item->LeftBracket() : "");
    edRightBracket->SetText(any ? item->RightBracket() : "");
    cgBracket->SetSelection(any ? item->ItemColor().Color() : kNoCell, any ? item->ItemColor().BkColor() : kNoCell);
    ShowStyle(any ? item->ItemColor().Style() : 0, chbBracketBold, chbBracketItalic, chbBracketUnderline, any);
    for (TControl* c : std::initializer_list<TControl*>{bbBracketDelete, bbBracketApply, edLeftBracket, edRightBracket})
        c->SetEnabled(any);
    --filling_;
}

void TfoTextViewSettings::BracketListClick(TObject*) { ShowBracket(); }

void TfoTextViewSettings::BracketAddClick(TObject*) {
    TTextEditorBracketCollection& pairs = Prop.View().Brackets();
    try {
        // A new pair starts in the control's own colours; its brackets are
        // typed into the fields and applied.
        TTextEditorBracketItem& item = pairs.Add();
        item.ItemColor().SetBkColor(Prop.Color());
        item.ItemColor().SetColor(Prop.Font().Color);
    } catch (const ETextEditorBracketError& e) {
        TellUser(TSeverity::Warning, e.what());
        return;
    }
    FillBracketList(pairs.Count() - 1);
    if (edLeftBracket->CanFocus()) edLeftBracket->SetFocus();
}

void TfoTextViewSettings::BracketDeleteClick(TObject*) {
    const int i = lbBrackets->ItemIndex();
    if (i < 0) return;
    Prop.View().Brackets().Delete(i);
    FillBracketList(i);
}

void TfoTextViewSettings::BracketApplyClick(TObject*) {
    const int i = lbBrackets->ItemIndex();
    if (i < 0) return;
    TTextEditorBracketItem& item = Prop.View().Brackets().Items(i);
    item.BeginUpdate();
    item.SetLeftBracket(edLeftBracket->Text());
    item.SetRightBracket(edRightBracket->Text());
    item.EndUpdate();
    FillBracketList(i);
}

void TfoTextViewSettings::BracketGridSelect(TObject*, int button, TColor color) {
    const int i = lbBrackets->ItemIndex();
    if (i < 0) return;
    TTextEditorColor& c = Prop.View().Brackets().Items(i).ItemColor();
    button == 0 ? c.SetColor(color) : c.SetBkColor(color);
    lbBrackets->Invalidate();
}

void TfoTextViewSettings::BracketStyleClick(TObject*) {
    const int i = lbBrackets->ItemIndex();
    if (filling_ || i < 0) return;
    Prop.View().Brackets().Items(i).ItemColor().SetStyle(Checked(chbBracketBold, chbBracketItalic, chbBracketUnderline));
    lbBrackets->Invalidate();
}

void TfoTextViewSettings::DrawBracket(HDC dc, int index, const RECT& rect, bool selected) {
    if (index < 0 || index >= Prop.View().Brackets().Count()) return;
    const TTextEditorBracketItem& item = Prop.View().Brackets().Items(index);
    DrawColoredItem(dc, rect, selected, item.LeftBracket() + "  " + item.RightBracket(), item.ItemColor().Color(),
                    item.ItemColor().BkColor(), item.ItemColor().Style());
}

// ---------------------------------------------------------------------------
// Keyword page

void TfoTextViewSettings::ShowKeyword() {
    ++filling_;
    const int i = lbKeywords->ItemIndex();
    const bool any = i >= 0 && i < KeyWords.Count();
    if (any) edKeyword->SetText(KeyWords.Strings(i));
    cgKeyword->SetSelection(any ? KeyWords.Objects(i).FrontColor : kNoCell,
                            any ? KeyWords.Objects(i).BackColor : kNoCell);
    ShowStyle(any ? KeyWords.Objects(i).Style : 0, chbKeywordBold, chbKeywordItalic, chbKeywordUnderline, any);
    --filling_;
}

void TfoTextViewSettings::KeywordListClick(TObject*) { ShowKeyword(); }

void TfoTextViewSettings::KeywordAddClick(TObject*) {
    const std::string word = Trim(edKeyword->Text());
    if (word.empty()) return;
    for (int i = 0; i < KeyWords.Count(); ++i) {
        if (!SjisSameText(KeyWords.Strings(i), word)) continue;
        lbKeywords->SetItemIndex(i);
        ShowKeyword();
        TellUser(TSeverity::Warning, word + "\r\n" + kKeywordRegistered);
        return;
    }
    KeyWords.Add(word, TKeyWordColor{clBlack, clWhite, 0});
    lbKeywords->Add(word);
    lbKeywords->SetItemIndex(KeyWords.Count() - 1);
    ShowKeyword();
}

void TfoTextViewSettings::KeywordDeleteClick(TObject*) {
    const int i = lbKeywords->ItemIndex();
    if (i < 0) return;
    if (TellUser(TSeverity::Question, kKeywordDelete, TAnswers::YesCancel) != IDYES) return;
    KeyWords.Delete(i);
    lbKeywords->Delete(i);
    lbKeywords->SetItemIndex(std::min(i, KeyWords.Count() - 1));
    ShowKeyword();
}

void TfoTextViewSettings::KeywordChangeClick(TObject*) {
    const int i = lbKeywords->ItemIndex();
    if (i < 0) return;
    const std::string word = Trim(edKeyword->Text());
    if (word.empty()) {
        TellUser(TSeverity::Warning, kKeywordBlank);
        return;
    }
    KeyWords.Put(i, word);
    lbKeywords->SetStrings(i, word);
}

void TfoTextViewSettings::KeywordGridSelect(TObject*, int button, TColor color) {
    const int i = lbKeywords->ItemIndex();
    if (i < 0) return;
    (button == 0 ? KeyWords.Objects(i).FrontColor : KeyWords.Objects(i).BackColor) = color;
    lbKeywords->Invalidate();
}

void TfoTextViewSettings::KeywordStyleClick(TObject*) {
    const int i = lbKeywords->ItemIndex();
    if (filling_ || i < 0) return;
    KeyWords.Objects(i).Style = Checked(chbKeywordBold, chbKeywordItalic, chbKeywordUnderline);
    lbKeywords->Invalidate();
}

void TfoTextViewSettings::DrawKeyword(HDC dc, int index, const RECT& rect, bool selected) {
    if (index < 0 || index >= KeyWords.Count()) return;
    const TKeyWordColor& c = KeyWords.Objects(index);
    DrawColoredItem(dc, rect, selected, KeyWords.Strings(index), c.FrontColor, c.BackColor, c.Style);
}
