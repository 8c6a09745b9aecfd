#include "ui/screen.h"

TScreen Screen;

HCURSOR TScreen::CursorHandle() const {
    switch (cursor_) {
    case crHourGlass: return LoadCursor(nullptr, IDC_WAIT);
    case crHandPoint: return LoadCursor(nullptr, IDC_HAND);
    case crIBeam: return LoadCursor(nullptr, IDC_IBEAM);
    default: return LoadCursor(nullptr, IDC_ARROW);
    }
}

void TScreen::SetCursor(TCursor c) {
    if (c == cursor_) return;
    cursor_ = c;
    ::SetCursor(CursorHandle());
}
