// The image pane in the main window: loading each kind of picture, the
// companion text and sound, fit, the zoom commands with their limits,
// the zoom text and LEDs, and the failure boxes.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "app/image_preview.h"
#include "app/text_preview.h"
#include "base/strutil.h"
#include "imageview/bmp_writer.h"
#include "imageview/jpeg_graphic.h"
#include "imageview/png_graphic.h"
#include "main_window_fixture.h"
#include "media/led_group.h"

extern "C" {
#include <jpeglib.h>
}

namespace {
bool EndsWithText(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Bytes(const std::vector<uint8_t>& v) {
    return std::string(v.begin(), v.end());
}

std::string BmpFile(int w, int h) {
    TDibBitmap dib;
    dib.Create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dib.Row(y)[x * 3 + 2] = static_cast<uint8_t>(x);
    return Bytes(EncodeBmp(dib));
}

// Gradients with noise, so that any difference of scaling shows.
uint8_t PhotoSample(int x, int y, int c, int seed) {
    const uint32_t noise = (uint32_t(x + seed) * 2654435761u ^ uint32_t(y) * 40503u) >> 27;
    return static_cast<uint8_t>(((x * (c + 1) + y * (3 - c)) / 8 + noise + seed * 50) & 255);
}

std::string JpegFile(int w, int h, int photoSeed = -1) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = w;
    c.image_height = h;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(w) * 3, 128);
    while (c.next_scanline < c.image_height) {
        if (photoSeed >= 0)
            for (int x = 0; x < w; ++x)
                for (int k = 0; k < 3; ++k)
                    row[size_t(x) * 3 + k] = PhotoSample(x, int(c.next_scanline), k, photoSeed);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::string bytes(reinterpret_cast<char*>(out), size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return bytes;
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    const uint32_t n = static_cast<uint32_t>(data.size());
    for (int s : {24, 16, 8, 0})
        png += static_cast<char>((n >> s) & 0xFF);
    std::string body = std::string(type, 4) + data;
    png += body;
    const uint32_t crc =
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    for (int s : {24, 16, 8, 0})
        png += static_cast<char>((crc >> s) & 0xFF);
}

// 8-bit RGB, or RGBA with `alpha`; flat unless a photo seed is given.
std::string PngFile(int w, int h, int photoSeed = -1, bool alpha = false) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    for (uint32_t v : {uint32_t(w), uint32_t(h)})
        for (int s : {24, 16, 8, 0})
            ihdr += static_cast<char>((v >> s) & 0xFF);
    ihdr += std::string(alpha ? "\x08\x06\x00\x00\x00" : "\x08\x02\x00\x00\x00", 5);
    Chunk(png, "IHDR", ihdr);
    const int channels = alpha ? 4 : 3;
    std::string raw;
    for (int y = 0; y < h; ++y) {
        raw += '\0';
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < channels; ++k)
                raw += static_cast<char>(photoSeed < 0 ? 0x40 : PhotoSample(x, y, k, photoSeed));
    }
    uLongf len = compressBound(static_cast<uLong>(raw.size()));
    std::string z(len, '\0');
    compress(reinterpret_cast<Bytef*>(&z[0]), &len, reinterpret_cast<const Bytef*>(raw.data()),
             static_cast<uLong>(raw.size()));
    z.resize(len);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    return png;
}

// Where the stand-in plug-ins are, as Wine sees it.
std::string BinFolder() {
    const char* bin = std::getenv("QM_BIN_DIR");
    std::string out = "Z:";
    for (const char* p = bin ? bin : ""; *p; ++p)
        out += *p == '/' ? '\\' : *p;
    return out;
}

// What a picture looks like drawn at w x h, as top-down BGR rows.
std::vector<uint8_t> Drawn(const TPicture& picture, int w, int h) {
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = -h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture.Draw(dc, r);
    GdiFlush();
    const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> out(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + stride * h);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(target);
    return out;
}

// The pixel memory of a picture's bitmap.
const void* PixelMemory(const TPicture& picture) {
    DIBSECTION ds{};
    if (!picture.Bitmap() || GetObjectA(picture.Bitmap(), sizeof ds, &ds) != sizeof ds) return nullptr;
    return ds.dsBm.bmBits;
}

// The picture as it was made before decoders wrote into the shown bitmap:
// a decode of its own, whole, copied into a new bitmap.
void LoadAsBefore(TPicture& picture, const std::string& path, COLORREF background) {
    if (EndsWithText(path, ".png")) {
        TPngGraphic png;
        png.LoadFromFile(path);
        ASSERT_TRUE(picture.SetDib(png.Image(), &png.AlphaPlane(), background));
    } else {
        TJpegGraphic jpeg;
        jpeg.LoadFromFile(path);
        ASSERT_TRUE(picture.SetDib(jpeg.Image()));
    }
}

class ImagePane : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        char old[32768] = {};
        GetEnvironmentVariableA("PATH", old, sizeof old);
        if (std::string(old).find(BinFolder()) == std::string::npos)
            SetEnvironmentVariableA("PATH", (BinFolder() + ";" + old).c_str());
        Start();
        pane_ = form_->ImagePreview.get();
        pane_->img->ShowMessage = [this](const std::string& t) { plain_.push_back(t); };
        pane_->PlayCompanionSound = [this](const std::string& w) { sounds_.push_back(w); };
        // A 505 x 505 box to fit into.
        pane_->pnImageScb->SetAlign(alNone);
        pane_->pnImageScb->SetBounds(0, 0, 505, 505);
    }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string p = dir_ / name;
        TempFolder::WriteFile(p, bytes);
        return p;
    }
    std::string Label() const { return form_->lFileInfo->Caption(); }
    bool EndsWith(const std::string& s, const std::string& tail) const {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    }
    void Step(const char* menu) { Item(menu)->Click(); }

    TImagePreview* pane_ = nullptr;
    std::vector<std::string> plain_, sounds_;
};
} // namespace

TEST_F(ImagePane, ControlsAreFoundByName) {
    for (const char* name : {"scb", "img", "pnImageScb", "spImage", "pnImageText", "sbImgOrgSize",
                             "sbImgReduce", "sbImgEnLarge", "sbImgLeft", "sbImgTopBottom"}) {
        EXPECT_NE(nullptr, form_->FindComponent(name)) << name;
    }
    EXPECT_FALSE(Control("sbImgLeft")->Visible());
    EXPECT_FALSE(pane_->pnImageText->Visible());
}

TEST_F(ImagePane, SmallPictureFillsThePaneAtFiveHundredPercent) {
    const std::string bmp = File("wide.bmp", BmpFile(100, 50));
    form_->FitImage = true;
    const double scale = pane_->PreviewImage(bmp);
    EXPECT_DOUBLE_EQ(5.0, scale);
    EXPECT_EQ(100, form_->ImageWidth);
    EXPECT_EQ(50, form_->ImageHeight);
    EXPECT_EQ(500, pane_->img->Width());
    EXPECT_EQ(250, pane_->img->Height());
    EXPECT_EQ(500, pane_->ZoomPercent);
    EXPECT_TRUE(EndsWith(Label(), "500% Enlarged")) << Label();
    EXPECT_EQ(" 500", form_->lgImgWidth->Caption());
    EXPECT_EQ(" 250", form_->lgImgHeight->Caption());
    EXPECT_TRUE(boxes_.empty());
    // The companion sound is asked for beside the picture.
    ASSERT_EQ(1u, sounds_.size());
    EXPECT_EQ(dir_ / "wide.WAV", sounds_[0]);
}

TEST_F(ImagePane, ZoomStepsLimitsAndActualSize) {
    form_->FitImage = true;
    pane_->PreviewImage(File("wide.bmp", BmpFile(100, 50)));
    form_->InformationPrefix = "P ";
    Step("mmImgReduce");
    EXPECT_EQ(490, pane_->ZoomPercent);
    EXPECT_EQ(490, pane_->img->Width());
    EXPECT_EQ("P 490% Enlarged", Label());
    Step("mmImgOrgSize");
    EXPECT_EQ(100, pane_->img->Width());
    EXPECT_EQ("P 100% ", Label());
    EXPECT_EQ("  50", form_->lgImgHeight->Caption());
    pane_->sbImgReduce->Click();
    EXPECT_EQ("P  90% Reduced", Label());

    // From 20 % a reduce is refused but stored; the next enlarge shows 20 % again.
    pane_->ZoomPercent = 30;
    Step("mmImgReduce");
    EXPECT_EQ(20, pane_->img->Width());
    Step("mmImgReduce");
    EXPECT_EQ(10, pane_->ZoomPercent);
    EXPECT_EQ(20, pane_->img->Width());
    EXPECT_EQ("P  20% Reduced", Label());
    pane_->sbImgEnLarge->Click();
    EXPECT_EQ(20, pane_->ZoomPercent);
    EXPECT_EQ(20, pane_->img->Width());

    // 3190 % is 3190 pixels wide; 3200 would reach the limit and is undone.
    pane_->ZoomPercent = 3180;
    Step("mmImgEnlarge");
    EXPECT_EQ(3190, pane_->img->Width());
    Step("mmImgEnlarge");
    EXPECT_EQ(3190, pane_->ZoomPercent);
    EXPECT_EQ(3190, pane_->img->Width());
}

TEST_F(ImagePane, ActualSizeDoesNothingOnScreenForHugePictures) {
    form_->FitImage = true;
    pane_->PreviewImage(File("big.bmp", BmpFile(3200, 300)));
    const int fitted = pane_->img->Width();
    EXPECT_LT(fitted, 505);
    Step("mmImgOrgSize");
    EXPECT_EQ(100, pane_->ZoomPercent);
    EXPECT_EQ(fitted, pane_->img->Width());
}

TEST_F(ImagePane, EachDecoderWithoutFit) {
    form_->FitImage = false;
    EXPECT_DOUBLE_EQ(1.0, pane_->PreviewImage(File("p.jpg", JpegFile(33, 21))));
    EXPECT_EQ(33, form_->ImageWidth);
    EXPECT_EQ(21, pane_->img->Height());
    EXPECT_EQ(100, pane_->ZoomPercent);
    pane_->PreviewImage(File("p.png", PngFile(17, 9)));
    EXPECT_EQ(17, form_->ImageWidth);
    EXPECT_EQ(9, form_->ImageHeight);
    pane_->PreviewImage(File("p.jpeg", JpegFile(8, 40)));
    EXPECT_EQ(40, form_->ImageHeight);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(plain_.empty());
}

TEST_F(ImagePane, GifGoesThroughThePluginOnlyWithTheOption) {
    // A 2 x 1 GIF: red, blue.
    const std::string gif =
        std::string("GIF89a\x02\x00\x01\x00\x80\x00\x00", 13) +
        std::string("\xFF\x00\x00\x00\x00\xFF", 6) +
        std::string("\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0A\x00\x3B", 16);
    const std::string path = File("g.gif", gif);
    form_->FitImage = false;
    form_->GifOption = false;
    EXPECT_DOUBLE_EQ(0.0, pane_->PreviewImage(path));
    form_->GifOption = true;
    EXPECT_DOUBLE_EQ(1.0, pane_->PreviewImage(path));
    EXPECT_EQ(0, pane_->img->LoadStatus());
    EXPECT_EQ(2, form_->ImageWidth);
    EXPECT_EQ(1, form_->ImageHeight);
    EXPECT_TRUE(plain_.empty());
}

TEST_F(ImagePane, MissingPluginAndBrokenFilesShowTheirBoxes) {
    form_->FitImage = false;
    pane_->PreviewImage(File("ok.bmp", BmpFile(40, 30)));
    const std::string mag = File("x.mag", "MAKI02  ");
    pane_->PreviewImage(mag);
    ASSERT_EQ(1u, plain_.size());
    EXPECT_EQ("IFMAG.SPI not found [" + mag + "]", plain_[0]);
    EXPECT_TRUE(boxes_.empty()); // a plain box, no beep
    EXPECT_TRUE(pane_->img->Picture().Empty());
    EXPECT_EQ(40, form_->ImageWidth); // natural size kept

    std::string cut = JpegFile(64, 64);
    cut.resize(cut.size() / 2);
    pane_->PreviewImage(File("cut.jpg", cut));
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes_[0].beep);
    EXPECT_EQ("cut.jpg の読み込みに失敗しました", boxes_[0].text);
    EXPECT_TRUE(pane_->img->Picture().Empty());
    EXPECT_EQ(40, form_->ImageWidth);

    pane_->PreviewImage(File("bad.png", "\x89PNG\r\n\x1a\nnot really"));
    ASSERT_EQ(2u, boxes_.size());
    EXPECT_EQ("bad.png の読み込みに失敗しました", boxes_[1].text);

    EXPECT_DOUBLE_EQ(0.0, pane_->PreviewImage(dir_ / "absent.bmp"));
    EXPECT_EQ(2u, boxes_.size());
}

TEST_F(ImagePane, FitWithoutANaturalSizeReportsTheScalingError) {
    form_->FitImage = true;
    form_->ImageWidth = form_->ImageHeight = 0;
    EXPECT_DOUBLE_EQ(0.0, pane_->Fit());
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("イメージの拡縮処理に失敗しました\rVmang1SetViewImage Innner Error", boxes_[0].text);
}

TEST_F(ImagePane, CompanionTextPanelFollowsTheCompanionFile) {
    form_->FitImage = false;
    const std::string a = File("a.bmp", BmpFile(10, 10));
    pane_->PreviewImage(a);
    EXPECT_FALSE(pane_->pnImageText->Visible());
    EXPECT_FALSE(pane_->spImage->Visible());
    TempFolder::WriteFile(dir_ / "a.Q4D", "notes");
    pane_->PreviewImage(a);
    EXPECT_TRUE(pane_->pnImageText->Visible());
    EXPECT_TRUE(pane_->spImage->Visible());
    DeleteFileA((dir_ / "a.Q4D").c_str());
    TempFolder::WriteFile(dir_ / "a", "bare name");
    pane_->PreviewImage(a);
    EXPECT_TRUE(pane_->pnImageText->Visible());
    DeleteFileA((dir_ / "a").c_str());
    pane_->PreviewImage(a);
    EXPECT_FALSE(pane_->pnImageText->Visible());
}

TEST_F(ImagePane, ClicksOnThePictureToggleTheListPane) {
    ASSERT_TRUE(form_->ListPaneVisible());
    pane_->img->Click();
    EXPECT_FALSE(form_->ListPaneVisible());
    pane_->scb->Click();
    EXPECT_TRUE(form_->ListPaneVisible());
    bool accept = false;
    pane_->imgDragOver(pane_->img, pane_->img, 1, 1, accept);
    EXPECT_TRUE(accept);
    pane_->imgDragOver(pane_->img, pane_->scb, 1, 1, accept);
    EXPECT_FALSE(accept);
}

TEST_F(ImagePane, CompanionTextIsLoadedIntoTheImageTextControl) {
    TTextPreview& text = *form_->TextPreview;  // its hedImageText sits in the companion panel
    ASSERT_EQ(pane_->pnImageText, text.hedImageText->Parent());
    form_->FitImage = false;
    const std::string a = File("memo.bmp", BmpFile(10, 10));
    TempFolder::WriteFile(dir_ / "memo.txt", "first line\r\nsecond line\r\n");
    TempFolder::WriteFile(dir_ / "memo.doc", "not this one");
    pane_->PreviewImage(a);
    EXPECT_TRUE(pane_->pnImageText->Visible());
    ASSERT_GE(text.hedImageText->Lines().Count(), 2);
    EXPECT_EQ("first line", text.hedImageText->Lines().Get(0));
    EXPECT_EQ("second line", text.hedImageText->Lines().Get(1));

    // In EUC-JP it is shown in CP932 like any text.
    TempFolder::WriteFile(dir_ / "memo.txt", "\xa5\xe1\xa5\xe2\r\n");
    pane_->PreviewImage(a);
    ASSERT_EQ(1, text.hedImageText->Lines().Count());
    EXPECT_EQ("メモ", text.hedImageText->Lines().Get(0));
}

TEST_F(ImagePane, AFittedJpegIsDecodedReducedAndEveryZoomStepShowsWhatItShowedBefore) {
    form_->FitImage = true;
    form_->InformationPrefix = "P ";
    const std::string path = File("photo.jpg", JpegFile(1600, 1200, 1));
    pane_->PreviewImage(path);
    const TPicture& shown = pane_->img->Picture();
    // Fitted into 505 x 505 at 31 %: 496 x 372. An eighth (200 x 150) and a
    // quarter (400 x 300) are too small; half is decoded.
    EXPECT_EQ(2, shown.Scale());
    EXPECT_EQ(800, shown.BitmapWidth());
    EXPECT_EQ(600, shown.BitmapHeight());
    // The picture tells its own size everywhere.
    EXPECT_EQ(1600, shown.Width());
    EXPECT_EQ(1200, shown.Height());
    EXPECT_EQ(1600, form_->ImageWidth);
    EXPECT_EQ(1200, form_->ImageHeight);
    EXPECT_EQ(496, pane_->img->Width());
    EXPECT_EQ(31, pane_->ZoomPercent);
    EXPECT_EQ(" 496", form_->lgImgWidth->Caption());
    EXPECT_EQ("P  31% Reduced", Label());

    TPicture before;
    LoadAsBefore(before, path, 0);
    // Fitted, the reduced decode shows the same picture: its noise and its
    // sharp edges are sampled elsewhere, so blocks of 16 x 16 pixels are
    // compared by their means, on average over the picture.
    const std::vector<uint8_t> fitted = Drawn(shown, 496, 372), fittedBefore = Drawn(before, 496, 372);
    const size_t stride = (496 * 3 + 3) & ~size_t(3);
    double sum = 0;
    int blocks = 0;
    for (int by = 0; by + 16 <= 372; by += 16) {
        for (int bx = 0; bx + 16 <= 496; bx += 16) {
            for (int k = 0; k < 3; ++k) {
                double a = 0, b = 0;
                for (int y = by; y < by + 16; ++y)
                    for (int x = bx; x < bx + 16; ++x) {
                        a += fitted[stride * y + x * 3 + k];
                        b += fittedBefore[stride * y + x * 3 + k];
                    }
                sum += std::abs(a - b) / 256;
                ++blocks;
            }
        }
    }
    EXPECT_LT(sum / blocks, 3.0);
    // Every zoom step shows exactly what it showed before.
    for (const char* step : {"mmImgReduce", "mmImgReduce", "mmImgEnlarge", "mmImgEnlarge", "mmImgEnlarge",
                             "mmImgOrgSize", "mmImgReduce"}) {
        Step(step);
        EXPECT_EQ(1, shown.Scale()) << step;
        const int w = pane_->img->Width(), h = pane_->img->Height();
        ASSERT_TRUE(Drawn(shown, w, h) == Drawn(before, w, h)) << step << " at " << w << " x " << h;
    }
    EXPECT_EQ(1440, pane_->img->Width()); // 100 % and one step down
    EXPECT_EQ("P  90% Reduced", Label());
}

TEST_F(ImagePane, AFitThatOutgrowsTheReducedDecodeDecodesAgain) {
    form_->FitImage = true;
    pane_->PreviewImage(File("photo.jpg", JpegFile(1600, 1200, 2)));
    ASSERT_EQ(2, pane_->img->Picture().Scale());
    // A smaller pane: the half still covers 240 x 180.
    pane_->pnImageScb->SetBounds(0, 0, 255, 255);
    pane_->Fit();
    EXPECT_EQ(2, pane_->img->Picture().Scale());
    // A larger one: 992 x 744 needs the whole picture.
    pane_->pnImageScb->SetBounds(0, 0, 1005, 1005);
    pane_->Fit();
    EXPECT_EQ(992, pane_->img->Width());
    EXPECT_EQ(1, pane_->img->Picture().Scale());
    EXPECT_EQ(1600, pane_->img->Picture().BitmapWidth());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ImagePane, PicturesOfOneSizeAreDecodedIntoTheSameMemory) {
    // Flipping through photos of one size: each is decoded into the bitmap
    // the one before was shown from, and shows what it showed before.
    form_->FitImage = false;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::string files[] = {File("a.jpg", JpegFile(640, 480, 3)), File("b.jpg", JpegFile(640, 480, 4)),
                                 File("c.png", PngFile(640, 480, 5)), File("d.png", PngFile(640, 480, 6, true)),
                                 File("e.jpg", JpegFile(320, 200, 7)), File("f.jpg", JpegFile(320, 200, 8))};
    const void* memory[6] = {};
    for (int i = 0; i < 6; ++i) {
        pane_->PreviewImage(files[i]);
        const TPicture& shown = pane_->img->Picture();
        memory[i] = PixelMemory(shown);
        ASSERT_NE(nullptr, memory[i]) << files[i];
        TPicture before;
        LoadAsBefore(before, files[i], face);
        const int w = shown.Width(), h = shown.Height();
        ASSERT_TRUE(Drawn(shown, w, h) == Drawn(before, w, h)) << files[i];
    }
    EXPECT_EQ(memory[0], memory[1]);
    EXPECT_EQ(memory[1], memory[2]); // a PNG of the same size too
    EXPECT_EQ(memory[2], memory[3]); // blended where it was decoded
    EXPECT_EQ(memory[4], memory[5]);
    EXPECT_TRUE(boxes_.empty());
}
