// Throughput of the text engine on a large generated Shift-JIS text (not a
// test: run by hand or through scripts/bench_text.sh, see the performance
// notes in src/textview/README.md). QM_BENCH_MB sets the size of the text
// (default 100). QM_BENCH_HEAP=reuse keeps freed memory in the process, so
// loads after the first find their pages already there; by default every
// large block comes fresh from the system, as it does in the program. The
// same text in UTF-8, UTF-16LE, EUC-JP and JIS (written by iconv, cut to the
// size of the Shift-JIS file) measures loading in another encoding beside it.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "base/cp932_converter.h"
#include "app/text_design.h"
#include "app/text_encoding_choice.h"
#include "textview/editor_model.h"
#include "textview/reserve_word_list.h"
#include "textview/text_parser.h"
#include "textview/token_colors.h"

// Every allocation of the process is counted, so a load's peak is known.
namespace {
std::atomic<std::size_t> g_heap_now{0}, g_heap_peak{0};
void* Counted(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const std::size_t now = g_heap_now += malloc_usable_size(p);
    std::size_t peak = g_heap_peak.load();
    while (now > peak && !g_heap_peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}
void Uncounted(void* p) {
    if (!p) return;
    g_heap_now -= malloc_usable_size(p);
    std::free(p);
}
} // namespace
void* operator new(std::size_t n) { return Counted(n); }
void* operator new[](std::size_t n) { return Counted(n); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { Uncounted(p); }

namespace {

const std::string& BenchFile() {
    static const std::string path = [] {
        const char* mb_env = std::getenv("QM_BENCH_MB");
        std::size_t mb = mb_env ? std::strtoul(mb_env, nullptr, 10) : 100;
        // The text is the same every time: a file made by an earlier run is used again.
        std::string p = (std::filesystem::temp_directory_path() /
                         ("qm_text_bench_v2_" + std::to_string(mb) + "mb.txt"))
                            .string();
        if (std::filesystem::exists(p)) return p;
        std::mt19937 rng(1);
        const char* ascii[] = {"int ", "value", " = ", "42", "; ", "http://example.jp/a?b=1", "user@mail.jp",
                               "(x)", "3.14", "\t", "word", " ", "'str'"};
        const char* dbcs[] = {"日本語", "ひらがな", "カタカナ", "、", "。", "「", "」", "ＡＢＣ", "１２３", "ｶﾅ"};
        std::string text;
        text.reserve(mb * 1024 * 1024 + 256);
        while (text.size() < mb * 1024 * 1024) {
            std::size_t len = 20 + rng() % 181, start = text.size();
            while (text.size() - start < len)
                text += rng() % 2 ? ascii[rng() % 13] : dbcs[rng() % 10];
            text += "\r\n";
        }
        const std::string part = p + ".part";
        std::FILE* f = std::fopen(part.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        std::filesystem::rename(part, p);
        return p;
    }();
    return path;
}

std::size_t FileSize() { return std::filesystem::file_size(BenchFile()); }

// Bytes the heap holds for the program (small blocks and mapped ones).
double HeapBytes() {
    struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks) + static_cast<double>(m.hblkhd);
}

// Starts counting the peak from what is allocated now; answers that.
std::size_t ResetPeak() {
    const std::size_t now = g_heap_now.load();
    g_heap_peak = now;
    return now;
}

// The peak since ResetPeak, beyond `base`, over the file size.
double PeakRatio(std::size_t base) {
    return static_cast<double>(g_heap_peak.load() - base) / static_cast<double>(FileSize());
}

void BM_WcL(benchmark::State& state) {
    std::vector<char> buf(128 * 1024);
    BenchFile();
    for (auto _ : state) {
        std::FILE* f = std::fopen(BenchFile().c_str(), "rb");
        std::size_t lines = 0, n;
        while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
            const char* p = buf.data();
            const char* end = p + n;
            while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p)))) {
                ++lines;
                ++p;
            }
        }
        std::fclose(f);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}

// The reference of the load: the whole file read into one buffer, in the
// pieces the load reads, and the offset of every row recorded; nothing else.
void BM_OffsetsSplit(benchmark::State& state) {
    BenchFile();
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = ResetPeak();
        std::FILE* f = std::fopen(BenchFile().c_str(), "rb");
        std::fseek(f, 0, SEEK_END);
        const std::size_t size = static_cast<std::size_t>(std::ftell(f));
        std::fseek(f, 0, SEEK_SET);
        std::unique_ptr<char[]> buf(new char[size + 1]);
        std::vector<std::uint64_t> offsets;
        std::size_t used = 0, n;
        constexpr std::size_t kPiece = 512 * 1024;
        while ((n = std::fread(buf.get() + used, 1, std::min(kPiece, size + 1 - used), f)) > 0) {
            const char* p = buf.get() + used;
            const char* end = p + n;
            while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p)))) {
                ++p;
                offsets.push_back(static_cast<std::uint64_t>(p - buf.get()));
            }
            used += n;
        }
        std::fclose(f);
        peak = PeakRatio(base);
        benchmark::DoNotOptimize(offsets.data());
    }
    state.counters["peak_ratio"] = peak;
    state.SetBytesProcessed(state.iterations() * FileSize());
}

void BM_NaiveSplit(benchmark::State& state) {
    BenchFile();
    for (auto _ : state) {
        std::FILE* f = std::fopen(BenchFile().c_str(), "rb");
        std::vector<std::string> rows;
        std::string cur;
        int c;
        char buf[8192];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
            for (std::size_t i = 0; i < n; ++i) {
                c = buf[i];
                if (c == '\n') {
                    rows.push_back(cur);
                    cur.clear();
                } else if (c != '\r') {
                    cur += static_cast<char>(c);
                }
            }
        }
        std::fclose(f);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}

// The bare engine: a model without colouring rules.
void BM_LoadFromFile(benchmark::State& state) {
    BenchFile();
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = ResetPeak();
        TTextEditorModel ed;
        ed.Lines().LoadFromFile(BenchFile());
        peak = PeakRatio(base);
        benchmark::DoNotOptimize(ed.List().Count());
    }
    state.counters["peak_ratio"] = peak;
    state.SetBytesProcessed(state.iterations() * FileSize());
}

// What the text preview does: the main window's design (a bracket pair, so
// bracket states matter), the encoding told from the head of the file, the
// whole file, and the bracket states of the first screen, which its first
// paint reads.
void BM_LoadWithDesign(benchmark::State& state) {
    BenchFile();
    if (TTextEncodingChoice{}.ForFile(BenchFile()) != teShiftJis) state.SkipWithError("not read as Shift-JIS");
    double peak = 0;
    for (auto _ : state) {
        const std::size_t base = ResetPeak();
        TTextEditorModel ed;
        ApplyTextEngineDesign(ed);
        ed.Lines().LoadFromFile(BenchFile(), TTextEncodingChoice{}.ForFile(BenchFile()));
        int sum = 0;
        for (int r = 0; r < std::min(ed.List().Count(), ed.VisibleRowCount()); ++r)
            sum += ed.List().BracketState(r);
        peak = PeakRatio(base);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["peak_ratio"] = peak;
    state.SetBytesProcessed(state.iterations() * FileSize());
}

// Jumping to the end of the loaded text: its first paint needs the bracket
// state of the last rows, so every row is scanned once.
void BM_BracketsToTheEnd(benchmark::State& state) {
    BenchFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto ed = std::make_unique<TTextEditorModel>();
        ApplyTextEngineDesign(*ed);
        ed->Lines().LoadFromFile(BenchFile());
        state.ResumeTiming();
        benchmark::DoNotOptimize(ed->List().BracketState(ed->List().Count() - 1));
        state.PauseTiming();
        ed.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}

void BM_TextSet(benchmark::State& state) {
    TTextEditorModel src;
    src.Lines().LoadFromFile(BenchFile());
    std::string text = src.Lines().Text();
    BenchFile();
    for (auto _ : state) {
        TTextEditorModel ed;
        ed.Lines().SetText(text);
        benchmark::DoNotOptimize(ed.List().Count());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

struct Piece {
    std::uint32_t offset, length;
};

// The reference of the wrap: every line cut at 80 columns, tabs expanded
// (and cut at the edge), a double-byte character never cut; no rules.
void SimpleWrap(std::string_view line, std::vector<Piece>& out) {
    constexpr int kWidth = 80, kTab = 8;
    std::size_t start = 0, i = 0;
    int col = 0;
    const std::size_t n = line.size();
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(line[i]);
        int w = 1;
        std::size_t len = 1;
        if (b == '\t') {
            w = std::min(kTab - col % kTab, kWidth - col);
        } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < n) {
            w = 2;
            len = 2;
        }
        if (col + w > kWidth) {
            out.push_back(Piece{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - start)});
            start = i;
            col = 0;
            continue;
        }
        col += w;
        i += len;
    }
    out.push_back(Piece{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(n - start)});
}

void BM_SimpleWrap80(benchmark::State& state) {
    TTextEditorModel ed;
    ed.Lines().LoadFromFile(BenchFile());
    std::vector<Piece> pieces;
    for (auto _ : state) {
        pieces.clear();
        for (int r = 0; r < ed.List().Count(); ++r)
            SimpleWrap(ed.List().Strings(r), pieces);
        benchmark::DoNotOptimize(pieces.data());
        state.counters["rows"] = static_cast<double>(pieces.size());
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}

void BM_WrapAll(benchmark::State& state) {
    TTextEditorModel ed;
    ApplyTextEngineDesign(ed);
    ed.Lines().LoadFromFile(BenchFile());
    TTextEditorWrapOption& o = ed.WrapOption();
    o.SetFollowPunctuation(true);
    o.SetLeading(true);
    o.SetWordBreak(true);
    o.SetFollowRetMark(true);
    BenchFile();
    for (auto _ : state) {
        ed.SetWordWrap(true);
        state.PauseTiming();
        state.counters["rows"] = ed.List().Count();
        ed.SetWordWrap(false);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}

// Tokens of every row as painting cuts them, with the main window's rules,
// alone and with the colour lookup painting does for each token.
void Tokenize(benchmark::State& state, bool colour) {
    TTextEditorModel ed;
    ApplyTextEngineDesign(ed);
    TReserveWordList& words = ed.ReserveWordList();
    for (const char* w : {"and", "array", "begin", "case", "const", "div", "do", "downto", "else", "end",
                          "file", "for", "function", "goto", "if", "in", "int", "label", "mod", "nil",
                          "not", "of", "or", "packed", "procedure", "program", "record", "repeat", "set",
                          "then", "to", "type", "until", "value", "var", "while", "with", "word", "http",
                          "日本語", "カタカナ", "ＡＢＣ", "#", "=", ";", "(", ")", "."})
        words.Add(w);
    ed.Lines().LoadFromFile(BenchFile());
    const TTextEditorScreenStrings& list = ed.List();
    for (auto _ : state) {
        std::size_t tokens = 0;
        for (int r = 0; r < list.Count(); ++r) {
            TTextEditorParser p(&ed.View(), -1, list.Strings(r));
            for (; p.Token() != tkEnd; p.NextToken()) {
                if (colour) {
                    const TTextEditorColor* c = TokenColor(ed.View(), words, p.Token(), p.TokenString(),
                                                           p.BracketIndex());
                    benchmark::DoNotOptimize(c);
                }
                ++tokens;
            }
        }
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}
void BM_TokenizeAll(benchmark::State& state) { Tokenize(state, false); }
void BM_TokenizeAndColour(benchmark::State& state) { Tokenize(state, true); }

void BM_RandomReplaceRows(benchmark::State& state) {
    TTextEditorModel ed;
    ed.Lines().LoadFromFile(BenchFile());
    std::mt19937 rng(3);
    BenchFile();
    for (auto _ : state) {
        for (int e = 0; e < 10000; ++e) {
            int n = ed.List().Count();
            int index = static_cast<int>(rng() % n);
            int count = static_cast<int>(rng() % 3);
            if (index + count > n) count = 0;
            ed.List().ReplaceRows(index, count, rng() % 2 ? "edited 行\r\n" : "joined");
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_SingleEditInTheMiddle(benchmark::State& state) {
    TTextEditorModel ed;
    ed.WrapOption().SetWrapByte(80);
    ed.SetWordWrap(state.range(0) != 0);
    ed.Lines().LoadFromFile(BenchFile());
    int middle = ed.Lines().Count() / 2;
    int k = 0;
    BenchFile();
    for (auto _ : state) {
        if (++k % 2)
            ed.Lines().Put(middle, "a changed line 変更した行");
        else
            ed.Lines().Insert(middle, "an inserted line");
    }
}

// The bench text in another encoding, by iconv, cut at a line end to the
// size of the Shift-JIS file.
struct EncodedBench {
    TTextEncoding encoding;
    const char* iconv_name;
    const char* bom;
};
const EncodedBench kEncoded[] = {{teShiftJis, "CP932", ""},
                                 {teUtf8, "UTF-8", ""},
                                 {teUtf16Le, "UTF-16LE", "\xff\xfe"},
                                 {teEucJp, "EUC-JP", ""},
                                 {teJis, "ISO-2022-JP-3", ""}};

std::string ReadAll(const std::string& path) {
    std::string bytes(std::filesystem::file_size(path), '\0');
    std::FILE* f = std::fopen(path.c_str(), "rb");
    bytes.resize(std::fread(&bytes[0], 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

// Converts with iconv; empty when it fails.
std::string Iconv(const std::string& in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string out(in.size() * 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size(), dst_left = out.size();
    char* dst = &out[0];
    const std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) return std::string();
    out.resize(out.size() - dst_left);
    return out;
}

const std::string& EncodedFile(const EncodedBench& e) {
    static std::string paths[kTextEncodingCount];
    std::string& p = paths[e.encoding];
    if (e.encoding == teShiftJis) p = BenchFile();
    if (p.empty()) {
        const std::string sjis = ReadAll(BenchFile());
        std::string text = e.bom + Iconv(sjis, e.iconv_name, "CP932");
        if (text.size() <= std::strlen(e.bom)) {
            std::fprintf(stderr, "iconv CP932 -> %s failed\n", e.iconv_name);
            std::abort();
        }
        // Whole lines up to the size of the Shift-JIS text.
        const std::string lf = e.encoding == teUtf16Le ? std::string("\n\0", 2) : std::string("\n");
        std::size_t cut = std::min(text.size(), sjis.size()) - lf.size();
        while ((cut = text.rfind(lf, cut)) % lf.size() != 0)
            --cut;
        cut += lf.size();
        text.resize(cut);
        p = (std::filesystem::temp_directory_path() / (std::string("qm_text_bench.") + e.iconv_name)).string();
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    return p;
}

// Resident memory the process reached since the last reset, and the reset.
long PeakRssKb() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    while (f && std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
    if (f) std::fclose(f);
    return kb;
}
long RssKb() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    while (f && std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::atol(line + 6);
    if (f) std::fclose(f);
    return kb;
}
void ResetPeakRss() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// Loading a file in its encoding as the preview does: the first bytes for
// detection, then the converting load. Counters: the peak of resident memory
// during the load and the heap kept afterwards, both over the file size.
void BM_LoadEncoded(benchmark::State& state) {
    const EncodedBench& e = kEncoded[state.range(0)];
    const std::string& path = EncodedFile(e);
    const double size = static_cast<double>(std::filesystem::file_size(path));
    double peak = 0, kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeakRss();
        const long before_rss = RssKb();
        const double before = HeapBytes();
        state.ResumeTiming();
        {
            TTextEditorModel ed;
            const TTextEncoding detected = DetectTextEncoding(ReadEncodingPrefix(path));
            if (detected != e.encoding) state.SkipWithError("detected another encoding");
            ed.Lines().LoadFromFile(path, detected);
            kept = (HeapBytes() - before) / size;
            benchmark::DoNotOptimize(ed.List().Count());
            state.PauseTiming();
        }
        peak = (PeakRssKb() - before_rss) * 1024.0 / size;
        state.ResumeTiming();
    }
    state.SetLabel(TextEncodingName(e.encoding));
    state.counters["peak_ratio"] = peak;
    state.counters["mem_ratio"] = kept;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

// Detection and conversion alone, from bytes in memory into a buffer: what
// a load in another encoding adds to a Shift-JIS load of as many bytes.
void BM_DetectAndConvert(benchmark::State& state) {
    const EncodedBench& e = kEncoded[state.range(0)];
    const std::string bytes = ReadAll(EncodedFile(e));
    std::unique_ptr<char[]> out(new char[TCp932Converter::MaxOutput(bytes.size())]);
    std::memset(out.get(), 0, TCp932Converter::MaxOutput(bytes.size()));
    for (auto _ : state) {
        TCp932Converter c(DetectTextEncoding(bytes));
        std::size_t n = c.Convert(bytes.data(), bytes.size(), out.get());
        n += c.Finish(out.get() + n);
        benchmark::DoNotOptimize(n);
    }
    state.SetLabel(TextEncodingName(e.encoding));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// The same conversion by glibc's iconv, for reference.
void BM_IconvToCp932(benchmark::State& state) {
    const EncodedBench& e = kEncoded[state.range(0)];
    const std::string bytes = ReadAll(EncodedFile(e));
    std::string out(bytes.size() * 2 + 16, '\0');
    iconv_t cd = iconv_open("CP932", e.encoding == teUtf16Le ? "UTF-16" : e.iconv_name);
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(bytes.data());
        char* dst = &out[0];
        std::size_t src_left = bytes.size(), dst_left = out.size();
        iconv(cd, &src, &src_left, &dst, &dst_left);
        benchmark::DoNotOptimize(dst_left);
    }
    iconv_close(cd);
    state.SetLabel(TextEncodingName(e.encoding));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

BENCHMARK(BM_WcL)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetsSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaiveSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadEncoded)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectAndConvert)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvToCp932)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWithDesign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BracketsToTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimpleWrap80)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WrapAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizeAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizeAndColour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomReplaceRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleEditInTheMiddle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    const char* heap = std::getenv("QM_BENCH_HEAP");
    if (heap && std::strcmp(heap, "reuse") == 0) {
        // Every block from the one heap, never given back: after a first
        // round the pages of a load are those of the load before.
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        mallopt(M_TOP_PAD, 64 << 20);
        const std::size_t warm = FileSize() * 3;
        char* p = static_cast<char*>(std::malloc(warm));
        for (std::size_t i = 0; i < warm; i += 4096)
            p[i] = 1;
        std::free(p);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
