#include "media/led_layout.h"

#include "media/led_segments.h"

std::optional<LedCellBounds> LedCellLayout(int groupWidth, int groupHeight, int margin,
                                           int maxDigits, int index) {
    if (maxDigits <= 0) return std::nullopt; // nothing to divide the width by
    const int width = RoundHalfEven(static_cast<double>(groupWidth - margin) / maxDigits);
    const int step = RoundHalfEven(static_cast<double>(groupWidth - 2 * margin) / maxDigits);
    return LedCellBounds{step * index + margin, margin, width, groupHeight - 2 * margin};
}

std::optional<std::string> LedFitCaption(const std::string& t, int maxDigits) {
    if (t.empty()) return std::nullopt;
    if (maxDigits < 0) maxDigits = 0;
    std::string caption = (t + std::string(20, ' ')).substr(0, static_cast<std::size_t>(maxDigits));
    // A group wider than the text plus its padding still gets a blank in
    // every cell rather than reading past the caption.
    caption.resize(static_cast<std::size_t>(maxDigits), ' ');
    return caption;
}
