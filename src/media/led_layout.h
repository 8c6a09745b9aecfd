// Arithmetic of an LED group: where each digit cell sits and how a text is
// fitted to the number of cells.
#pragma once
#include <optional>
#include <string>

struct LedCellBounds {
    int left, top, width, height;
};

// Bounds of the digit with 0-based `index` in a group of the given size.
// The width divides GroupWidth - Margin, the step GroupWidth - 2 x Margin,
// so the last cell may reach past the right margin. Cells with an index of
// maxDigits or more continue the row beyond the right edge. Nothing for a
// group without digits.
std::optional<LedCellBounds> LedCellLayout(int groupWidth, int groupHeight, int margin,
                                           int maxDigits, int index);

// The caption a group shows for text t: cut at maxDigits bytes and padded
// with blanks to exactly maxDigits. Nothing when t is empty, since an empty
// text leaves the display as it was.
std::optional<std::string> LedFitCaption(const std::string& t, int maxDigits);
