// Converts text in any of the encodings of text_encoding.h to code page 932,
// the code page the text control shows, as a stream: a character cut
// between two pieces of input is finished with the next piece.
//
// A character CP932 lacks, and each broken piece of input (an ill-formed
// UTF-8 sequence, a lone UTF-16 surrogate, a byte no EUC-JP or ISO-2022-JP
// character starts with), becomes one substitute, the double-byte GETA MARK
// (kCp932Substitute): never a dropped byte and never a line end, so damage
// stays where it is. A byte-order mark at the start is not shown. Line ends
// and every other control character pass through as they are, NUL included;
// ISO-2022-JP returns to ASCII at each line end, so an escape that never
// comes back spoils one line only.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "base/text_encoding.h"

class TCp932Converter {
public:
    explicit TCp932Converter(TTextEncoding encoding) : encoding_(encoding) {}

    TTextEncoding Encoding() const { return encoding_; }

    // The most bytes one call of Convert or Finish writes for n input bytes.
    static constexpr std::size_t MaxOutput(std::size_t n) { return 2 * n + 16; }

    // Converts the next n bytes of the stream into out, which has room for
    // MaxOutput(n) bytes; answers the bytes written. A character cut at the
    // end of the input waits for the next call.
    std::size_t Convert(const char* in, std::size_t n, char* out);
    // The stream ended: a character still waiting is cut short and becomes
    // the substitute. Answers the bytes written (0 or 2).
    std::size_t Finish(char* out);
    // Whether a started character is waiting for more input.
    bool Pending() const { return carried_ > 0; }

private:
    // Converts the whole characters at the start of in[0, n) and answers the
    // bytes taken; the rest is the start of a character.
    std::size_t Step(const unsigned char* in, std::size_t n, char*& out);
    std::size_t StepUtf8(const unsigned char* in, std::size_t n, char*& out);
    std::size_t StepUtf16(const unsigned char* in, std::size_t n, char*& out, bool big_endian);
    std::size_t StepEucJp(const unsigned char* in, std::size_t n, char*& out);
    std::size_t StepJis(const unsigned char* in, std::size_t n, char*& out);

    enum JisSet : unsigned char { jsAscii, jsKanji, jsKana, jsOther };

    TTextEncoding encoding_;
    bool at_start_ = true;  // a byte-order mark may come
    JisSet jis_set_ = jsAscii;
    bool jis_shift_out_ = false;  // SO: katakana until SI
    unsigned char carry_[4] = {};
    std::size_t carried_ = 0;
};

// The whole of `bytes` in CP932. With `cut`, the bytes are the start of a
// longer file: a character cut at their end is left out instead of shown as
// damage.
std::string ConvertToCp932(std::string_view bytes, TTextEncoding encoding, bool cut = false);
