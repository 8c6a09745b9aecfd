// The text-view settings window: its pages, filling them from the copy and
// binding each control to the part of the copy it edits.
#include "textview/text_view_settings_form_win.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "settings/ini_values.h"
#include "ui/builders.h"
#include "ui/gdi.h"

namespace {
const char kFontSample[] =
    "abcdefghijklmnopqrstuvwxyz\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"
    "あいうえおかきくけこさしすせそたちつてと\r\nアイウエオカキクケコサシスセソタチツテト";
const char kColorSample[] =
    "> コメントの行です\r\n"
    "Quillmark Text 2024 'Quotation' #FF +-*/=\r\n"
    "全角文字の行 検索文字\r\n"
    "URL http://www.example.com/index.html\r\n"
    "Mail quillmark@example.com";
const char kSearchSample[] = "検索文字";
const char kKeywordHelp[] =
    "1. ｷｰﾜｰﾄﾞ編集ﾎﾞｯｸｽに語を入力して[新規追加]で登録します\r\n"
    "2. 一覧で語を選び、カラーグリッド(前景は左クリック、背景は右クリック)と"
    "太字・アンダーライン・斜体で表示を決めます\r\n"
    "3. [選択項目を変更]で選んだ語をﾎﾞｯｸｽの内容に書き換え、[選択項目を削除]で登録から外します";

// The builders of the controls only the settings windows use.
TSpinEdit* AddSpin(TComponent* o, TWinControl* p, const char* name, int x, int y, int lo, int hi, int step = 1) {
    auto* s = AddControl<TSpinEdit>(o, p, name, {x, y, 56, 22});
    s->SetRange(lo, hi, step);
    return s;
}

TColorGrid* AddGrid(TComponent* o, TWinControl* p, const char* name, int x, int y) {
    return AddControl<TColorGrid>(o, p, name, {x, y, 96, 96});
}

TTextEditorEx* AddPreview(TComponent* o, TWinControl* p, const char* name, int x, int y, int w, int h) {
    auto* e = AddControl<TTextEditorEx>(o, p, name, {x, y, w, h});
    e->SetReadOnly(true);
    return e;
}

int CALLBACK CollectFont(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM data) {
    auto* found = reinterpret_cast<std::pair<std::set<std::string>*, bool>*>(data);
    const std::string name = lf->lfFaceName;
    // Vertical faces ('@') are never offered; others by their pitch.
    if (name.empty() || name[0] == '@') return 1;
    if (found->second || (lf->lfPitchAndFamily & 3) == FIXED_PITCH) found->first->insert(name);
    return 1;
}
}  // namespace

TfoTextViewSettings::TfoTextViewSettings(TComponent* owner, TTextEditorEx& control, TTextViewSettingsPage startPage)
    : TForm(owner, bsDialog, "TfoTextViewSettings"), control_(control) {
    Name = "foTextViewSettings";
    SetCaption("テキスト表示設定ダイアログ");
    Position = poScreenCenter;
    // The dialog's small face, so that the captions fit beside each other.
    Font = TFont::Of(12);
    SetClientSize(600, 444);

    Prop.Assign(control);
    KeyWords = control.KeyWordList;
    SearchHitColorFront = control.SearchHitColorFront;
    SearchHitColorBack = control.SearchHitColorBack;
    SearchHitFontStyle = control.SearchHitFontStyle;

    pcSettings = new TPageControl(this, this);
    pcSettings->Name = "pcSettings";
    pcSettings->SetBounds(8, 8, 584, 394);
    tsFontCaret = AddPage(pcSettings, "tsFontCaret", "ﾌｫﾝﾄ/ｷｬﾚｯﾄ");
    tsColor = AddPage(pcSettings, "tsColor", "ｶﾗｰ/ｽﾀｲﾙ");
    tsBracket = AddPage(pcSettings, "tsBracket", "ﾌﾞﾗｹｯﾄ");
    tsKeyword = AddPage(pcSettings, "tsKeyword", "ｷｰﾜｰﾄﾞ");
    tsWrap = AddPage(pcSettings, "tsWrap", "折り返し");
    BuildFontCaretPage();
    BuildColorPage();
    BuildBracketPage();
    BuildKeywordPage();
    BuildWrapPage();

    bbSave = AddButton(this, this, "bbSave", "保存", {412, 410, 86, 24});
    bbCancel = AddButton(this, this, "bbCancel", "キャンセル", {506, 410, 86, 24});
    bbCancel->ModalResult = mrCancel;

    FillControls();
    BindControls();
    // From here on every change of the copy shows in the previews.
    Prop.OnChange = [this](TNotifyPersistent&) { RefreshPreviews(); };
    RefreshPreviews();

    const int page = startPage == tvpBracket ? 2 : startPage == tvpCaret ? 0 : startPage == tvpWrap ? 4 : 1;
    pcSettings->SetActivePageIndex(page);
}

void TfoTextViewSettings::BuildFontCaretPage() {
    TWinControl* p = tsFontCaret;
    AddLabel(this, p, "", "フォント", 8, 6);
    lbFont = new TListBox(this, p);
    lbFont->Name = "lbFont";
    lbFont->SetBounds(8, 24, 168, 168);
    chbVariablePitch = AddCheckBox(this, p, "chbVariablePitch", "可変ピッチフォント", {8, 196, 168, 20});
    AddLabel(this, p, "", "サイズ", 184, 6);
    edFontSize = AddControl<TEdit>(this, p, "edFontSize", {184, 24, 56, 22});
    edFontSize->SetMaxLength(3);
    lbFontSize = new TListBox(this, p);
    lbFontSize->Name = "lbFontSize";
    lbFontSize->SetBounds(184, 50, 56, 142);
    std::vector<std::string> sizes;
    for (int s = 8; s <= 50; ++s) sizes.push_back(std::to_string(s));
    lbFontSize->SetItems(sizes);

    gbCaret = AddGroupBox(this, p, "gbCaret", "キャレット オプション", {248, 4, 320, 148});
    struct Box {
        TCheckBox** box;
        const char* name;
        const char* caption;
    } boxes[] = {
        {&chbAutoIndent, "chbAutoIndent", "自動インデント"},
        {&chbPrevSpaceIndent, "chbPrevSpaceIndent", "PrevSpaceIndent"},
        {&chbFreeCaret, "chbFreeCaret", "行末以降でも移動可能"},
        {&chbInTab, "chbInTab", "タブ文字の上を移動可能"},
        {&chbLockScroll, "chbLockScroll", "ロックスクロール"},
        {&chbNextLine, "chbNextLine", "行頭-行末間を移動"},
        {&chbTabIndent, "chbTabIndent", "タブを半角空白に変換"},
        {&chbSoftTab, "chbSoftTab", "SoftTab"},
        {&chbKeepCaret, "chbKeepCaret", "位置(桁)を記憶する"},
    };
    for (int i = 0; i < 9; ++i) {
        const int x = i < 5 ? 10 : 164, y = 20 + (i < 5 ? i : i - 5) * 24;
        *boxes[i].box = AddCheckBox(this, gbCaret, boxes[i].name, boxes[i].caption, {x, y, 150, 20});
    }
    AddLabel(this, gbCaret, "", "タブ文字展開数", 164, 122);
    seTabSpaceCount = AddSpin(this, gbCaret, "seTabSpaceCount", 252, 118, 2, 8, 2);
    seTabSpaceCount->Edit()->SetMaxLength(1);

    rgCaretStyle = new TRadioGroup(this, p);
    rgCaretStyle->Name = "rgCaretStyle";
    rgCaretStyle->SetCaption("形状");
    rgCaretStyle->SetBounds(248, 156, 150, 66);
    rgCaretStyle->SetItems({"デフォルト形状", "ブリーフ形状"});
    rgScrollBars = new TRadioGroup(this, p);
    rgScrollBars->Name = "rgScrollBars";
    rgScrollBars->SetCaption("スクロールバー");
    rgScrollBars->SetBounds(406, 156, 162, 100);
    rgScrollBars->SetItems({"無し", "水平のみ", "垂直のみ", "水平・垂直"});

    hedFontPreview = AddPreview(this, p, "hedFontPreview", 8, 262, 560, 100);
    hedFontPreview->Lines().SetText(kFontSample);
}

void TfoTextViewSettings::BuildColorPage() {
    TWinControl* p = tsColor;
    lbColorTarget = new TListBox(this, p);
    lbColorTarget->Name = "lbColorTarget";
    lbColorTarget->SetBounds(8, 6, 120, 228);
    lbColorTarget->SetItems({"背景色", "半角英数字", "コメント", "全角文字", "数字", "ｸｫｰﾄ内文字", "ｼﾝﾎﾞﾙ", "URL",
                             "ﾒｰﾙｱﾄﾞﾚｽ", "選択領域", "検索文字", "[EOF]", "改行[↓]", "ｱﾝﾀﾞｰﾗｲﾝ"});
    cgColor = AddGrid(this, p, "cgColor", 136, 6);
    AddLabel(this, p, "", "前景は左クリック、背景は", 136, 106);
    AddLabel(this, p, "", "右クリックで設定してください", 136, 122);
    chbBold = AddCheckBox(this, p, "chbBold", "太字", {136, 146, 100, 20});
    chbItalic = AddCheckBox(this, p, "chbItalic", "斜体", {136, 168, 100, 20});
    chbUnderline = AddCheckBox(this, p, "chbUnderline", "ｱﾝﾀﾞｰﾗｲﾝ", {136, 190, 100, 20});

    AddLabel(this, p, "", "16進ﾌﾟﾘﾌｨｯｸｽ", 300, 10);
    edHexPrefix = AddControl<TEdit>(this, p, "edHexPrefix", {392, 6, 60, 22});
    AddLabel(this, p, "", "ｸｫｰﾃｰｼｮﾝ", 300, 36);
    edQuotation = AddControl<TEdit>(this, p, "edQuotation", {392, 32, 60, 22});
    edQuotation->SetMaxLength(2);
    AddLabel(this, p, "", "コメント", 300, 62);
    edCommenter = AddControl<TEdit>(this, p, "edCommenter", {392, 58, 60, 22});
    chbControlCode = AddCheckBox(this, p, "chbControlCode", "制御記号", {466, 6, 100, 20});
    chbUrl = AddCheckBox(this, p, "chbUrl", "URL", {466, 30, 100, 20});
    chbMail = AddCheckBox(this, p, "chbMail", "ﾒｰﾙｱﾄﾞﾚｽ", {466, 54, 100, 20});

    gbMargin = AddGroupBox(this, p, "gbMargin", "マージン", {300, 88, 130, 122});
    const char* marginCaptions[] = {"上", "左", "行間", "文字間"};
    TSpinEdit** margins[] = {&seMarginTop, &seMarginLeft, &seMarginLine, &seMarginCharacter};
    const char* marginNames[] = {"seMarginTop", "seMarginLeft", "seMarginLine", "seMarginCharacter"};
    for (int i = 0; i < 4; ++i) {
        AddLabel(this, gbMargin, "", marginCaptions[i], 10, 23 + i * 24);
        *margins[i] = AddSpin(this, gbMargin, marginNames[i], 62, 20 + i * 24, i == 3 ? 0 : -50, i == 3 ? 100 : 200);
    }
    gbMark = AddGroupBox(this, p, "gbMark", "マーク", {438, 88, 130, 94});
    chbMarkUnderline = AddCheckBox(this, gbMark, "chbMarkUnderline", "ｱﾝﾀﾞｰﾗｲﾝ", {10, 20, 110, 20});
    chbMarkRet = AddCheckBox(this, gbMark, "chbMarkRet", "改行[↓]", {10, 44, 110, 20});
    chbMarkEof = AddCheckBox(this, gbMark, "chbMarkEof", "[EOF]", {10, 68, 110, 20});

    bbSameBkColor = AddButton(this, p, "bbSameBkColor", "背景色を統一", {8, 238, 120, 24});
    bbSameColor = AddButton(this, p, "bbSameColor", "文字色を統一", {136, 238, 120, 24});
    bbSameStyle = AddButton(this, p, "bbSameStyle", "スタイルを統一", {264, 238, 120, 24});
    hedColorPreview = AddPreview(this, p, "hedColorPreview", 8, 268, 560, 94);
    hedColorPreview->Lines().SetText(kColorSample);
    // Part of a row stays selected, so the selection colours show too.
    hedColorPreview->SelectRange({1, 0}, {1, 9});
}

void TfoTextViewSettings::BuildBracketPage() {
    TWinControl* p = tsBracket;
    lbBrackets = new TListBox(this, p, true, 18);
    lbBrackets->Name = "lbBrackets";
    lbBrackets->SetBounds(8, 6, 160, 150);
    bbBracketAdd = AddButton(this, p, "bbBracketAdd", "新規追加", {8, 160, 78, 24});
    bbBracketDelete = AddButton(this, p, "bbBracketDelete", "削除", {90, 160, 78, 24});
    cgBracket = AddGrid(this, p, "cgBracket", 176, 6);
    AddLabel(this, p, "", "前景は左クリック、背景は", 176, 106);
    AddLabel(this, p, "", "右クリックで設定してください", 176, 122);
    chbBracketBold = AddCheckBox(this, p, "chbBracketBold", "太字", {176, 146, 100, 20});
    chbBracketItalic = AddCheckBox(this, p, "chbBracketItalic", "斜体", {176, 168, 100, 20});
    chbBracketUnderline = AddCheckBox(this, p, "chbBracketUnderline", "ｱﾝﾀﾞｰﾗｲﾝ", {176, 190, 100, 20});
    bbBracketSameBkColor = AddButton(this, p, "bbBracketSameBkColor", "背景色を統一", {400, 6, 150, 24});
    bbBracketSameColor = AddButton(this, p, "bbBracketSameColor", "文字色を統一", {400, 34, 150, 24});
    bbBracketSameStyle = AddButton(this, p, "bbBracketSameStyle", "スタイルを統一", {400, 62, 150, 24});
    gbBracketPair = AddGroupBox(this, p, "gbBracketPair", "ブラケット", {336, 100, 232, 90});
    AddLabel(this, gbBracketPair, "", "ブラケット(左)", 10, 24);
    edLeftBracket = AddControl<TEdit>(this, gbBracketPair, "edLeftBracket", {96, 20, 50, 22});
    AddLabel(this, gbBracketPair, "", "ブラケット(右)", 10, 56);
    edRightBracket = AddControl<TEdit>(this, gbBracketPair, "edRightBracket", {96, 52, 50, 22});
    bbBracketApply = AddButton(this, gbBracketPair, "bbBracketApply", "適用", {156, 51, 66, 24});
    hedBracketPreview = AddPreview(this, p, "hedBracketPreview", 8, 218, 560, 144);
}

void TfoTextViewSettings::BuildKeywordPage() {
    TWinControl* p = tsKeyword;
    lbKeywords = new TListBox(this, p, true, 18);
    lbKeywords->Name = "lbKeywords";
    lbKeywords->SetBounds(8, 6, 196, 356);
    AddLabel(this, p, "", "ｷｰﾜｰﾄﾞ編集ﾎﾞｯｸｽ", 214, 6);
    edKeyword = AddControl<TEdit>(this, p, "edKeyword", {214, 24, 226, 22});
    bbKeywordAdd = AddButton(this, p, "bbKeywordAdd", "新規追加", {214, 54, 116, 24});
    bbKeywordDelete = AddButton(this, p, "bbKeywordDelete", "選択項目を削除", {214, 82, 116, 24});
    bbKeywordChange = AddButton(this, p, "bbKeywordChange", "選択項目を変更", {214, 110, 116, 24});
    cgKeyword = AddGrid(this, p, "cgKeyword", 344, 54);
    chbKeywordBold = AddCheckBox(this, p, "chbKeywordBold", "太字", {452, 54, 110, 20});
    chbKeywordUnderline = AddCheckBox(this, p, "chbKeywordUnderline", "アンダーライン", {452, 76, 110, 20});
    chbKeywordItalic = AddCheckBox(this, p, "chbKeywordItalic", "斜体", {452, 98, 110, 20});
    mmKeywordHelp = new TEdit(this, p, true);
    mmKeywordHelp->Name = "mmKeywordHelp";
    mmKeywordHelp->SetBounds(214, 168, 354, 194);
    mmKeywordHelp->SetText(kKeywordHelp);
}

void TfoTextViewSettings::BuildWrapPage() {
    TWinControl* p = tsWrap;
    chbWordWrap = AddCheckBox(this, p, "chbWordWrap", "折り返し表示を行う)", {8, 8, 300, 20});
    struct Row {
        TEdit** edit;
        TButton** button;
        const char* caption;
        const char* editName;
        const char* buttonName;
    } rows[] = {
        {&edFollowStr, &bbFollowStrDefault, "行頭禁則文字", "edFollowStr", "bbFollowStrDefault"},
        {&edLeadStr, &bbLeadStrDefault, "行末禁則文字", "edLeadStr", "bbLeadStrDefault"},
        {&edPunctuationStr, &bbPunctuationStrDefault, "句読点", "edPunctuationStr", "bbPunctuationStrDefault"},
    };
    for (int i = 0; i < 3; ++i) {
        const int y = 40 + i * 30;
        AddLabel(this, p, "", rows[i].caption, 8, y + 3);
        *rows[i].edit = AddControl<TEdit>(this, p, rows[i].editName, {110, y, 376, 22});
        *rows[i].button = AddButton(this, p, rows[i].buttonName, "標準値", {494, y - 1, 74, 24});
    }
    AddLabel(this, p, "", "折り返し文字数", 8, 133);
    seWrapByte = AddSpin(this, p, "seWrapByte", 110, 130, 20, 250);
    seWrapByte->Edit()->SetMaxLength(3);
    chbFollowPunctuation = AddCheckBox(this, p, "chbFollowPunctuation", "句読点のぶら下げ表示を行う", {8, 166, 400, 20});
    chbFollowRetMark = AddCheckBox(this, p, "chbFollowRetMark", "改行マーク[↓]をぶら下げる", {8, 190, 400, 20});
    chbLeading = AddCheckBox(this, p, "chbLeading", "追い出し処理を行う", {8, 214, 400, 20});
    chbWordBreak = AddCheckBox(this, p, "chbWordBreak", "英文ワードラップ処理を行う", {8, 238, 400, 20});
}

std::vector<std::string> TfoTextViewSettings::FontNames(bool variablePitch) {
    std::set<std::string> names;
    std::pair<std::set<std::string>*, bool> data{&names, variablePitch};
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(gdi::WindowDC(), &lf, CollectFont, reinterpret_cast<LPARAM>(&data), 0);
    return std::vector<std::string>(names.begin(), names.end());
}

void TfoTextViewSettings::FillFontList() {
    ++filling_;
    std::vector<std::string> names = FontNames(chbVariablePitch->Checked());
    // The font the control uses stays choosable even when the system lists
    // it under another pitch or not at all.
    const std::string& current = Prop.Font().Name;
    if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return n == current; }))
        names.insert(names.begin(), current);
    lbFont->SetItems(names);
    lbFont->SetItemIndex(lbFont->IndexOf(current));
    --filling_;
}

void TfoTextViewSettings::FillControls() {
    ++filling_;
    FillFontList();
    const std::string size = std::to_string(PointsFromPixels(Prop.Font().Height));
    edFontSize->SetText(size);
    lbFontSize->SetItemIndex(lbFontSize->IndexOf(size));

    const TTextEditorCaret& c = Prop.Caret();
    chbAutoIndent->SetChecked(c.AutoIndent());
    chbPrevSpaceIndent->SetChecked(c.PrevSpaceIndent());
    chbFreeCaret->SetChecked(c.FreeCaret());
    chbInTab->SetChecked(c.InTab());
    chbLockScroll->SetChecked(c.LockScroll());
    chbNextLine->SetChecked(c.NextLine());
    chbTabIndent->SetChecked(c.TabIndent());
    chbSoftTab->SetChecked(c.SoftTab());
    chbKeepCaret->SetChecked(c.KeepCaret());
    seTabSpaceCount->SetValue(c.TabSpaceCount());
    rgCaretStyle->SetItemIndex(c.Style());
    rgScrollBars->SetItemIndex(Prop.ScrollBars());

    const TTextEditorViewInfo& v = Prop.View();
    lbColorTarget->SetItemIndex(ctBackground);
    edHexPrefix->SetText(v.HexPrefix());
    edQuotation->SetText(v.Quotation());
    edCommenter->SetText(v.Commenter());
    chbControlCode->SetChecked(v.ControlCode());
    chbUrl->SetChecked(v.Url());
    chbMail->SetChecked(v.Mail());
    seMarginTop->SetValue(Prop.Margin().Top());
    seMarginLeft->SetValue(Prop.Margin().Left());
    seMarginLine->SetValue(Prop.Margin().Line());
    seMarginCharacter->SetValue(Prop.Margin().Character());
    chbMarkUnderline->SetChecked(Prop.Marks().Underline().Visible());
    chbMarkRet->SetChecked(Prop.Marks().RetMark().Visible());
    chbMarkEof->SetChecked(Prop.Marks().EofMark().Visible());
    ShowColorTarget();

    FillBracketList(Prop.View().Brackets().Count() > 0 ? 0 : -1);

    std::vector<std::string> words;
    for (int i = 0; i < KeyWords.Count(); ++i) words.push_back(KeyWords.Strings(i));
    lbKeywords->SetItems(words);
    ShowKeyword();

    const TTextEditorWrapOption& w = Prop.WrapOption();
    chbWordWrap->SetChecked(Prop.WordWrap());
    edFollowStr->SetText(w.FollowStr());
    edLeadStr->SetText(w.LeadStr());
    edPunctuationStr->SetText(w.PunctuationStr());
    seWrapByte->SetValue(w.WrapByte());
    chbFollowPunctuation->SetChecked(w.FollowPunctuation());
    chbFollowRetMark->SetChecked(w.FollowRetMark());
    chbLeading->SetChecked(w.Leading());
    chbWordBreak->SetChecked(w.WordBreak());
    --filling_;
}

void TfoTextViewSettings::BindControls() {
    // Each control writes its part of the copy; nothing while filling.
    auto bind = [this](TCheckBox* box, void (*apply)(TfoTextViewSettings&, bool)) {
        box->OnChange = [this, box, apply](TObject*) {
            if (!filling_) apply(*this, box->Checked());
        };
    };
    bind(chbAutoIndent, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetAutoIndent(v); });
    bind(chbPrevSpaceIndent, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetPrevSpaceIndent(v); });
    bind(chbFreeCaret, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetFreeCaret(v); });
    bind(chbInTab, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetInTab(v); });
    bind(chbLockScroll, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetLockScroll(v); });
    bind(chbNextLine, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetNextLine(v); });
    bind(chbTabIndent, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetTabIndent(v); });
    bind(chbSoftTab, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetSoftTab(v); });
    bind(chbKeepCaret, [](TfoTextViewSettings& f, bool v) { f.Prop.Caret().SetKeepCaret(v); });
    bind(chbControlCode, [](TfoTextViewSettings& f, bool v) { f.Prop.View().SetControlCode(v); });
    bind(chbUrl, [](TfoTextViewSettings& f, bool v) { f.Prop.View().SetUrl(v); });
    bind(chbMail, [](TfoTextViewSettings& f, bool v) { f.Prop.View().SetMail(v); });
    bind(chbMarkUnderline, [](TfoTextViewSettings& f, bool v) { f.Prop.Marks().Underline().SetVisible(v); });
    bind(chbMarkRet, [](TfoTextViewSettings& f, bool v) { f.Prop.Marks().RetMark().SetVisible(v); });
    bind(chbMarkEof, [](TfoTextViewSettings& f, bool v) { f.Prop.Marks().EofMark().SetVisible(v); });
    bind(chbWordWrap, [](TfoTextViewSettings& f, bool v) { f.Prop.SetWordWrap(v); });
    bind(chbFollowPunctuation, [](TfoTextViewSettings& f, bool v) { f.Prop.WrapOption().SetFollowPunctuation(v); });
    bind(chbFollowRetMark, [](TfoTextViewSettings& f, bool v) { f.Prop.WrapOption().SetFollowRetMark(v); });
    bind(chbLeading, [](TfoTextViewSettings& f, bool v) { f.Prop.WrapOption().SetLeading(v); });
    bind(chbWordBreak, [](TfoTextViewSettings& f, bool v) { f.Prop.WrapOption().SetWordBreak(v); });

    auto text = [this](TEdit* edit, void (*apply)(TfoTextViewSettings&, const std::string&)) {
        edit->OnChange = [this, edit, apply](TObject*) {
            if (!filling_) apply(*this, edit->Text());
        };
    };
    text(edHexPrefix, [](TfoTextViewSettings& f, const std::string& v) { f.Prop.View().SetHexPrefix(v); });
    text(edQuotation, [](TfoTextViewSettings& f, const std::string& v) { f.Prop.View().SetQuotation(v); });
    text(edCommenter, [](TfoTextViewSettings& f, const std::string& v) { f.Prop.View().SetCommenter(v); });
    text(edFollowStr, [](TfoTextViewSettings& f, const std::string& v) { f.Prop.WrapOption().SetFollowStr(v); });
    text(edLeadStr, [](TfoTextViewSettings& f, const std::string& v) { f.Prop.WrapOption().SetLeadStr(v); });
    text(edPunctuationStr,
         [](TfoTextViewSettings& f, const std::string& v) { f.Prop.WrapOption().SetPunctuationStr(v); });
    text(edFontSize, [](TfoTextViewSettings& f, const std::string& v) {
        const int points = std::atoi(v.c_str());
        if (points <= 0) return;
        TFont font = f.Prop.Font();
        font.Height = PixelsFromPoints(points);
        f.Prop.SetFont(font);
    });

    auto spin = [this](TSpinEdit* edit, void (*apply)(TfoTextViewSettings&, int)) {
        edit->OnChange = [this, edit, apply](TObject*) {
            if (!filling_) apply(*this, edit->Value());
        };
    };
    spin(seTabSpaceCount, [](TfoTextViewSettings& f, int v) { f.Prop.Caret().SetTabSpaceCount(v); });
    spin(seMarginTop, [](TfoTextViewSettings& f, int v) { f.Prop.Margin().SetTop(v); });
    spin(seMarginLeft, [](TfoTextViewSettings& f, int v) { f.Prop.Margin().SetLeft(v); });
    spin(seMarginLine, [](TfoTextViewSettings& f, int v) { f.Prop.Margin().SetLine(v); });
    spin(seMarginCharacter, [](TfoTextViewSettings& f, int v) { f.Prop.Margin().SetCharacter(v); });
    spin(seWrapByte, [](TfoTextViewSettings& f, int v) { f.Prop.WrapOption().SetWrapByte(v); });

    lbFont->OnClick = [this](TObject*) {
        if (filling_ || lbFont->ItemIndex() < 0) return;
        TFont font = Prop.Font();
        font.Name = lbFont->Strings(lbFont->ItemIndex());
        Prop.SetFont(font);
    };
    lbFontSize->OnClick = [this](TObject*) {
        if (lbFontSize->ItemIndex() >= 0) edFontSize->SetText(lbFontSize->Strings(lbFontSize->ItemIndex()));
    };
    chbVariablePitch->OnChange = [this](TObject* s) { VariablePitchClick(s); };
    rgCaretStyle->OnClick = [this](TObject*) {
        Prop.Caret().SetStyle(rgCaretStyle->ItemIndex() == 1 ? csBrief : csDefault);
    };
    rgScrollBars->OnClick = [this](TObject*) {
        Prop.SetScrollBars(static_cast<TScrollStyle>(std::max(0, rgScrollBars->ItemIndex())));
    };

    lbColorTarget->OnClick = [this](TObject* s) { ColorTargetClick(s); };
    cgColor->OnSelect = [this](TObject* s, int button, TColor c) { ColorGridSelect(s, button, c); };
    for (TCheckBox* box : {chbBold, chbItalic, chbUnderline}) box->OnChange = [this](TObject* s) { ColorStyleClick(s); };
    for (TButton* b : {bbSameBkColor, bbBracketSameBkColor}) b->OnClick = [this](TObject* s) { SameBkColorClick(s); };
    for (TButton* b : {bbSameColor, bbBracketSameColor}) b->OnClick = [this](TObject* s) { SameColorClick(s); };
    for (TButton* b : {bbSameStyle, bbBracketSameStyle}) b->OnClick = [this](TObject* s) { SameStyleClick(s); };

    lbBrackets->OnClick = [this](TObject* s) { BracketListClick(s); };
    lbBrackets->OnDrawItem = [this](TListBox*, int i, HDC dc, const RECT& r, bool sel) { DrawBracket(dc, i, r, sel); };
    bbBracketAdd->OnClick = [this](TObject* s) { BracketAddClick(s); };
    bbBracketDelete->OnClick = [this](TObject* s) { BracketDeleteClick(s); };
    bbBracketApply->OnClick = [this](TObject* s) { BracketApplyClick(s); };
    cgBracket->OnSelect = [this](TObject* s, int button, TColor c) { BracketGridSelect(s, button, c); };
    for (TCheckBox* box : {chbBracketBold, chbBracketItalic, chbBracketUnderline})
        box->OnChange = [this](TObject* s) { BracketStyleClick(s); };

    lbKeywords->OnClick = [this](TObject* s) { KeywordListClick(s); };
    lbKeywords->OnDrawItem = [this](TListBox*, int i, HDC dc, const RECT& r, bool sel) { DrawKeyword(dc, i, r, sel); };
    bbKeywordAdd->OnClick = [this](TObject* s) { KeywordAddClick(s); };
    bbKeywordDelete->OnClick = [this](TObject* s) { KeywordDeleteClick(s); };
    bbKeywordChange->OnClick = [this](TObject* s) { KeywordChangeClick(s); };
    cgKeyword->OnSelect = [this](TObject* s, int button, TColor c) { KeywordGridSelect(s, button, c); };
    for (TCheckBox* box : {chbKeywordBold, chbKeywordUnderline, chbKeywordItalic})
        box->OnChange = [this](TObject* s) { KeywordStyleClick(s); };

    bbFollowStrDefault->OnClick = [this](TObject*) { edFollowStr->SetText(TTextEditorWrapOption::kDefaultFollowStr); };
    bbLeadStrDefault->OnClick = [this](TObject*) { edLeadStr->SetText(TTextEditorWrapOption::kDefaultLeadStr); };
    bbPunctuationStrDefault->OnClick = [this](TObject*) {
        edPunctuationStr->SetText(TTextEditorWrapOption::kDefaultPunctuationStr);
    };
    bbSave->OnClick = [this](TObject* s) { bbSaveClick(s); };
}

void TfoTextViewSettings::RefreshPreviews() {
    std::string brackets;
    const TTextEditorBracketCollection& pairs = Prop.View().Brackets();
    for (int i = 0; i < pairs.Count(); ++i) {
        const TTextEditorBracketItem& item = pairs.Items(i);
        if (item.LeftBracket().empty()) continue;
        brackets += "Text " + item.LeftBracket() + " ブラケット内の文字 " + item.RightBracket() + " Text\r\n";
    }
    if (hedBracketPreview->Lines().Text() != brackets + "Text") hedBracketPreview->Lines().SetText(brackets + "Text");
    for (TTextEditorEx* preview : {hedFontPreview, hedColorPreview, hedBracketPreview}) {
        Prop.AssignTo(*preview);
        preview->SearchHitColorFront = SearchHitColorFront;
        preview->SearchHitColorBack = SearchHitColorBack;
        preview->SearchHitFontStyle = SearchHitFontStyle;
        preview->Invalidate();
    }
    hedColorPreview->SetSearchHitString(kSearchSample);
}

bool EditTextViewSettings(TComponent* owner, TTextEditorEx& control, TTextViewSettingsPage startPage) {
    std::unique_ptr<TfoTextViewSettings> window(new TfoTextViewSettings(owner, control, startPage));
    return window->ShowModal() == mrOk;
}
