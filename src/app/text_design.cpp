#include "app/text_design.h"

#include "base/color.h"
#include "textview/editor_model.h"

namespace {
void SetColor(TTextEditorColor& c, TColor bk, TColor fg, TFontStyles style = 0) {
    c.SetBkColor(bk);
    c.SetColor(fg);
    c.SetStyle(style);
}
} // namespace

void ApplyTextEngineDesign(TTextEditorModel& e) {
    TTextEditorCaret& caret = e.Caret();
    caret.BeginUpdate();
    caret.SetAutoIndent(true);
    caret.SetFreeCaret(false);
    caret.SetTabSpaceCount(8);
    caret.EndUpdate();
    TTextEditorMarks& marks = e.Marks();
    marks.BeginUpdate();
    marks.EofMark().SetVisible(true);
    marks.EofMark().SetColor(clGray);
    marks.RetMark().SetVisible(true);
    marks.RetMark().SetColor(clGray);
    marks.Underline().SetVisible(true);
    marks.Underline().SetColor(clLime);
    marks.EndUpdate();
    e.Margin().SetLeft(19);
    e.Margin().SetTop(2);
    TTextEditorViewInfo& view = e.View();
    view.BeginUpdate();
    view.Brackets().Clear();
    SetColor(view.Brackets().Add("{", "}").ItemColor(), clNavy, clSilver);
    view.SetCommenter(">");
    view.SetControlCode(true);
    view.SetHexPrefix("#");
    view.SetMail(true);
    view.SetUrl(true);
    view.SetQuotation("'");
    TTextEditorColors& c = view.Colors();
    SetColor(c.Ank, clNavy, clWhite);
    SetColor(c.Comment, clNavy, clAqua);
    SetColor(c.DBCS, clNavy, clWhite);
    SetColor(c.Int, clNavy, clRed, fsBold);
    SetColor(c.Mail, clLime, clBlack, fsUnderline);
    SetColor(c.Reserve, clNavy, clWhite);
    SetColor(c.Select, clWhite, clBlack);
    SetColor(c.Str, clNavy, clYellow, fsBold);
    SetColor(c.Symbol, clNavy, clLime);
    SetColor(c.Url, clYellow, clBlack, fsUnderline);
    view.EndUpdate();
    e.WrapOption().SetWrapByte(80);
    e.SetReadOnly(true);
}
