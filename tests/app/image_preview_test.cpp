// The image pane in the main window: loading each kind of picture, the
// companion text and sound, fit, the zoom commands with their limits,
// the zoom text and LEDs, and the failure boxes.
#include <cstdlib>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "app/image_preview.h"
#include "app/text_preview.h"
#include "base/strutil.h"
#include "imageview/bmp_writer.h"
#include "main_window_fixture.h"
#include "media/led_group.h"

extern "C" {
#include <jpeglib.h>
}

namespace {
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

std::string JpegFile(int w, int h) {
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

std::string PngFile(int w, int h) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    for (uint32_t v : {uint32_t(w), uint32_t(h)})
        for (int s : {24, 16, 8, 0})
            ihdr += static_cast<char>((v >> s) & 0xFF);
    ihdr += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    Chunk(png, "IHDR", ihdr);
    std::string raw;
    for (int y = 0; y < h; ++y)
        raw += '\0' + std::string(size_t(w) * 3, '\x40');
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
    EXPECT_EQ(500, pane_->img->Tag);
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
    EXPECT_EQ(490, pane_->img->Tag);
    EXPECT_EQ(490, pane_->img->Width());
    EXPECT_EQ("P 490% Enlarged", Label());
    Step("mmImgOrgSize");
    EXPECT_EQ(100, pane_->img->Width());
    EXPECT_EQ("P 100% ", Label());
    EXPECT_EQ("  50", form_->lgImgHeight->Caption());
    pane_->sbImgReduce->Click();
    EXPECT_EQ("P  90% Reduced", Label());

    // From 20 % a reduce is refused but stored; the next enlarge shows 20 % again.
    pane_->img->Tag = 30;
    Step("mmImgReduce");
    EXPECT_EQ(20, pane_->img->Width());
    Step("mmImgReduce");
    EXPECT_EQ(10, pane_->img->Tag);
    EXPECT_EQ(20, pane_->img->Width());
    EXPECT_EQ("P  20% Reduced", Label());
    pane_->sbImgEnLarge->Click();
    EXPECT_EQ(20, pane_->img->Tag);
    EXPECT_EQ(20, pane_->img->Width());

    // 3190 % is 3190 pixels wide; 3200 would reach the limit and is undone.
    pane_->img->Tag = 3180;
    Step("mmImgEnlarge");
    EXPECT_EQ(3190, pane_->img->Width());
    Step("mmImgEnlarge");
    EXPECT_EQ(3190, pane_->img->Tag);
    EXPECT_EQ(3190, pane_->img->Width());
}

TEST_F(ImagePane, ActualSizeDoesNothingOnScreenForHugePictures) {
    form_->FitImage = true;
    pane_->PreviewImage(File("big.bmp", BmpFile(3200, 300)));
    const int fitted = pane_->img->Width();
    EXPECT_LT(fitted, 505);
    Step("mmImgOrgSize");
    EXPECT_EQ(100, pane_->img->Tag);
    EXPECT_EQ(fitted, pane_->img->Width());
}

TEST_F(ImagePane, EachDecoderWithoutFit) {
    form_->FitImage = false;
    EXPECT_DOUBLE_EQ(1.0, pane_->PreviewImage(File("p.jpg", JpegFile(33, 21))));
    EXPECT_EQ(33, form_->ImageWidth);
    EXPECT_EQ(21, pane_->img->Height());
    EXPECT_EQ(100, pane_->img->Tag);
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
