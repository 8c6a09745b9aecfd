// The system's common dialogs, in the terms of the component layer.
#pragma once
#include <functional>
#include <string>

#include "ui/controls.h"

// The font dialog, started from `font`; true and `font` changed on OK.
bool ExecuteFontDialog(HWND owner, TFont& font);

// The input box: a caption, a prompt and an edit field starting with
// `value`. True and `value` changed on OK; false on Cancel.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// Tests put a stand-in here so that no box waits for a user.
using TInputQueryHook = std::function<bool(const std::string& caption, const std::string& prompt,
                                           std::string& value)>;
void SetInputQueryHook(TInputQueryHook hook);
