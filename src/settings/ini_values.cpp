#include "settings/ini_values.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "base/sjis.h"
#include "base/strutil.h"

namespace {
struct NamedColor {
    const char* name;
    TColor value;
};

// The standard colour names, in the order the names are looked up when a
// value is written (the first name of a value wins).
const NamedColor kNamedColors[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clScrollBar", clSystemColor | 0}, {"clBackground", clSystemColor | 1},
    {"clActiveCaption", clSystemColor | 2}, {"clInactiveCaption", clSystemColor | 3},
    {"clMenu", clSystemColor | 4}, {"clWindow", clSystemColor | 5}, {"clWindowFrame", clSystemColor | 6},
    {"clMenuText", clSystemColor | 7}, {"clWindowText", clSystemColor | 8},
    {"clCaptionText", clSystemColor | 9}, {"clActiveBorder", clSystemColor | 10},
    {"clInactiveBorder", clSystemColor | 11}, {"clAppWorkSpace", clSystemColor | 12},
    {"clHighlight", clSystemColor | 13}, {"clHighlightText", clSystemColor | 14},
    {"clBtnFace", clSystemColor | 15}, {"clBtnShadow", clSystemColor | 16},
    {"clGrayText", clSystemColor | 17}, {"clBtnText", clSystemColor | 18},
    {"clInactiveCaptionText", clSystemColor | 19}, {"clBtnHighlight", clSystemColor | 20},
    {"cl3DDkShadow", clSystemColor | 21}, {"cl3DLight", clSystemColor | 22},
    {"clInfoText", clSystemColor | 23}, {"clInfoBk", clSystemColor | 24},
    {"clNone", 0x1FFFFFFF}, {"clDefault", clDefault},
};
}  // namespace

std::optional<long long> ParseIniInteger(std::string_view text) {
    std::string t = Trim(text);
    bool negative = false;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return std::nullopt;
    unsigned long long value = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFULL) return std::nullopt;  // beyond 32 bits: not a number here
    }
    const long long v = static_cast<long long>(value);
    return negative ? -v : v;
}

int IniInteger(std::string_view text, int fallback) {
    auto v = ParseIniInteger(text);
    if (!v || *v < -2147483648LL || *v > 0xFFFFFFFFLL) return fallback;
    return static_cast<int>(static_cast<std::uint32_t>(*v));
}

std::string ColorToString(TColor color) {
    for (const NamedColor& c : kNamedColors) {
        if (c.value == color) return c.name;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(color));
    return buf;
}

std::optional<TColor> StringToColor(std::string_view text) {
    const std::string t = Trim(text);
    for (const NamedColor& c : kNamedColors) {
        if (SjisSameText(c.name, t)) return c.value;
    }
    auto v = ParseIniInteger(t);
    if (!v) return std::nullopt;
    return static_cast<TColor>(static_cast<std::uint32_t>(*v));
}

// A hand-edited file may hold any integer: the arithmetic runs in 64 bits
// and the result is kept inside int.
namespace {
int ClampToInt(long long v) {
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}
}  // namespace

int PointsFromPixels(int pixels) { return ClampToInt((pixels * 72LL + 48) / 96); }
int PixelsFromPoints(int points) { return ClampToInt((points * 96LL + 36) / 72); }
