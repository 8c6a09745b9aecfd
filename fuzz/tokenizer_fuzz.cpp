// The tokenizer with random view settings, bracket pairs and reserved
// words: over a single row, tokens lie inside the text, in order, each one
// at least a byte long, and the scan ends; over a whole text, every row's
// bracket state names a pair that exists.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "textview/editor_model.h"
#include "textview/text_parser.h"
#include "textview/token_colors.h"

namespace {

bool KnownKind(TokenKind k) {
    return k <= tkFloat || k == tkBracket || k == tkComment || k == tkWord || k == tkTab ||
           (k >= tkDbSymbol && k != 13 && k <= tkMail);
}

void ScanRow(const TTextEditorViewInfo* view, const TReserveWordList& reserved, int state,
             const std::string& text, int pairs) {
    TTextEditorParser p(view, state, text);
    std::size_t end = 0;
    std::size_t steps = 0;
    while (p.Token() != tkEnd) {
        FUZZ_CHECK(++steps <= text.size() + 1);
        FUZZ_CHECK(KnownKind(p.Token()));
        FUZZ_CHECK(p.TokenOffset() >= 0 && static_cast<std::size_t>(p.TokenOffset()) >= end);
        FUZZ_CHECK(p.TokenLength() > 0);
        end = static_cast<std::size_t>(p.TokenOffset() + p.TokenLength());
        FUZZ_CHECK(end <= text.size());
        FUZZ_CHECK(p.TokenString() == std::string_view(text).substr(p.TokenOffset(), p.TokenLength()));
        if (p.Token() == tkBracket) FUZZ_CHECK(p.BracketIndex() >= 0 && p.BracketIndex() < pairs);
        if (view) TokenColor(*view, reserved, p.Token(), p.TokenString(), p.BracketIndex());
        p.NextToken();
    }
    if (state >= -1) FUZZ_CHECK(p.BracketState() >= -1 && p.BracketState() < pairs);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    TTextEditorModel m;
    m.SetVisibleRowCount(in.ConsumeIntegralInRange(1, 6));
    TTextEditorViewInfo& view = m.View();
    view.BeginUpdate();
    const int pairs = in.ConsumeIntegralInRange(0, TTextEditorBracketCollection::kMaxItems);
    for (int i = 0; i < pairs; ++i) {
        const std::string left = in.ConsumeRandomLengthString(4);
        view.Brackets().Add(left, in.ConsumeRandomLengthString(4));
    }
    view.SetCommenter(in.ConsumeRandomLengthString(3));
    view.SetQuotation(in.ConsumeRandomLengthString(2));
    view.SetHexPrefix(in.ConsumeRandomLengthString(3));
    view.SetControlCode(in.ConsumeBool());
    view.SetMail(in.ConsumeBool());
    view.SetUrl(in.ConsumeBool());
    view.EndUpdate();
    for (int i = in.ConsumeIntegralInRange(0, 4); i > 0; --i)
        m.ReserveWordList().Add(in.ConsumeRandomLengthString(6));
    const bool wrap = in.ConsumeBool();
    const int wrapByte = in.ConsumeIntegralInRange(20, 40);
    const int state = in.ConsumeIntegralInRange(-3, pairs - 1);
    const std::string text = in.ConsumeRandomLengthString(4096);

    ScanRow(&view, m.ReserveWordList(), state, text, pairs);
    ScanRow(nullptr, m.ReserveWordList(), -1, text, pairs);

    // The whole text: states carried from row to row, with a token cut by
    // the wrap seen whole.
    m.WrapOption().SetWrapByte(wrapByte);
    m.SetWordWrap(wrap);
    m.Lines().SetText(text);
    TTextEditorScreenStrings& list = m.List();
    // Edits leave the states past a short window to be computed lazily.
    for (int edits = 0; edits < 8 && in.remaining_bytes() > 0; ++edits) {
        const int n = list.Count();
        const int at = in.ConsumeIntegralInRange(0, n > 0 ? n - 1 : 0);
        const int count = in.ConsumeIntegralInRange(0, n - at > 3 ? 3 : n - at);
        list.ReplaceRows(at, count, in.ConsumeRandomLengthString(64));
        if (in.ConsumeBool() && list.Count() > 0)
            list.UpdateBrackets(in.ConsumeIntegralInRange(0, list.Count() - 1), false);
    }
    for (int row = list.Count() - 1; row >= 0; row -= 5) list.UpdateBrackets(row, false);
    std::vector<int> lazy;
    for (int row = 0; row < list.Count(); ++row) {
        lazy.push_back(list.BracketState(row));
        FUZZ_CHECK(lazy.back() >= -2 && lazy.back() < pairs);
    }
    // What the lazy window computed is what a full scan computes.
    list.RecomputeAllBrackets();
    for (int row = 0; row < list.Count(); ++row) {
        const int s = list.BracketState(row);
        FUZZ_CHECK(s >= -1 && s < pairs);
        FUZZ_CHECK(lazy[row] == -2 || lazy[row] == s);
        ScanRow(&view, m.ReserveWordList(), s, std::string(list.Strings(row)), pairs);
    }
    return 0;
}
