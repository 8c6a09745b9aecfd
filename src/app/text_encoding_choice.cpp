#include "app/text_encoding_choice.h"

#include "base/cp932_converter.h"

TTextEncoding TTextEncodingChoice::ForFile(const std::string& path) const {
    return Auto ? DetectTextEncoding(ReadEncodingPrefix(path)) : Fixed;
}

std::string TTextEncodingChoice::SettingValue() const {
    return Auto ? "Auto" : TextEncodingName(Fixed);
}

TTextEncodingChoice TTextEncodingChoice::FromSetting(std::string_view value) {
    TTextEncodingChoice choice;
    TTextEncoding e;
    if (TextEncodingFromName(value, e)) {
        choice.Auto = false;
        choice.Fixed = e;
    }
    return choice;
}

std::string PartialText(std::string_view bytes, TTextEncoding encoding) {
    if (encoding == teShiftJis) return std::string(bytes.substr(0, bytes.find('\0')));
    return ConvertToCp932(bytes, encoding, true);
}

std::string EncodingText(TTextEncoding encoding) {
    return encoding == teShiftJis ? std::string() : std::string(TextEncodingName(encoding));
}
