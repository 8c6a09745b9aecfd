// Margins and spacing of the text view in pixels (published as Margin).
#pragma once
#include "textview/notify_persistent.h"

class TTextEditorMargin : public TNotifyPersistent {
public:
    int Character() const { return character_; }
    int Left() const { return left_; }
    int Line() const { return line_; }
    int Top() const { return top_; }

    // Extra pixels per column, clamped to 0..100.
    void SetCharacter(int v) { SetValue(character_, v < 0 ? 0 : v > 100 ? 100 : v); }
    void SetLeft(int v) { SetValue(left_, v); }
    void SetLine(int v) { SetValue(line_, v); }
    void SetTop(int v) { SetValue(top_, v); }

    void Assign(const TTextEditorMargin& source);

private:
    int character_ = 0;
    int left_ = 19;
    int line_ = 0;
    int top_ = 2;
};
