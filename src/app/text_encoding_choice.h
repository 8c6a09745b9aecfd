// The encoding the text pane reads files in: detected for each file (the
// default), or one the user fixed in the text menu. The choice is kept in the
// environment data file.
#pragma once
#include <string>
#include <string_view>

#include "base/text_encoding.h"

struct TTextEncodingChoice {
    bool Auto = true;
    TTextEncoding Fixed = teShiftJis;

    // The encoding of a file with these first bytes.
    TTextEncoding For(std::string_view prefix) const { return Auto ? DetectTextEncoding(prefix) : Fixed; }
    // The same for a file on disk (its first bytes are read only to detect).
    TTextEncoding ForFile(const std::string& path) const;

    // "Auto", or the encoding's name.
    std::string SettingValue() const;
    // Anything but "Auto" and a known name is auto, as is a missing key.
    static TTextEncodingChoice FromSetting(std::string_view value);

    bool operator==(const TTextEncodingChoice& o) const {
        return Auto == o.Auto && (Auto || Fixed == o.Fixed);
    }
};

// What a partial load shows of the first bytes of a file. Shift-JIS is the
// bytes up to the first NUL, as it has always been; another encoding is
// converted to CP932, leaving out a character the cut went through.
std::string PartialText(std::string_view bytes, TTextEncoding encoding);

// The encoding as the file information line shows it after the size: its
// name, and nothing for Shift-JIS, so that line reads as it always has.
std::string EncodingText(TTextEncoding encoding);
