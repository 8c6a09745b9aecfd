// Throughput of the text engine on a large generated Shift-JIS text (not a
// test: run by hand, see the performance notes in src/textview/README.md).
// QM_BENCH_MB sets the size of the text (default 100).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "textview/editor_model.h"
#include "textview/text_parser.h"

namespace {

const std::string& BenchFile() {
    static const std::string path = [] {
        const char* mb_env = std::getenv("QM_BENCH_MB");
        std::size_t mb = mb_env ? std::strtoul(mb_env, nullptr, 10) : 100;
        std::string p = (std::filesystem::temp_directory_path() / "qm_text_bench.txt").string();
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
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
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

void BM_LoadFromFile(benchmark::State& state) {
    double ratio = 0;
    BenchFile();
    for (auto _ : state) {
        double before = HeapBytes();
        TTextEditorModel ed;
        ed.Lines().LoadFromFile(BenchFile());
        ratio = (HeapBytes() - before) / FileSize();
        benchmark::DoNotOptimize(ed.List().Count());
    }
    state.counters["mem_ratio"] = ratio;
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

void BM_WrapAll(benchmark::State& state) {
    TTextEditorModel ed;
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

void BM_TokenizeAll(benchmark::State& state) {
    TTextEditorModel ed;
    ed.View().SetUrl(true);
    ed.View().SetMail(true);
    ed.View().SetQuotation("'");
    ed.View().SetCommenter(">");
    ed.Lines().LoadFromFile(BenchFile());
    BenchFile();
    for (auto _ : state) {
        std::size_t tokens = 0;
        for (int r = 0; r < ed.List().Count(); ++r) {
            TTextEditorParser p(&ed.View(), -1, ed.List().Strings(r));
            for (; p.Token() != tkEnd; p.NextToken()) ++tokens;
        }
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(state.iterations() * FileSize());
}

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

BENCHMARK(BM_WcL)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaiveSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WrapAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizeAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomReplaceRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleEditInTheMiddle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
