// The system's common dialogs, in the terms of the component layer.
#pragma once
#include <string>

#include "ui/controls.h"

// The font dialog, started from `font`; true and `font` changed on OK.
bool ExecuteFontDialog(HWND owner, TFont& font);
