// The open-file and colour dialogs of the system, with hooks so that tests
// can answer them instead of a user.
#pragma once
#include <functional>
#include <string>

#include "base/color.h"
#include "ui/win32.h"

struct TOpenDialogOptions {
    std::string Title;
    // Pairs of description and patterns, all separated by '|':
    // "アプリケーション(*.exe)|*.exe".
    std::string Filter;
    // Empty: the system's choice.
    std::string InitialDir;
};

// True and `fileName` set to the chosen file on OK.
bool ExecuteOpenDialog(HWND owner, const TOpenDialogOptions& options, std::string& fileName);
// Starts with `color`; true and `color` changed on OK.
bool ExecuteColorDialog(HWND owner, TColor& color);

using TOpenDialogHook = std::function<bool(const TOpenDialogOptions& options, std::string& fileName)>;
using TColorDialogHook = std::function<bool(TColor& color)>;
void SetOpenDialogHook(TOpenDialogHook hook);
void SetColorDialogHook(TColorDialogHook hook);
