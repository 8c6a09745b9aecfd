#include "textview/text_view_settings.h"

#include <functional>

#include "settings/ini_file.h"
#include "settings/ini_values.h"
#include "textview/text_editor_ex_win.h"
#include "textview/text_editor_prop.h"

namespace {
// Marker defaults: a value no file holds tells a missing key from an empty one.
const char kInitialLaunch[] = "X_KVT_InitialLaunch";
const char kKeywordNothing[] = "X_KVT_KEYWORD_NOTHING";

TFontStyles Styles(int v) { return static_cast<TFontStyles>(v & 0x0F); }

// Reading and writing walk the keys in one routine (VisitKeys), so that the
// two cannot drift apart: each key comes with the value the holder has now
// (the default when reading, the value when writing) and its setter.
struct KeyReader {
    const TIniFile& ini;
    const std::string& section;

    void Color(const std::string& key, TColor now, const std::function<void(TColor)>& set) {
        set(ini.ReadColor(section, key, now));
    }
    void Int(const std::string& key, int now, const std::function<void(int)>& set) {
        set(ini.ReadInteger(section, key, now));
    }
    // A key whose default is fixed rather than the current value.
    void IntDefault(const std::string& key, int /*now*/, int fallback, const std::function<void(int)>& set) {
        set(ini.ReadInteger(section, key, fallback));
    }
    void Bool(const std::string& key, bool now, const std::function<void(bool)>& set) {
        set(ini.ReadBool(section, key, now));
    }
    void Str(const std::string& key, const std::string& now, const std::function<void(const std::string&)>& set) {
        set(ini.ReadString(section, key, now));
    }
    void Entry(const std::string& prefix, TTextEditorColor& c) {
        c.SetBkColor(ini.ReadColor(section, prefix + "BkColor", c.BkColor()));
        c.SetColor(ini.ReadColor(section, prefix + "Color", c.Color()));
        // A file written before the entry existed keeps the designed style.
        if (ini.ReadString(section, prefix + "BkColor", kInitialLaunch) != kInitialLaunch)
            c.SetStyle(Styles(ini.ReadInteger(section, prefix + "Style", 0)));
    }
    void Margins(TTextEditorMargin& m) {
        m.SetLeft(ini.ReadInteger(section, "MarginLeft", m.Left()));
        m.SetTop(ini.ReadInteger(section, "MarginTop", m.Top()));
        m.SetCharacter(ini.ReadInteger(section, "MarginCharacter", m.Character()));
        m.SetLine(ini.ReadInteger(section, "MarginLine", m.Line()));
    }
};

struct KeyWriter {
    TIniFile& ini;
    const std::string& section;

    void Color(const std::string& key, TColor now, const std::function<void(TColor)>&) {
        ini.WriteColor(section, key, now);
    }
    void Int(const std::string& key, int now, const std::function<void(int)>&) { ini.WriteInteger(section, key, now); }
    void IntDefault(const std::string& key, int now, int, const std::function<void(int)>&) {
        ini.WriteInteger(section, key, now);
    }
    void Bool(const std::string& key, bool now, const std::function<void(bool)>&) { ini.WriteBool(section, key, now); }
    void Str(const std::string& key, const std::string& now, const std::function<void(const std::string&)>&) {
        ini.WriteString(section, key, now);
    }
    void Entry(const std::string& prefix, TTextEditorColor& c) {
        ini.WriteColor(section, prefix + "BkColor", c.BkColor());
        ini.WriteColor(section, prefix + "Color", c.Color());
        ini.WriteInteger(section, prefix + "Style", c.Style());
    }
    // Written in the order of their names, as files of earlier versions have them.
    void Margins(TTextEditorMargin& m) {
        ini.WriteInteger(section, "MarginCharacter", m.Character());
        ini.WriteInteger(section, "MarginLeft", m.Left());
        ini.WriteInteger(section, "MarginLine", m.Line());
        ini.WriteInteger(section, "MarginTop", m.Top());
    }
};

template <class Io>
void VisitKeys(Io& io, TTextEditorProp& p) {
    io.Color("Color", p.Color(), [&](TColor v) { p.SetColor(v); });
    auto font = [&](const std::function<void(TFont&)>& change) {
        TFont f = p.Font();
        change(f);
        p.SetFont(f);
    };
    io.Color("FontColor", p.Font().Color, [&](TColor v) { font([v](TFont& f) { f.Color = v; }); });
    io.Str("FontName", p.Font().Name, [&](const std::string& v) { font([&v](TFont& f) { f.Name = v; }); });
    io.Int("FontSize", PointsFromPixels(p.Font().Height),
           [&](int v) { font([v](TFont& f) { f.Height = PixelsFromPoints(v); }); });
    io.IntDefault("FontStyle", p.Font().Styles(), 0,
                  [&](int v) { font([v](TFont& f) { f.SetStyles(static_cast<TFontStyles>(v)); }); });

    TTextEditorCaret& c = p.Caret();
    io.Bool("CaretAutoIndent", c.AutoIndent(), [&](bool v) { c.SetAutoIndent(v); });
    io.Bool("CaretFreeCaret", c.FreeCaret(), [&](bool v) { c.SetFreeCaret(v); });
    io.Bool("CaretInTab", c.InTab(), [&](bool v) { c.SetInTab(v); });
    io.Bool("CaretKeepCaret", c.KeepCaret(), [&](bool v) { c.SetKeepCaret(v); });
    io.Bool("CaretLockScroll", c.LockScroll(), [&](bool v) { c.SetLockScroll(v); });
    io.Bool("CaretNextLine", c.NextLine(), [&](bool v) { c.SetNextLine(v); });
    io.Bool("CaretPrevSpaceIndent", c.PrevSpaceIndent(), [&](bool v) { c.SetPrevSpaceIndent(v); });
    io.Bool("CaretSoftTab", c.SoftTab(), [&](bool v) { c.SetSoftTab(v); });
    io.IntDefault("CaretStyle", c.Style(), 0, [&](int v) { c.SetStyle(v == csBrief ? csBrief : csDefault); });
    io.Bool("CaretTabIndent", c.TabIndent(), [&](bool v) { c.SetTabIndent(v); });
    io.Int("CaretTabSpaceCount", c.TabSpaceCount(), [&](int v) { c.SetTabSpaceCount(v); });

    io.Margins(p.Margin());

    TTextEditorMarks& m = p.Marks();
    io.Bool("MarkEofVisible", m.EofMark().Visible(), [&](bool v) { m.EofMark().SetVisible(v); });
    io.Bool("MarkRetVisible", m.RetMark().Visible(), [&](bool v) { m.RetMark().SetVisible(v); });
    io.Bool("MarkUnderLineVisible", m.Underline().Visible(), [&](bool v) { m.Underline().SetVisible(v); });
    io.Color("MarkEofMarkColor", m.EofMark().Color(), [&](TColor v) { m.EofMark().SetColor(v); });
    io.Color("MarkRetMarkColor", m.RetMark().Color(), [&](TColor v) { m.RetMark().SetColor(v); });
    io.Color("MarkUnderLineColor", m.Underline().Color(), [&](TColor v) { m.Underline().SetColor(v); });

    // Anything but the four known values shows the vertical bar.
    io.IntDefault("ScrollBars", p.ScrollBars(), ssVertical,
                  [&](int v) { p.SetScrollBars(v >= ssNone && v <= ssBoth ? TScrollStyle(v) : ssVertical); });

    TTextEditorViewInfo& view = p.View();
    TTextEditorColors& colors = view.Colors();
    const std::pair<const char*, TTextEditorColor*> entries[] = {
        {"ViewColorsAnk", &colors.Ank},       {"ViewColorsComment", &colors.Comment},
        {"ViewColorsDBCS", &colors.DBCS},     {"ViewColorsInt", &colors.Int},
        {"ViewColorsMail", &colors.Mail},     {"ViewColorsSelect", &colors.Select},
        {"ViewColorsStr", &colors.Str},       {"ViewColorsSymbol", &colors.Symbol},
        {"ViewColorsUrl", &colors.Url},
    };
    for (const auto& e : entries) io.Entry(e.first, *e.second);
    io.Str("ViewCommenter", view.Commenter(), [&](const std::string& v) { view.SetCommenter(v); });
    io.Bool("ViewControlCode", view.ControlCode(), [&](bool v) { view.SetControlCode(v); });
    io.Str("ViewHexPrefix", view.HexPrefix(), [&](const std::string& v) { view.SetHexPrefix(v); });
    io.Bool("ViewMail", view.Mail(), [&](bool v) { view.SetMail(v); });
    io.Str("ViewQuotation", view.Quotation(), [&](const std::string& v) { view.SetQuotation(v); });
    io.Bool("ViewUrl", view.Url(), [&](bool v) { view.SetUrl(v); });

    io.Bool("WordWrap", p.WordWrap(), [&](bool v) { p.SetWordWrap(v); });
    TTextEditorWrapOption& w = p.WrapOption();
    io.Bool("FollowPunctuation", w.FollowPunctuation(), [&](bool v) { w.SetFollowPunctuation(v); });
    io.Bool("FollowRetMark", w.FollowRetMark(), [&](bool v) { w.SetFollowRetMark(v); });
    io.Str("FollowStr", w.FollowStr(), [&](const std::string& v) { w.SetFollowStr(v); });
    io.Bool("Leading", w.Leading(), [&](bool v) { w.SetLeading(v); });
    io.Str("LeadStr", w.LeadStr(), [&](const std::string& v) { w.SetLeadStr(v); });
    io.Str("PunctuationStr", w.PunctuationStr(), [&](const std::string& v) { w.SetPunctuationStr(v); });
    io.Bool("WordBreak", w.WordBreak(), [&](bool v) { w.SetWordBreak(v); });
    io.Int("WrapByte", w.WrapByte(), [&](int v) { w.SetWrapByte(v); });
}

std::string KeywordKey(int i, const char* what) { return "Kw" + std::to_string(i) + what; }
}  // namespace

void LoadTextViewSettings(TTextEditorEx& control, const TIniFile* file, const std::string& section,
                          int maxKeywordIndex) {
    if (!file) return;
    // Read into a holder and hand it over at once: the control re-measures
    // and re-wraps once instead of after every key.
    TTextEditorProp prop;
    prop.Assign(control);
    KeyReader reader{*file, section};
    VisitKeys(reader, prop);
    prop.AssignTo(control);

    const std::string list = section + "KeyWordList";
    for (int i = 0; i <= maxKeywordIndex; ++i) {
        const std::string word = file->ReadString(list, KeywordKey(i, "Str"), kKeywordNothing);
        if (word == kKeywordNothing || word.empty()) break;
        TKeyWordColor color;
        color.FrontColor = file->ReadColor(list, KeywordKey(i, "FrontColor"), clBlack);
        color.BackColor = file->ReadColor(list, KeywordKey(i, "BackColor"), clWhite);
        color.Style = Styles(file->ReadInteger(list, KeywordKey(i, "Styles"), 0));
        control.KeyWordList.Add(word, color);
    }

    control.SearchHitColorFront = file->ReadColor(section, "SearchHitColorFront", clBlack);
    control.SearchHitColorBack = file->ReadColor(section, "SearchHitColorBack", clAqua);
    control.SearchHitFontStyle = Styles(file->ReadInteger(section, "SearchHitFontStyle", 0));
    control.Invalidate();
}

void SaveTextViewSettings(TTextEditorEx& control, TIniFile* file, const std::string& section) {
    if (!file) return;
    TTextEditorProp prop;
    prop.Assign(control);
    KeyWriter writer{*file, section};
    VisitKeys(writer, prop);

    // Erased first, so that a shorter list leaves no keys of deleted words.
    const std::string list = section + "KeyWordList";
    file->EraseSection(list);
    for (int i = 0; i < control.KeyWordList.Count(); ++i) {
        const TKeyWordColor& color = control.KeyWordList.Objects(i);
        file->WriteString(list, KeywordKey(i, "Str"), control.KeyWordList.Strings(i));
        file->WriteColor(list, KeywordKey(i, "FrontColor"), color.FrontColor);
        file->WriteColor(list, KeywordKey(i, "BackColor"), color.BackColor);
        file->WriteInteger(list, KeywordKey(i, "Styles"), color.Style);
    }

    file->WriteColor(section, "SearchHitColorFront", control.SearchHitColorFront);
    file->WriteColor(section, "SearchHitColorBack", control.SearchHitColorBack);
    file->WriteInteger(section, "SearchHitFontStyle", control.SearchHitFontStyle);
}
