// Row list and line view: splitting, loading, the data word, Lines
// operations and the ReplaceRows paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "text_test_util.h"
#include "textview/row_array.h"

namespace {

using R = RowView;

TEST(RowData, AttributeAndBracketBitsAreIndependent) {
    std::uint32_t d = MakeRowData(raWrapped, 13);
    EXPECT_EQ(RowDataAttribute(d), raWrapped);
    EXPECT_EQ(RowDataBracket(d), 13);
    d = WithAttribute(d, raEof);
    EXPECT_EQ(RowDataBracket(d), 13);
    d = WithBracket(d, -1);
    EXPECT_EQ(RowDataAttribute(d), raEof);
    EXPECT_EQ(RowDataBracket(d), -1);
    EXPECT_EQ(RowDataBracket(0), -2);

    TTextEditorStringList list;
    list.Add("a");
    EXPECT_EQ(list.Attribute(-1), raInvalid);
    EXPECT_EQ(list.Attribute(1), raInvalid);
}

TEST(RowArray, MatchesAVectorUnderRandomInsertsAndErases) {
    RowArray a;
    std::vector<RowRec> ref;
    std::mt19937 rng(7);
    static const char bytes[] = "x";
    for (int step = 0; step < 3000; ++step) {
        int op = rng() % 3;
        if (op < 2 || ref.empty()) {
            int at = ref.empty() ? 0 : static_cast<int>(rng() % (ref.size() + 1));
            int n = 1 + rng() % (step % 50 == 0 ? 6000 : 5);
            std::vector<RowRec> recs;
            for (int k = 0; k < n; ++k)
                recs.push_back(RowRec{bytes, static_cast<std::uint32_t>(rng() % 9),
                                      MakeRowData(rng() % 3 ? raCrlf : raWrapped)});
            a.insert(at, recs.data(), n);
            ref.insert(ref.begin() + at, recs.begin(), recs.end());
        } else {
            int at = static_cast<int>(rng() % ref.size());
            int n = 1 + static_cast<int>(rng() % std::min<std::size_t>(ref.size() - at, 3000));
            a.erase(at, n);
            ref.erase(ref.begin() + at, ref.begin() + at + n);
        }
    }
    ASSERT_EQ(a.size(), static_cast<int>(ref.size()));
    int ends = 0;
    std::uint64_t bytes_total = 0;
    for (int i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a.get(i).length, ref[i].length) << i;
        ASSERT_EQ(a.get(i).data, ref[i].data) << i;
        bytes_total += ref[i].length;
        if (RowDataAttribute(ref[i].data) != raWrapped) {
            ASSERT_EQ(a.nth_line_end(ends), i);
            ++ends;
        }
    }
    EXPECT_EQ(a.line_ends(), ends);
    EXPECT_EQ(a.nth_line_end(ends), -1);
    EXPECT_EQ(a.text_bytes(), bytes_total);
}

TEST(SplitText, LineBreakKindsAndNul) {
    TTextEditorModel ed;
    ed.Lines().SetText("a\rb\nc\r\n");
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"a", raCrlf}, {"b", raCrlf}, {"c", raCrlf}}));

    // LF CR ends a row and then an empty row.
    ed.Lines().SetText("a\n\rb");
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"a", raCrlf}, {"", raCrlf}, {"b", raCrlf}}));

    // Text set gives raCrlf even to an unterminated last row.
    ed.Lines().SetText("abc");
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"abc", raCrlf}}));
    EXPECT_EQ(ed.Lines().Text(), "abc\r\n");

    ed.Lines().SetText("");
    EXPECT_EQ(ed.List().Count(), 0);

    // A NUL ends a row; the text after it is kept.
    ed.Lines().SetText(std::string("a\0b\r\n", 5));
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"a", raCrlf}, {"b", raCrlf}}));
}

TEST(LoadFromFile, EndsAndMarks) {
    TTextEditorModel ed;
    {
        TempFile f("abc");
        ed.Lines().LoadFromFile(f.path());
        EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"abc", raEof}}));
        EXPECT_EQ(ed.Lines().Text(), "abc");
    }
    {
        TempFile f("hello\x1Aworld\r\nmore");
        ed.Lines().LoadFromFile(f.path());
        EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"hello", raEof}}));
    }
    {
        TempFile f("");
        ed.Lines().LoadFromFile(f.path());
        EXPECT_EQ(ed.List().Count(), 0);
        EXPECT_EQ(ed.Lines().Count(), 0);
    }
    {
        TempFile f("a\rb\rc");
        ed.Lines().LoadFromFile(f.path());
        EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"a", raCrlf}, {"b", raCrlf}, {"c", raEof}}));
    }
    {
        TempFile f("a\n\rb\n");
        ed.Lines().LoadFromFile(f.path());
        EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"a", raCrlf}, {"", raCrlf}, {"b", raCrlf}}));
    }
    {
        // NUL bytes, 0x80, 0xA0, 0xFD..0xFF and a lone lead byte stay in the row.
        std::string bytes("x\0y\x80\xA0\xFD\xFE\xFF\x82\r\n\x82", 12);
        TempFile f(bytes);
        ed.Lines().LoadFromFile(f.path());
        ASSERT_EQ(ed.List().Count(), 2);
        EXPECT_EQ(ed.List().Strings(0), std::string("x\0y\x80\xA0\xFD\xFE\xFF\x82", 9));
        EXPECT_EQ(RowsOf(ed.List())[1], (R{"\x82", raEof}));
    }
    EXPECT_THROW(ed.Lines().LoadFromFile("/no/such/folder/file.txt"), EFOpenError);
    EXPECT_EQ(ed.Lines().UpdateCount(), 0);
}

TEST(LoadFromFile, FileTooLargeToHoldIsRefusedBeforeReadingAndKeepsTheText) {
    // A sparse file one byte over the limit: its size says it all, so the
    // load must not read (or allocate) its gigabytes to find out.
    const std::string path = (std::filesystem::temp_directory_path() / "qm_text_huge.txt").string();
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fputs("head", f);
#ifdef _WIN32
        ASSERT_EQ(0, _fseeki64(f, TTextEditorScreenStrings::kMaxLoadBytes, SEEK_SET));
#else
        ASSERT_EQ(0, fseeko(f, TTextEditorScreenStrings::kMaxLoadBytes, SEEK_SET));
#endif
        std::fputc('x', f);
        std::fclose(f);
    }
    TTextEditorModel ed;
    ed.Lines().SetText("shown before\r\n");
    EXPECT_THROW(ed.Lines().LoadFromFile(path), ETextTooLarge);
    EXPECT_EQ("shown before\r\n", ed.Lines().Text());
    EXPECT_EQ(0, ed.Lines().UpdateCount());
    EXPECT_THROW(ed.List().LoadFromFile(path), ETextTooLarge);
    EXPECT_EQ("shown before\r\n", ed.Lines().Text());
    // Refused the same in every encoding (a UTF-16 file twice the size of its
    // text is no exception).
    EXPECT_THROW(ed.Lines().LoadFromFile(path, teUtf16Le), ETextTooLarge);
    EXPECT_THROW(ed.List().LoadFromFile(path, teUtf8), ETextTooLarge);
    EXPECT_EQ("shown before\r\n", ed.Lines().Text());
    std::remove(path.c_str());
}

TEST(LoadFromFile, LineEndsAtTheOldBlockBoundary) {
    TTextEditorModel ed;
    std::string line(8192, 'x');
    TempFile f(line + "\r\n" + std::string(8191, 'y') + "\r\nz");
    ed.Lines().LoadFromFile(f.path());
    ASSERT_EQ(ed.List().Count(), 3);
    EXPECT_EQ(ed.List().Strings(0).size(), 8192u);
    EXPECT_EQ(ed.List().Strings(1).size(), 8191u);
    EXPECT_EQ(RowsOf(ed.List())[2], (R{"z", raEof}));
}

TEST(LoadFromFile, CrOnlyLargeFileIsSplitEveryWhere) {
    TTextEditorModel ed;
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "row\r";
    TempFile f(text);
    ed.Lines().LoadFromFile(f.path());
    EXPECT_EQ(ed.List().Count(), 20000);
    EXPECT_EQ(ed.List().Attribute(19999), raCrlf);
}

// Splits as a file is read: rows where CR, LF and CR LF end lines, an
// unterminated last row as raEof, nothing from the first 0x1A on.
std::vector<R> ReferenceRows(const std::string& bytes) {
    std::vector<R> rows;
    std::string cur;
    std::size_t i = 0, end = bytes.find('\x1A');
    if (end == std::string::npos) end = bytes.size();
    while (i < end) {
        char c = bytes[i++];
        if (c != '\r' && c != '\n') {
            cur += c;
            continue;
        }
        rows.push_back(R{cur, raCrlf});
        cur.clear();
        if (c == '\r' && i < end && bytes[i] == '\n') ++i;
    }
    if (!cur.empty()) rows.push_back(R{cur, raEof});
    return rows;
}

TEST(LoadFromFile, LargeFilesSplitAtEveryOffset) {
    // The file is read and split piece by piece: these put a line end, a
    // CR of a CR LF pair and a lone CR on every offset, so on every piece
    // boundary too.
    TTextEditorModel ed;
    std::string text;
    for (int i = 0; i < 700000; ++i)
        text += "x\r\n";
    {
        TempFile f(text);
        ed.Lines().LoadFromFile(f.path());
        EXPECT_EQ(ed.List().Count(), 700000);
        EXPECT_EQ(ed.Lines().Text(), text);
    }
    text.clear();
    for (int i = 0; i < 1100000; ++i)
        text += "x\r";
    {
        TempFile f(text + "\r\n");
        ed.Lines().LoadFromFile(f.path());
        ASSERT_EQ(ed.List().Count(), 1100001);
        EXPECT_EQ(RowsOf(ed.List())[1099999], (R{"x", raCrlf}));
        EXPECT_EQ(RowsOf(ed.List())[1100000], (R{"", raCrlf}));
    }
    // Random lines with every kind of line end and a mark far into the file.
    std::mt19937 rng(7);
    text.clear();
    const char* ends[] = {"\r", "\n", "\r\n", "\n\r"};
    while (text.size() < 1500000) {
        text += std::string(rng() % 2000, static_cast<char>('a' + rng() % 26));
        text += ends[rng() % 4];
    }
    for (std::string bytes : {text, text + "tail", text.substr(0, 1200000) + "\x1A" + text}) {
        TempFile f(bytes);
        ed.Lines().LoadFromFile(f.path());
        EXPECT_TRUE(RowsOf(ed.List()) == ReferenceRows(bytes)) << bytes.size();
    }
}

#if defined(__linux__)
TEST(LoadFromFile, FileLongerThanItsSizeSays) {
    // Files of /proc report no size: the text is read on in a growing buffer
    // and split once at the end.
    std::FILE* f = std::fopen("/proc/version", "rb");
    if (!f) GTEST_SKIP();
    std::string bytes;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        bytes.append(buf, n);
    std::fclose(f);
    TTextEditorModel ed;
    ed.Lines().LoadFromFile("/proc/version");
    EXPECT_FALSE(bytes.empty());
    EXPECT_TRUE(RowsOf(ed.List()) == ReferenceRows(bytes));
}
#endif

TEST(Lines, AddAfterUnterminatedLastRow) {
    TTextEditorModel ed;
    TempFile f("a\r\nb");
    ed.Lines().LoadFromFile(f.path());
    EXPECT_EQ(ed.Lines().Add("x"), 2);
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{"a", raCrlf}, {"b", raCrlf}, {"x", raEof}}));
    EXPECT_EQ(ed.Lines().Add("y"), 3);
    EXPECT_EQ(ed.Lines().Text(), "a\r\nb\r\nx\r\ny");

    TTextEditorModel empty;
    EXPECT_EQ(empty.Lines().Add("first"), 0);
    EXPECT_EQ(RowsOf(empty.List()), (std::vector<R>{{"first", raCrlf}}));
}

TEST(Lines, PutInsertDeleteWithWordWrap) {
    TTextEditorModel ed;
    ed.WrapOption().SetWrapByte(20);
    ed.SetWordWrap(true);
    std::string long_line(45, 'q');
    ed.Lines().SetText("one\r\n" + long_line + "\r\nthree");
    EXPECT_EQ(ed.List().Count(), 5);
    EXPECT_EQ(ed.Lines().Count(), 3);
    EXPECT_EQ(ed.Lines()[1], long_line);
    EXPECT_EQ(ed.Lines()[2], "three");
    EXPECT_EQ(ed.Lines().LineToRow(2), 4);

    ed.Lines().Put(1, "short");
    EXPECT_EQ(ed.List().Count(), 3);
    EXPECT_EQ(ed.Lines().Text(), "one\r\nshort\r\nthree\r\n");

    ed.Lines().Insert(0, long_line);
    EXPECT_EQ(ed.Lines().Count(), 4);
    EXPECT_EQ(ed.Lines()[0], long_line);
    EXPECT_EQ(ed.Lines()[1], "one");

    ed.Lines().Delete(0);
    EXPECT_EQ(ed.Lines().Text(), "one\r\nshort\r\nthree\r\n");
    ed.Lines().Insert(3, "four");
    EXPECT_EQ(ed.Lines()[3], "four");
}

TEST(ReplaceRows, WholeLineDeleteKeepsRowsAboveUntouched) {
    TTextEditorModel ed;
    ed.Lines().SetText("a\r\nb\r\nc\r\nd\r\n");
    const char* above = ed.List().Strings(0).data();
    ed.List().ReplaceRows(1, 2, "");
    EXPECT_EQ(ed.Lines().Text(), "a\r\nd\r\n");
    EXPECT_EQ(ed.List().Strings(0).data(), above);
    const TUpdateInfo& u = ed.List().UpdateInfo();
    EXPECT_EQ(u.FirstRow, 1);
    EXPECT_EQ(u.OldCount, 2);
    EXPECT_EQ(u.NewCount, 0);
    EXPECT_TRUE(u.Updated);
}

// What the arena may hold for a text of `live` bytes: twice the text, the
// slack and one open chunk.
bool ArenaBounded(const TTextEditorModel& ed) {
    const TTextEditorScreenStrings& list = ed.List();
    const std::uint64_t live = list.Rows().text_bytes();
    return const_cast<TTextEditorScreenStrings&>(list).Arena().BytesHeld() <=
           2 * live + TTextEditorScreenStrings::kCompactionSlack + 128 * 1024;
}

TEST(ReplaceRows, RepeatedEditsKeepTheArenaBounded) {
    // Every edit leaves the old text behind; the arena must not grow with
    // the number of edits, and the text and its undo must survive the moves.
    TTextEditorModel ed;
    ed.SetUndoListMax(1000);
    ed.Lines().SetText("head\r\nbody\r\ntail");
    std::string big(10000, 'q');
    for (int i = 0; i < 400; ++i) {
        big[i * 7 % big.size()] = static_cast<char>('a' + i % 26);
        ed.Lines().Put(1, big);
        ed.Lines().Put(0, "head" + std::to_string(i));
        ASSERT_TRUE(ArenaBounded(ed)) << "after edit " << i;
    }
    EXPECT_TRUE(ed.Lines().Text() == "head399\r\n" + big + "\r\ntail\r\n");
    ed.Undo();
    EXPECT_EQ(ed.Lines().Get(0), "head398");
    ed.Undo();
    big[399 * 7 % big.size()] = 'q';
    EXPECT_TRUE(ed.Lines().Get(1) == big);

    // Re-wrapping and joining again and again, with edits in between.
    ed.WrapOption().SetWrapByte(20);
    for (int i = 0; i < 60; ++i) {
        ed.SetWordWrap(i % 2 == 0);
        ed.Lines().Insert(1, std::string(300, static_cast<char>('a' + i % 26)));
        ed.Lines().Delete(2);
        ASSERT_TRUE(ArenaBounded(ed)) << "after wrap " << i;
    }
    EXPECT_EQ(ed.Lines().Get(0), "head398");
    EXPECT_EQ(ed.Lines().Get(1), std::string(300, static_cast<char>('a' + 59 % 26)));
    EXPECT_EQ(ed.Lines().Count(), 3);
}

TEST(ReplaceRows, FastAndGeneralPathsAgree) {
    // Deleting whole lines takes the fast path; replacing the same rows by
    // the text that follows them goes the general way. Rows must match.
    for (bool wrap : {false, true}) {
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += std::string(7 + (i * 13) % 50, 'a' + i % 26) + "\r\n";
        TTextEditorModel fast, general;
        for (TTextEditorModel* ed : {&fast, &general}) {
            ed->WrapOption().SetWrapByte(20);
            ed->SetWordWrap(wrap);
            ed->Lines().SetText(text);
        }
        int first = fast.Lines().LineToRow(5);
        int rows = fast.Lines().LineToRow(9) - first;
        fast.List().ReplaceRows(first, rows, "");
        int next_rows = general.Lines().RowsOfLine(9);
        std::string next = general.Lines()[9] + "\r\n";
        general.List().ReplaceRows(first, rows + next_rows, next);
        EXPECT_EQ(RowsOf(fast.List()), RowsOf(general.List())) << wrap;
    }
}

TEST(ReplaceRows, OutOfRangeDoesNothing) {
    TTextEditorModel ed;
    ed.Lines().SetText("a\r\nb\r\n");
    int changes = 0;
    ed.OnChange = [&](TTextEditorModel&) { ++changes; };
    ed.List().ReplaceRows(-1, 1, "x");
    ed.List().ReplaceRows(1, 2, "x");
    ed.List().ReplaceRows(0, 0, "");
    EXPECT_EQ(ed.Lines().Text(), "a\r\nb\r\n");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(ed.CanUndo());
}

TEST(ReplaceRows, TextWithoutBreakJoinsFollowingLine) {
    TTextEditorModel ed;
    ed.Lines().SetText("a\r\nb\r\nc\r\n");
    ed.List().ReplaceRows(1, 0, "x");
    EXPECT_EQ(ed.Lines().Text(), "a\r\nxb\r\nc\r\n");
    ed.List().ReplaceRows(2, 1, "end");
    EXPECT_EQ(RowsOf(ed.List()).back(), (R{"end", raEof}));
}

TEST(Lines, AssignMovesCaretToLastRow) {
    TTextEditorModel a, b;
    a.Lines().SetText("1\r\n2\r\n3");
    b.Lines().Assign(a.Lines());
    EXPECT_EQ(b.Lines().Text(), a.Lines().Text());
    EXPECT_EQ(b.Row(), 3);
    EXPECT_EQ(b.Col(), 0);

    TempFile f("x\r\ny");
    b.Lines().LoadFromFile(f.path());
    b.SetRow(99);
    EXPECT_EQ(b.Row(), 1); // the row after a raEof row is not reachable
}

TEST(Lines, StoredFormRoundTrip) {
    TTextEditorModel a, b;
    a.Lines().SetText("x\r\n\r\nz");
    b.Lines().SetStrings(a.Lines().Strings());
    EXPECT_EQ(b.Lines().Strings(), (std::vector<std::string>{"x", "", "z"}));
}

TEST(Lines, ChangeNotificationsAndUpdateInfo) {
    TTextEditorModel ed;
    int changes = 0;
    bool updated_seen = false;
    ed.OnChange = [&](TTextEditorModel& e) {
        ++changes;
        updated_seen = e.List().UpdateInfo().Updated;
    };
    ed.Lines().BeginUpdate();
    ed.Lines().Add("a");
    ed.Lines().Add("b");
    EXPECT_EQ(changes, 0);
    ed.Lines().EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(updated_seen);
    EXPECT_FALSE(ed.List().UpdateInfo().Updated);
    ed.Lines().Put(0, "c");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(ed.Modified());
}

} // namespace
