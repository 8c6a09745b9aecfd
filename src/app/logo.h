// The program's logo, drawn rather than stored: a dark band with the name.
#pragma once
#include "ui/win32.h"

constexpr int kLogoWidth = 282, kLogoHeight = 75;
void DrawLogo(HDC dc, int x, int y);
