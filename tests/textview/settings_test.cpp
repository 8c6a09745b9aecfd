// Settings objects: clamps, store-on-change notification, update brackets
// and the bracket collection's limit.
#include <gtest/gtest.h>

#include "textview/caret_options.h"
#include "textview/editor_model.h"
#include "textview/margin_options.h"
#include "textview/marks_options.h"
#include "textview/view_info.h"
#include "textview/wrap_option.h"

namespace {

TEST(Settings, Clamps) {
    TTextEditorCaret caret;
    const int in[] = {0, 1, 2, 3, 5, 7, 8, 9, 100};
    const int out[] = {2, 2, 2, 2, 4, 6, 8, 8, 8};
    for (std::size_t k = 0; k < sizeof in / sizeof *in; ++k) {
        caret.SetTabSpaceCount(in[k]);
        EXPECT_EQ(caret.TabSpaceCount(), out[k]) << in[k];
    }
    TTextEditorMargin margin;
    margin.SetCharacter(-3);
    EXPECT_EQ(margin.Character(), 0);
    margin.SetCharacter(101);
    EXPECT_EQ(margin.Character(), 100);
    TTextEditorWrapOption wrap;
    wrap.SetWrapByte(19);
    EXPECT_EQ(wrap.WrapByte(), 20);
    wrap.SetWrapByte(251);
    EXPECT_EQ(wrap.WrapByte(), 250);
}

TEST(Settings, Defaults) {
    TTextEditorModel ed;
    EXPECT_TRUE(ed.Caret().AutoIndent());
    EXPECT_TRUE(ed.Caret().FreeCaret());
    EXPECT_EQ(ed.Caret().TabSpaceCount(), 8);
    EXPECT_EQ(ed.Margin().Left(), 19);
    EXPECT_EQ(ed.Margin().Top(), 2);
    EXPECT_EQ(ed.Marks().EofMark().Color(), clGray);
    EXPECT_FALSE(ed.Marks().Underline().Visible());
    EXPECT_EQ(ed.View().Colors().Select.BkColor(), clNavy);
    EXPECT_EQ(ed.View().Colors().Select.Color(), clWhite);
    EXPECT_EQ(ed.View().Colors().Ank.BkColor(), clWindow);
    EXPECT_EQ(ed.WrapOption().WrapByte(), 80);
    EXPECT_EQ(ed.WrapOption().FollowStr(), TTextEditorWrapOption::kDefaultFollowStr);
    EXPECT_EQ(ed.WrapOption().LeadStr(), "（［｛「『([{｢");
    EXPECT_EQ(ed.UndoListMax(), 64);
}

TEST(Settings, NotifyOnlyOnChangeAndOncePerBracket) {
    TTextEditorWrapOption wrap;
    int n = 0;
    wrap.OnChange = [&](TNotifyPersistent&) { ++n; };
    wrap.SetWrapByte(80);
    EXPECT_EQ(n, 0);
    wrap.SetWrapByte(60);
    EXPECT_EQ(n, 1);
    wrap.BeginUpdate();
    wrap.SetLeading(true);
    wrap.SetWordBreak(true);
    EXPECT_EQ(n, 1);
    wrap.EndUpdate();
    EXPECT_EQ(n, 2);

    TTextEditorWrapOption other;
    other.SetWrapByte(30);
    other.SetFollowStr("x");
    wrap.Assign(other);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(wrap.WrapByte(), 30);
    EXPECT_FALSE(wrap.Leading());
    EXPECT_EQ(wrap.FollowStr(), "x");

    // A nested colour entry notifies through its owners.
    TTextEditorViewInfo view;
    int v = 0;
    view.OnChange = [&](TNotifyPersistent&) { ++v; };
    view.Colors().Int.SetStyle(fsBold);
    view.Colors().SameBkColor(clNavy);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(view.Colors().Str.BkColor(), clNavy);
    EXPECT_EQ(view.Colors().Select.BkColor(), clNavy);
    EXPECT_EQ(view.Colors().Select.Color(), clWhite);

    TTextEditorMarks marks;
    int m = 0;
    marks.OnChange = [&](TNotifyPersistent&) { ++m; };
    marks.Underline().SetVisible(true);
    EXPECT_EQ(m, 1);
}

TEST(Settings, FifteenthBracketPairIsRefused) {
    TTextEditorBracketCollection b;
    for (int i = 0; i < 14; ++i) b.Add(std::string(1, 'a' + i), ")");
    try {
        b.Add("x", "y");
        FAIL() << "no error";
    } catch (const ETextEditorBracketError& e) {
        EXPECT_STREQ(e.what(), "TTextEditorBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_EQ(b.Count(), 14);
    b.SameColor(clRed);
    EXPECT_EQ(b.Items(13).ItemColor().Color(), clRed);
    TTextEditorBracketCollection copy;
    copy.Assign(b);
    EXPECT_EQ(copy.Count(), 14);
    EXPECT_EQ(copy.Items(3).LeftBracket(), "d");
}

} // namespace
