// How values are written in the environment data file: integers in decimal
// (read back leniently), booleans as 1/0, colours by name or as "$" and
// eight hex digits, font styles as a bit set, font sizes in points.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "base/color.h"

// The integer a text stands for ("12", "-3", "$1F", "0x1F"), or nothing.
std::optional<long long> ParseIniInteger(std::string_view text);
int IniInteger(std::string_view text, int fallback);

// "clBlue" for a named colour, else "$00BBGGRR" (eight upper-case digits).
std::string ColorToString(TColor color);
// By name (any letter case) or as a number; nothing when it is neither.
std::optional<TColor> StringToColor(std::string_view text);

// Font sizes are stored in points; controls measure fonts in pixels (96 per inch).
int PointsFromPixels(int pixels);
int PixelsFromPoints(int points);
