// Text loaded from a file (Lines.LoadFromFile) or set as a whole
// (Lines.Text), then wrapped with random options and joined again. Wrapping
// only moves row boundaries: the text, the logical lines and, after
// joining, the rows themselves must come back unchanged, and no wrapped row
// may end inside a double-byte character.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "textview/editor_model.h"

namespace {

struct Row {
    std::string text;
    TRowAttribute attribute;
    bool operator==(const Row& o) const { return text == o.text && attribute == o.attribute; }
};

std::vector<Row> Rows(const TTextEditorModel& m) {
    std::vector<Row> rows;
    for (int i = 0; i < m.List().Count(); ++i)
        rows.push_back({std::string(m.List().Strings(i)), m.List().Attribute(i)});
    return rows;
}

const std::string& ScratchFile() {
    static const std::string path = "/tmp/qm_fuzz_text_" + std::to_string(getpid()) + ".txt";
    return path;
}

void CheckRows(const TTextEditorModel& m) {
    const TTextEditorScreenStrings& list = m.List();
    for (int i = 0; i < list.Count(); ++i) {
        const std::string_view row = list.Strings(i);
        for (char c : row) FUZZ_CHECK(c != '\r' && c != '\n');
        if (list.Attribute(i) != raWrapped) continue;
        // A lead byte always travels with the byte after it: a wrapped row
        // must not end in a lone one while the line goes on (a line may
        // itself end in one).
        std::size_t p = 0, last = 0;
        while (p < row.size()) {
            last = p;
            p += fuzz::IsLeadByte(static_cast<unsigned char>(row[p])) && p + 1 < row.size() ? 2 : 1;
        }
        const bool loneLead = !row.empty() && last == row.size() - 1 &&
                              fuzz::IsLeadByte(static_cast<unsigned char>(row[last]));
        FUZZ_CHECK(!loneLead || i + 1 == list.Count() || list.Strings(i + 1).empty());
    }
}

void Load(TTextEditorModel& m, bool fromFile, const std::string& text) {
    if (fromFile) {
        {
            std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
        }
        m.Lines().LoadFromFile(ScratchFile());
    } else {
        m.Lines().SetText(text);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool fromFile = in.ConsumeBool();
    const bool wrapFirst = in.ConsumeBool();
    const int tab = in.ConsumeIntegralInRange(0, 10);
    const int wrapByte = in.ConsumeIntegralInRange(0, 300);
    const bool followRet = in.ConsumeBool(), followPunct = in.ConsumeBool();
    const bool leading = in.ConsumeBool(), wordBreak = in.ConsumeBool();
    const std::string follow = fuzz::ShortString(in, fuzz::kFollowStr);
    const std::string lead = fuzz::ShortString(in, fuzz::kLeadStr);
    const std::string punct = fuzz::ShortString(in, fuzz::kPunctuationStr);
    const std::string text = in.ConsumeRemainingBytesAsString();

    // The same text without wrapping, for reference.
    TTextEditorModel plainModel;
    plainModel.Caret().SetTabSpaceCount(tab);
    Load(plainModel, fromFile, text);
    CheckRows(plainModel);
    const std::vector<Row> plain = Rows(plainModel);
    const std::string plainText = plainModel.Lines().Text();
    const int lines = plainModel.Lines().Count();
    FUZZ_CHECK(lines == static_cast<int>(plain.size()));

    TTextEditorModel m;
    m.SetVisibleRowCount(8);
    m.Caret().SetTabSpaceCount(tab);
    TTextEditorWrapOption& w = m.WrapOption();
    w.BeginUpdate();
    w.SetWrapByte(wrapByte);
    w.SetFollowRetMark(followRet);
    w.SetFollowPunctuation(followPunct);
    w.SetLeading(leading);
    w.SetWordBreak(wordBreak);
    w.SetFollowStr(follow);
    w.SetLeadStr(lead);
    w.SetPunctuationStr(punct);
    w.EndUpdate();
    if (wrapFirst) {
        m.SetWordWrap(true);
        Load(m, fromFile, text);
    } else {
        Load(m, fromFile, text);
        m.SetWordWrap(true);
    }
    CheckRows(m);
    FUZZ_CHECK(m.Lines().Text() == plainText);
    FUZZ_CHECK(m.Lines().Count() == lines);
    for (int i = 0, row = 0; i < lines && i < 64; ++i) {
        FUZZ_CHECK(m.Lines().Get(i) == plain[i].text);
        // A line starts where the rows of the lines before it end, and takes
        // as many rows as counting says.
        const int rows = m.Lines().RowsOfLine(i);
        FUZZ_CHECK(m.Lines().LineToRow(i) == row);
        FUZZ_CHECK(rows >= 1);
        FUZZ_CHECK(m.List().RowCountOfLine(plain[i].text) == rows);
        row += rows;
    }

    // Another width re-wraps in place; joining gives the first rows back.
    w.SetWrapByte(wrapByte / 2 + 20);
    CheckRows(m);
    FUZZ_CHECK(m.Lines().Text() == plainText);
    m.SetWordWrap(false);
    FUZZ_CHECK(Rows(m) == plain);
    return 0;
}
