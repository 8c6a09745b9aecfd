// qmtool bench-preview FOLDER [ROUNDS]
//   Times the main window from choosing a file to its preview painted, over
//   files it generates in FOLDER (kept for the next run): a 1 MB text read
//   whole, a 100 MB text read in part (the first 4 KB), 4000 x 3000 JPEG
//   and PNG photos shown fitted (after a text, and the next photo of the
//   same size), a ZIP file of 10,000 members, and a folder of 10,000 files
//   (listing and sorting). The scenarios run in rounds (5 by default); it
//   prints the median of the rounds after the first, and the first round
//   apart (fresh memory, nothing cached); beside each, the part spent in the
//   preview call itself, which includes the repaints the pane asks for.
// needs: qm_app_win
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <zlib.h>
extern "C" {
#include <jpeglib.h>
}

#include "app/file_lists.h"
#include "app/image_preview.h"
#include "app/main_form.h"
#include "qmtool.h"
#include "screen_capture.h"
#include "ui/scroll_box.h"

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteBytes(const std::string& path, const void* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Shift-JIS lines of 20 to 200 bytes, ASCII and double-byte pieces mixed,
// with the brackets, quotes, URLs and mail addresses the text pane colours.
std::string MakeText(size_t bytes) {
    static const char* const kAscii[] = {"int ", "value", " = ", "42", "; ", "http://example.jp/a?b=1",
                                         "user@mail.jp", "(x)", "3.14", "\t", "word", " ", "'str'", "{", "}"};
    static const char* const kDbcs[] = {"日本語", "ひらがな", "カタカナ", "、", "。", "「", "」", "ＡＢＣ", "１２３", "ｶﾅ"};
    std::string text;
    text.reserve(bytes + 256);
    unsigned seed = 1;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    while (text.size() < bytes) {
        const size_t len = 20 + next() % 181, start = text.size();
        while (text.size() - start < len)
            text += next() % 2 ? kAscii[next() % 15] : kDbcs[next() % 10];
        text += "\r\n";
    }
    return text;
}

// Gradients with a little noise, as in a photo; `seed` makes another one.
uint8_t PhotoSample(int x, int y, int c, int seed) {
    const uint32_t noise = (uint32_t(x) * 2654435761u ^ uint32_t(y + seed) * 40503u) >> 29;
    return static_cast<uint8_t>(((x * (c + 1) + y * (3 - c)) / 16 + noise + seed * 40) & 255);
}

bool WriteJpeg(const std::string& path, int w, int h, int seed) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = w;
    c.image_height = h;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(w) * 3);
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 3; ++k)
                row[size_t(x) * 3 + k] = PhotoSample(x, int(c.next_scanline), k, seed);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}

void PutU32Be(std::string& s, uint32_t v) {
    for (int k : {24, 16, 8, 0})
        s += static_cast<char>((v >> k) & 0xFF);
}

void PngChunk(std::string& png, const char* type, const std::string& data) {
    PutU32Be(png, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    PutU32Be(png, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                              static_cast<uInt>(body.size()))));
}

// 8-bit RGB, every row filtered with Paeth as photo encoders mostly choose.
bool WritePng(const std::string& path, int w, int h, int seed) {
    const size_t stride = size_t(w) * 3;
    std::vector<uint8_t> prior(stride, 0), cur(stride);
    std::string raw;
    raw.reserve((stride + 1) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 3; ++k)
                cur[size_t(x) * 3 + k] = PhotoSample(x, y, k, seed);
        raw += '\x04';
        for (size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? cur[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            const int pred = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            raw += static_cast<char>(cur[i] - pred);
        }
        prior.swap(cur);
    }
    uLongf len = compressBound(static_cast<uLong>(raw.size()));
    std::string z(len, '\0');
    if (compress(reinterpret_cast<Bytef*>(&z[0]), &len, reinterpret_cast<const Bytef*>(raw.data()),
                 static_cast<uLong>(raw.size())) != Z_OK)
        return false;
    z.resize(len);
    std::string png = "\x89PNG\r\n\x1a\n", ihdr;
    PutU32Be(ihdr, static_cast<uint32_t>(w));
    PutU32Be(ihdr, static_cast<uint32_t>(h));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    PngChunk(png, "IHDR", ihdr);
    PngChunk(png, "IDAT", z);
    PngChunk(png, "IEND", "");
    return WriteBytes(path, png.data(), png.size());
}

void PutU16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void PutU32(std::string& s, uint32_t v) {
    PutU16(s, v & 0xFFFF);
    PutU16(s, v >> 16);
}

// `members` small stored files in 100 folders.
bool WriteZip(const std::string& path, int members) {
    std::string zip, central;
    for (int i = 0; i < members; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "dir%02d/member%05d.txt", i % 100, i);
        const std::string data = "member " + std::to_string(i) + "\r\n";
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
        const uint32_t offset = static_cast<uint32_t>(zip.size());
        const uint32_t n = static_cast<uint32_t>(std::strlen(name));
        PutU32(zip, 0x04034B50);
        PutU16(zip, 10);         // version needed
        PutU16(zip, 0);          // flags
        PutU16(zip, 0);          // stored
        PutU16(zip, 0x6000);     // 12:00
        PutU16(zip, 0x5A21);     // 2025-01-01
        PutU32(zip, crc);
        PutU32(zip, static_cast<uint32_t>(data.size()));
        PutU32(zip, static_cast<uint32_t>(data.size()));
        PutU16(zip, n);
        PutU16(zip, 0);
        zip += name;
        zip += data;
        PutU32(central, 0x02014B50);
        PutU16(central, 20);
        PutU16(central, 10);
        PutU16(central, 0);
        PutU16(central, 0);
        PutU16(central, 0x6000);
        PutU16(central, 0x5A21);
        PutU32(central, crc);
        PutU32(central, static_cast<uint32_t>(data.size()));
        PutU32(central, static_cast<uint32_t>(data.size()));
        PutU16(central, n);
        PutU16(central, 0);
        PutU16(central, 0);
        PutU16(central, 0);
        PutU16(central, 0);
        PutU32(central, 0);
        PutU32(central, offset);
        central += name;
    }
    const uint32_t at = static_cast<uint32_t>(zip.size());
    zip += central;
    PutU32(zip, 0x06054B50);
    PutU16(zip, 0);
    PutU16(zip, 0);
    PutU16(zip, static_cast<uint32_t>(members));
    PutU16(zip, static_cast<uint32_t>(members));
    PutU32(zip, static_cast<uint32_t>(central.size()));
    PutU32(zip, at);
    PutU16(zip, 0);
    return WriteBytes(path, zip.data(), zip.size());
}

bool MakeFolder(const std::string& folder, int files) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\file%05d.txt", (i * 7919) % files);
        const std::string p = folder + name;
        const std::string data = std::string(static_cast<size_t>(i % 50), 'x');
        if (!WriteBytes(p, data.data(), data.size())) return false;
    }
    return true;
}

double Ms(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

// Everything waiting to be painted, painted now.
void PaintNow(TfoMAIN* form) {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int BenchPreview(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: bench-preview FOLDER [ROUNDS]\n");
        return 2;
    }
    char full[MAX_PATH];
    if (!GetFullPathNameA(args[0].c_str(), MAX_PATH, full, nullptr)) return 1;
    const std::string dir = full;
    const int rounds = std::max(2, args.size() > 1 ? std::atoi(args[1].c_str()) : 5);
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string text1 = dir + "\\text_1mb.txt", text100 = dir + "\\text_100mb.txt";
    const std::string jpeg1 = dir + "\\photo1.jpg", jpeg2 = dir + "\\photo2.jpg";
    const std::string png1 = dir + "\\photo1.png", png2 = dir + "\\photo2.png";
    const std::string zip = dir + "\\members.zip", folder = dir + "\\files10000";
    std::printf("making the files in %s (kept for the next run)\n", dir.c_str());
    std::fflush(stdout);
    bool ok = true;
    if (!Exists(text1)) {
        const std::string t = MakeText(size_t(1) << 20);
        ok = ok && WriteBytes(text1, t.data(), t.size());
    }
    if (!Exists(text100)) {
        const std::string t = MakeText(size_t(100) << 20);
        ok = ok && WriteBytes(text100, t.data(), t.size());
    }
    if (!Exists(jpeg1)) ok = ok && WriteJpeg(jpeg1, 4000, 3000, 1);
    if (!Exists(jpeg2)) ok = ok && WriteJpeg(jpeg2, 4000, 3000, 2);
    if (!Exists(png1)) ok = ok && WritePng(png1, 4000, 3000, 1);
    if (!Exists(png2)) ok = ok && WritePng(png2, 4000, 3000, 2);
    if (!Exists(zip)) ok = ok && WriteZip(zip, 10000);
    if (!Exists(folder + "\\file09999.txt")) ok = ok && MakeFolder(folder, 10000);
    if (!ok) {
        std::fprintf(stderr, "could not make the files\n");
        return 1;
    }

    // A program folder of its own, so the work folder is ours to empty.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string program = std::string(temp) + "qmtool-bench-preview";
    CreateDirectoryA(program.c_str(), nullptr);
    TApplication app;
    auto* form = new TfoMAIN(&app, program + "\\Quillmark.exe");
    form->SetBounds(0, 0, 900, 620);
    form->FormActivate(form);
    form->Show();
    PumpMessages(300, &app);
    form->FitImage = true;

    struct Step {
        const char* name;
        const std::string* path;
        bool partial;
    };
    const Step steps[] = {
        {"text 1 MB, whole", &text1, false},
        {"text 100 MB, first 4 KB", &text100, true},
        {"JPEG 4000 x 3000 fitted, after a text", &jpeg1, true},
        {"JPEG 4000 x 3000 fitted, the next of that size", &jpeg2, true},
        {"text 1 MB, whole (between)", &text1, false},
        {"PNG 4000 x 3000 fitted, after a text", &png1, true},
        {"PNG 4000 x 3000 fitted, the next of that size", &png2, true},
        {"ZIP of 10,000 members", &zip, true},
    };
    const char* kFolderStep = "folder of 10,000 files, listed and sorted";
    // Whole time, and the part of it inside the preview call (which paints
    // what the pane repaints itself).
    std::map<std::string, std::vector<double>> times, before_paint;
    std::map<std::string, double> first, first_before_paint;
    for (int round = 0; round < rounds; ++round) {
        for (const Step& s : steps) {
            form->PartialRead = s.partial;
            int tag = -1;
            const auto t = std::chrono::steady_clock::now();
            form->PreviewSelected(0, *s.path, tag);
            const double loaded = Ms(t);
            PaintNow(form);
            const double ms = Ms(t);
            PumpMessages(50, &app);
            if (round == 0) {
                first[s.name] = ms;
                first_before_paint[s.name] = loaded;
            } else {
                times[s.name].push_back(ms);
                before_paint[s.name].push_back(loaded);
            }
        }
        const auto t = std::chrono::steady_clock::now();
        form->FileLists->fvxChange(nullptr, folder);
        const double listed = Ms(t);
        PaintNow(form);
        const double ms = Ms(t);
        if (round == 0) {
            first[kFolderStep] = ms;
            first_before_paint[kFolderStep] = listed;
        } else {
            times[kFolderStep].push_back(ms);
            before_paint[kFolderStep].push_back(listed);
        }
        // Away from the folder again, so the next round lists it afresh.
        form->FileLists->fvxChange(nullptr, dir);
        PaintNow(form);
        PumpMessages(50, &app);
    }
    const RECT pane = form->ImagePreview->scb->ClientRect();
    std::printf("window 900 x 620, picture pane %ld x %ld, fitted; %d rounds\n", pane.right - pane.left,
                pane.bottom - pane.top, rounds);
    std::printf("%-50s %10s %10s %10s %10s\n", "from choosing to painted", "median ms", "(in call)",
                "first ms", "(in call)");
    auto row = [&](const char* name) {
        std::printf("%-50s %10.1f %10.1f %10.1f %10.1f\n", name, Median(times[name]), Median(before_paint[name]),
                    first[name], first_before_paint[name]);
    };
    for (const Step& s : steps)
        if (std::strstr(s.name, "(between)") == nullptr) row(s.name);
    row(kFolderStep);
    form->Close();
    return 0;
}
} // namespace

static const QmCommand benchPreviewCommand(
    "bench-preview", "FOLDER [ROUNDS]   time previews in the main window, choosing to painted",
    BenchPreview);
