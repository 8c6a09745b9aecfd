// The program's logo, drawn rather than stored: a dark band with the name.
#pragma once
#include "ui/win32.h"

constexpr int kLogoWidth = 282, kLogoHeight = 75;
// A new device-dependent bitmap of kLogoWidth x kLogoHeight; the caller frees it.
HBITMAP CreateLogoBitmap(HDC reference);
void DrawLogo(HDC dc, int x, int y);
