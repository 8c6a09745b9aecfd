// Caret behaviour of the text view (published as Caret).
#pragma once
#include "textview/notify_persistent.h"

enum TCaretStyle { csDefault = 0, csBrief = 1 };

class TTextEditorCaret : public TNotifyPersistent {
public:
    bool AutoIndent() const { return auto_indent_; }
    bool FreeCaret() const { return free_caret_; }
    bool InTab() const { return in_tab_; }
    bool KeepCaret() const { return keep_caret_; }
    bool LockScroll() const { return lock_scroll_; }
    bool NextLine() const { return next_line_; }
    bool PrevSpaceIndent() const { return prev_space_indent_; }
    bool SoftTab() const { return soft_tab_; }
    TCaretStyle Style() const { return style_; }
    bool TabIndent() const { return tab_indent_; }
    int TabSpaceCount() const { return tab_space_count_; }

    void SetAutoIndent(bool v) { SetValue(auto_indent_, v); }
    void SetFreeCaret(bool v) { SetValue(free_caret_, v); }
    void SetInTab(bool v) { SetValue(in_tab_, v); }
    void SetKeepCaret(bool v) { SetValue(keep_caret_, v); }
    void SetLockScroll(bool v) { SetValue(lock_scroll_, v); }
    void SetNextLine(bool v) { SetValue(next_line_, v); }
    void SetPrevSpaceIndent(bool v) { SetValue(prev_space_indent_, v); }
    void SetSoftTab(bool v) { SetValue(soft_tab_, v); }
    void SetStyle(TCaretStyle v) { SetValue(style_, v); }
    void SetTabIndent(bool v) { SetValue(tab_indent_, v); }
    // Only 2, 4, 6 and 8 occur: clamped to 2..8, then rounded down to even.
    void SetTabSpaceCount(int v);

    void Assign(const TTextEditorCaret& source);

private:
    bool auto_indent_ = true;
    bool free_caret_ = true;
    bool in_tab_ = false;
    bool keep_caret_ = false;
    bool lock_scroll_ = false;
    bool next_line_ = false;
    bool prev_space_indent_ = false;
    bool soft_tab_ = false;
    TCaretStyle style_ = csDefault;
    bool tab_indent_ = false;
    int tab_space_count_ = 8;
};
