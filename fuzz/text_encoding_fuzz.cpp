// Detection and conversion to CP932 of any bytes in any encoding, whole, in
// random pieces and cut short, and the load of a file in that encoding.
// What the converter writes is well-formed CP932 (every double-byte code one
// CP932 defines, no byte outside ASCII and half-width katakana), however the
// pieces fall; byte encodings keep every line feed; a cut shows the start of
// the whole; and the rows of the load are those of the converted text.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "base/cp932_converter.h"
#include "base/cp932_tables.h"
#include "fuzz_support.h"
#include "textview/editor_model.h"

namespace {

void CheckWellFormed(const std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
        FUZZ_CHECK(i + 1 < s.size());
        FUZZ_CHECK(Cp932Defined(c, static_cast<unsigned char>(s[i + 1])));
        ++i;
    }
}

std::string Rows(const TTextEditorModel& m) {
    std::string out;
    for (int i = 0; i < m.List().Count(); ++i) {
        out += m.List().Strings(i);
        out += static_cast<char>('0' + m.List().Attribute(i));
    }
    return out;
}

std::string WriteScratch(const std::string& name, const std::string& bytes) {
    const std::string path = "/tmp/qm_fuzz_enc_" + std::to_string(getpid()) + name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const auto encoding = static_cast<TTextEncoding>(in.ConsumeIntegralInRange(0, kTextEncodingCount - 1));
    std::vector<std::size_t> pieces;
    for (int n = in.ConsumeIntegralInRange(1, 4); n > 0; --n)
        pieces.push_back(in.ConsumeIntegralInRange<std::size_t>(1, 9));
    const bool load = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const TTextEncoding detected = DetectTextEncoding(text);
    FUZZ_CHECK(detected < kTextEncodingCount);

    const std::string whole = ConvertToCp932(text, encoding);
    FUZZ_CHECK(whole.size() <= TCp932Converter::MaxOutput(text.size()));
    if (encoding != teShiftJis) CheckWellFormed(whole);
    if (encoding != teUtf16Le && encoding != teUtf16Be) {
        std::size_t in_lf = 0, out_lf = 0;
        for (char c : text) in_lf += c == '\n';
        for (char c : whole) out_lf += c == '\n';
        FUZZ_CHECK(in_lf == out_lf);
    }

    TCp932Converter converter(encoding);
    std::string streamed;
    for (std::size_t at = 0, k = 0; at < text.size(); ++k) {
        const std::size_t n = std::min(pieces[k % pieces.size()], text.size() - at);
        std::string out(TCp932Converter::MaxOutput(n), '\0');
        out.resize(converter.Convert(text.data() + at, n, &out[0]));
        streamed += out;
        at += n;
    }
    const std::string cut = streamed;
    std::string tail(TCp932Converter::MaxOutput(0), '\0');
    tail.resize(converter.Finish(&tail[0]));
    streamed += tail;
    FUZZ_CHECK(streamed == whole);
    FUZZ_CHECK(cut == ConvertToCp932(text, encoding, true));
    FUZZ_CHECK(whole.compare(0, cut.size(), cut) == 0);

    if (load) {
        const std::string original = WriteScratch(".in", text);
        const std::string converted = WriteScratch(".out", whole);
        TTextEditorModel a, b;
        a.Lines().LoadFromFile(original, encoding);
        b.Lines().LoadFromFile(converted);
        FUZZ_CHECK(Rows(a) == Rows(b));
        std::remove(original.c_str());
        std::remove(converted.c_str());
    }
    return 0;
}
