// The screen cursor the program shows over all its windows.
#pragma once
#include "ui/win32.h"

enum TCursor { crDefault = 0, crHourGlass = -11, crHandPoint = -21, crIBeam = -4 };

class TScreen {
public:
    TCursor Cursor() const { return cursor_; }
    // Setting a cursor other than crDefault shows it over every window of
    // the program until it is set back.
    void SetCursor(TCursor c);
    HCURSOR CursorHandle() const;

private:
    TCursor cursor_ = crDefault;
};
extern TScreen Screen;

// Shows the hourglass for the life of the object and restores what was
// there before, also when the work in between throws.
class THourGlass {
public:
    THourGlass() : saved_(Screen.Cursor()) { Screen.SetCursor(crHourGlass); }
    ~THourGlass() { Screen.SetCursor(saved_); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor saved_;
};
