// qmtool show-text FILE [OUT.BMP] [wrap] [search=WORD] [seconds=N]
//   Previews FILE in the main window's text pane (whole file), optionally
//   with word wrap and with the result pane of a search, and writes what
//   the screen shows of the window as a .BMP.
// qmtool bench-text [MB]
//   Times the text control on a generated Shift-JIS text of MB megabytes
//   (100 by default): loading, painting one screen at the end, and a search
//   over every row.
// needs: qm_textview_win qm_app_win
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/text_preview.h"
#include "app/main_form.h"
#include "qmtool.h"
#include "screen_capture.h"
#include "ui/gdi.h"

namespace {
std::string ProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

int ShowText(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "show-text FILE [OUT.BMP] [wrap] [search=WORD] [seconds=N]\n");
        return 2;
    }
    std::string out, search;
    bool wrap = false;
    int seconds = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "wrap")
            wrap = true;
        else if (a.rfind("search=", 0) == 0)
            search = a.substr(7);
        else if (a.rfind("seconds=", 0) == 0)
            seconds = std::atoi(a.c_str() + 8);
        else
            out = a;
    }
    TApplication app;
    auto* form = app.CreateForm<TfoMAIN>(ProgramPath());
    form->SetBounds(0, 0, 800, 600);
    TTextPreview* preview = form->TextPreview.get();
    form->Show();
    form->FormActivate(form);
    form->PartialRead = false;
    form->CurrentFileKind = form->SwitchPreviewPane(form->CurrentFileKind, fkText);
    form->sbHiddenPCClick(form);  // the whole width for the text
    if (wrap) preview->hedText->SetWordWrap(true);
    form->CurrentFilePath = args[0];
    preview->PreviewText(args[0]);
    if (!search.empty()) {
        preview->SearchRows(search);
        form->pnBaseText->DisableAlign();
        form->pnTextSearch->SetVisible(true);
        form->spText->SetVisible(true);
        form->pnBaseText->EnableAlign();
        preview->hedSearch->SetCaret(0, 0);
    }
    preview->hedText->SetFocus();
    preview->hedText->SetCaret(std::min(2, preview->hedText->List().Count()), 0);
    PumpMessages(1500);
    const int rc = CaptureWindow(form->Handle(), out) ? 0 : 1;
    PumpMessages(static_cast<DWORD>(seconds) * 1000);
    return rc;
}

// A Shift-JIS text of lines of 20 to 200 bytes, mixed ASCII and double-byte.
std::string MakeText(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 256);
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const std::string kana = "\x82\xA0\x82\xA2\x82\xA4\x8A\xBF\x8E\x9A";
    while (text.size() < bytes) {
        const unsigned len = 20 + next() % 180;
        std::string line;
        while (line.size() < len) {
            const unsigned k = next() % 10;
            if (k < 2)
                line += kana.substr((next() % 5) * 2, 2);
            else if (k < 3)
                line += ' ';
            else
                line += static_cast<char>('a' + next() % 26);
        }
        // One line in about a thousand holds the word the search looks for.
        if (next() % 1000 == 0) line += " needle";
        text += line + "\r\n";
    }
    return text;
}

double Ms(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

int BenchText(const std::vector<std::string>& args) {
    const int mb = args.empty() ? 100 : std::atoi(args[0].c_str());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "qm_bench_text.txt";
    {
        const std::string text = MakeText(static_cast<std::size_t>(mb) << 20);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 1;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    TApplication app;
    auto* form = app.CreateForm<TfoMAIN>(ProgramPath());
    form->SetBounds(0, 0, 800, 600);
    TTextPreview* preview = form->TextPreview.get();
    form->FormActivate(form);
    form->CurrentFileKind = form->SwitchPreviewPane(form->CurrentFileKind, fkText);
    TTextEditorEx* ed = preview->hedText;
    ed->SetBounds(0, 0, 780, 560);

    auto t = std::chrono::steady_clock::now();
    ed->Lines().LoadFromFile(path);
    std::printf("load %d MB: %.0f ms, %d rows\n", mb, Ms(t), ed->List().Count());

    RECT rc;
    GetClientRect(ed->Handle(), &rc);
    gdi::MemoryDC mem(nullptr, rc.right, rc.bottom);
    const int last = ed->List().Count() - 1;
    t = std::chrono::steady_clock::now();
    ed->SetTopRow(last - ed->VisibleRows() + 1);
    SendMessageA(ed->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
    std::printf("first paint of the last screen (%d rows): %.1f ms\n", ed->VisibleRows(), Ms(t));
    t = std::chrono::steady_clock::now();
    const int repeats = 20;
    for (int i = 0; i < repeats; ++i)
        SendMessageA(ed->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
    std::printf("repaint of that screen: %.2f ms each\n", Ms(t) / repeats);
    t = std::chrono::steady_clock::now();
    SendMessageA(ed->Handle(), WM_VSCROLL, SB_TOP, 0);
    SendMessageA(ed->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageA(ed->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
    std::printf("thumb to the top, to the bottom and paint: %.1f ms\n", Ms(t));

    form->FullyLoaded = true;
    t = std::chrono::steady_clock::now();
    const int found = preview->SearchRows("needle");
    std::printf("search over %d rows: %.0f ms, %d result lines\n", ed->List().Count(), Ms(t), found);
    DeleteFileA(path.c_str());
    return 0;
}
} // namespace

static const QmCommand showTextCommand(
    "show-text", "FILE [OUT.BMP] [wrap] [search=WORD] [seconds=N]   preview a text file and write a screenshot",
    ShowText);
static const QmCommand benchTextCommand(
    "bench-text", "[MB]   time loading, painting the last screen and searching a generated text",
    BenchText);
