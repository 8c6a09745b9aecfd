// Helpers of the commands that show a window and save what the screen shows.
#pragma once
#include <string>

#include "ui/win32.h"

class TApplication;

// Runs pending messages (and the application's idle handler, when given)
// for a while without blocking on an empty queue.
void PumpMessages(DWORD ms, TApplication* app = nullptr);
// The window as the screen shows it, frame included, as a 24-bit .BMP.
bool SaveWindowBitmap(HWND hwnd, const std::string& path);
// Saves the window when a path is given and says so; false when it could
// not be written.
bool CaptureWindow(HWND hwnd, const std::string& path);
