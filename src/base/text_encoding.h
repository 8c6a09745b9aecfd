// The encodings of text files the viewer reads, and telling which one a file
// is in from its first bytes. Everything is shown in code page 932
// (cp932_converter.h).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

enum TTextEncoding : unsigned char { teShiftJis, teUtf8, teUtf16Le, teUtf16Be, teEucJp, teJis };
constexpr int kTextEncodingCount = 6;

// "Shift_JIS", "UTF-8", "UTF-16LE", "UTF-16BE", "EUC-JP", "JIS".
const char* TextEncodingName(TTextEncoding encoding);
// The encoding of a name as TextEncodingName writes it (any letter case);
// false for any other text.
bool TextEncodingFromName(std::string_view name, TTextEncoding& encoding);

// Detection looks at no more than this many bytes from the start of a file,
// so a partial and a full load of the same file agree.
constexpr std::size_t kEncodingDetectBytes = 64 * 1024;

// The encoding of a text from its first bytes (at most kEncodingDetectBytes
// of them are looked at; a character cut at the end does not count):
// a byte-order mark wins; then ISO-2022-JP by its escape sequences; then
// whichever of UTF-8, EUC-JP and Shift-JIS reads the bytes as the most
// plausible Japanese text. Text without 8-bit bytes, and anything that reads
// no better in another encoding, is Shift-JIS.
TTextEncoding DetectTextEncoding(std::string_view prefix);

// The first bytes of a file (up to kEncodingDetectBytes); empty when it
// cannot be read.
std::string ReadEncodingPrefix(const std::string& path);
