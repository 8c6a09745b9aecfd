// Random edits through ReplaceRows and the line view, with word wrap on or
// off, interleaved with undo/redo pairs: each undo gives back the text
// before its edit, undoing everything gives back the text we started with,
// and redoing everything gives the last text again.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "textview/editor_model.h"
#include "textview/undo_obj.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    TTextEditorModel m;
    m.SetVisibleRowCount(4);
    m.WrapOption().SetWrapByte(in.ConsumeIntegralInRange(20, 40));
    m.WrapOption().SetFollowRetMark(in.ConsumeBool());
    m.SetWordWrap(in.ConsumeBool());
    m.Lines().SetText(in.ConsumeRandomLengthString(512));
    TTextEditorScreenStrings& list = m.List();
    const TTextEditorUndoObj& undo = list.UndoObj();
    FUZZ_CHECK(!m.CanUndo());

    std::vector<std::string> history{m.Lines().Text()};
    for (int op = 0; op < 60 && in.remaining_bytes() > 0; ++op) {
        const int rows = list.Count(), lines = m.Lines().Count();
        const int before = undo.UndoCount();
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: {
            const int at = in.ConsumeIntegralInRange(-1, rows);
            const int count = in.ConsumeIntegralInRange(-1, rows - at + 1);
            list.ReplaceRows(at, count, in.ConsumeRandomLengthString(48));
            break;
        }
        case 1: {
            const int at = in.ConsumeIntegralInRange(-1, lines);
            m.Lines().Put(at, in.ConsumeRandomLengthString(48));
            break;
        }
        case 2:
            m.Lines().Add(in.ConsumeRandomLengthString(48));
            break;
        case 3: {
            const int at = in.ConsumeIntegralInRange(-1, lines);
            m.Lines().Insert(at, in.ConsumeRandomLengthString(48));
            break;
        }
        case 4:
            m.Lines().Delete(in.ConsumeIntegralInRange(-1, lines));
            break;
        case 5:
            // An undo and its redo in between leave the history as it was.
            if (history.size() > 1) {
                m.Undo();
                FUZZ_CHECK(m.Lines().Text() == history[history.size() - 2]);
                m.Redo();
                FUZZ_CHECK(m.Lines().Text() == history.back());
            }
            continue;
        }
        const int made = undo.UndoCount() - before;
        FUZZ_CHECK(made == 0 || made == 1);
        if (made == 1) {
            history.push_back(m.Lines().Text());
            FUZZ_CHECK(!m.CanRedo());
        } else {
            FUZZ_CHECK(m.Lines().Text() == history.back());
        }
    }

    for (std::size_t k = history.size() - 1; k > 0; --k) {
        FUZZ_CHECK(m.CanUndo());
        m.Undo();
        FUZZ_CHECK(m.Lines().Text() == history[k - 1]);
    }
    FUZZ_CHECK(!m.CanUndo());
    for (std::size_t k = 1; k < history.size(); ++k) {
        FUZZ_CHECK(m.CanRedo());
        m.Redo();
        FUZZ_CHECK(m.Lines().Text() == history[k]);
    }
    FUZZ_CHECK(!m.CanRedo());
    return 0;
}
