// The exception of the PNG reader and its fixed message texts. Callers catch
// it and show their own message with the file name.
#pragma once
#include <stdexcept>
#include <string>

class EPngError : public std::runtime_error {
public:
    explicit EPngError(const char* message) : std::runtime_error(message) {}
};

namespace png_msg {
constexpr const char* kNotPng = "PNG LoadStream: Not PNG Format";
constexpr const char* kZlib = "PNG LoadStream: Error ZLIB";
constexpr const char* kTwoIhdr = "Read Header(PNG): appear two IHDR";
constexpr const char* kColorType = "Read Header(PNG): Error ColorType";
constexpr const char* kBitDepth = "Read Header(PNG): Error BitDepth";
constexpr const char* kGreyBitDepth = "Read Header(PNG): Error Bitdepth";
constexpr const char* kGreyAlphaDepth = "Read Header(PNG): not Use AlphaChannel";
constexpr const char* kCompression = "Read Header(PNG): not support Compression";
constexpr const char* kFilter = "Read Header(PNG): not supprt Filter";
constexpr const char* kInterlace = "Read Header(PNG): not interlace type";
constexpr const char* kReadError = "Read Image (PNG): Read Error";
} // namespace png_msg
