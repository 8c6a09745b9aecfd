// A text file of more than 2 GB (sparse, so it costs no disk) previews
// within the read limit: the first kilobytes are read, the rest is not
// touched, and asking for the whole file refuses without losing the text.
#include <gtest/gtest.h>

#include "app/text_preview.h"
#include "main_window_fixture.h"

#include <psapi.h>  // after the Windows headers it builds on

namespace {

constexpr long long kHugeSize = (2LL << 30) + 4096;

std::string HeadText() {
    std::string head;
    for (int i = 0; head.size() < 6000; ++i) head += "line " + std::to_string(i) + " of a huge log\r\n";
    return head;
}

bool MakeSparseFile(const std::string& path, const std::string& head) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(h, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = kHugeSize;
    const bool ok = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok && written == head.size();
}

SIZE_T PeakMemory() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PeakPagefileUsage;
}

class LargeFile : public MainWindow {};

TEST_F(LargeFile, TwoGigabyteTextPreviewsItsFirstKilobytesOnly) {
    const std::string path = dir_ / "huge.log";
    const std::string head = HeadText();
    ASSERT_TRUE(MakeSparseFile(path, head));
    Start();
    TTextEditorEx* text = form_->TextPreview->hedText;

    const SIZE_T peakBefore = PeakMemory();
    const DWORD started = GetTickCount();
    form_->PreviewFile(path, false);
    const DWORD took = GetTickCount() - started;

    EXPECT_EQ(fkText, form_->CurrentFileKind);
    // Exactly the first 4 KB, cut where the limit falls.
    const std::string shown = text->Lines().Text();
    EXPECT_EQ(0u, shown.rfind(head.substr(0, 4000), 0));
    EXPECT_LE(shown.size(), 4096u + 2);
    EXPECT_GE(shown.size(), 4096u);
    EXPECT_FALSE(form_->FullyLoaded);
    EXPECT_TRUE(form_->sbFileFullLoad->Enabled());
    EXPECT_NE(std::string::npos, form_->lFileInfo->Caption().find(" 0.0 % Loaded"));
    // Not read whole: no time to speak of, no memory to speak of.
    EXPECT_LT(took, 5000u);
    EXPECT_LT(PeakMemory() - peakBefore, SIZE_T(64) << 20);

    // Z asks for the whole file: more than the program can hold, refused
    // before anything is read; the first kilobytes stay on show.
    const DWORD zStarted = GetTickCount();
    form_->TextPreview->FullLoad();
    EXPECT_LT(GetTickCount() - zStarted, 5000u);
    EXPECT_EQ(shown, text->Lines().Text());
    EXPECT_LT(PeakMemory() - peakBefore, SIZE_T(64) << 20);
    EXPECT_TRUE(boxes_.empty());
}

} // namespace
