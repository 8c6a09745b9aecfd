// The plug-in image control against the stand-in plug-ins: which library a
// file goes to, the calls and their offsets, every result's message, the
// densities, the JPEG preview, palettes for 8-bit screens and plug-ins
// that return garbage.
#include <gtest/gtest.h>

#include "image_win_test_util.h"
#include "imageview/bmp_writer.h"
#include "imageview/plugin_image.h"
#include "picture_test_writer.h"
#include "ui/forms.h"

namespace {
class PluginImage : public ::testing::Test {
protected:
    void SetUp() override {
        PutBinOnSearchPath();
        log_ = dir_.Path() + "calls.log";
        SetEnvironmentVariableA("QM_SPI_LOG", log_.c_str());
        host_ = new TPanel(nullptr, nullptr);
        img_ = new TAll(host_, host_);
        img_->ShowMessage = [this](const std::string& text) { messages_.push_back(text); };
    }
    void TearDown() override {
        delete host_;
        SetEnvironmentVariableA("QM_SPI_LOG", nullptr);
    }
    // A scripted test file.
    std::string Script(const std::string& name, const std::string& line, bool header = false) {
        return dir_.Write(name, (header ? std::string(128, 'x') : "") + "QMSPI " + line + "\n");
    }
    std::string Calls() {
        const std::string text = ReadText(log_);
        DeleteFileA(log_.c_str());
        return text;
    }
    std::string Message() { return messages_.empty() ? "" : messages_.back(); }
    // One pixel of the picture at its own size, as 0xRRGGBB.
    unsigned Pixel(int x, int y) {
        std::vector<uint8_t> bgr;
        if (!img_->Picture().RenderBgr(bgr)) return 0xFFFFFFFFu;
        const uint8_t* p = &bgr[(size_t(y) * img_->Picture().Width() + x) * 3];
        return (p[2] << 16) | (p[1] << 8) | p[0];
    }

    TTempDir dir_;
    std::string log_;
    TPanel* host_ = nullptr;
    TAll* img_ = nullptr;
    std::vector<std::string> messages_;
};
} // namespace

TEST_F(PluginImage, PiAndPicGoToTheirOwnPlugins) {
    const std::string pi = Script("a.pi", "size=12x5");
    img_->SetPictureName(pi);
    EXPECT_EQ(0, img_->LoadStatus());
    EXPECT_EQ(8, img_->FormatIndex());
    EXPECT_EQ("ifpi.spi GetPicture 0\n", Calls());
    EXPECT_EQ(12, img_->Width()); // the control sized itself to the picture
    EXPECT_EQ(5, img_->Height());

    img_->SetPictureName(Script("b.PIC", "size=7x3"));
    EXPECT_EQ(4, img_->FormatIndex());
    // A PIC load also asks for the densities.
    EXPECT_EQ("ifpic.spi GetPicture 0\nifpic.spi GetPictureInfo 0\n", Calls());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PluginImage, UnknownFormatIsRetriedAfterA128ByteHeader) {
    const std::string path = Script("h.tif", "size=9x4", true);
    img_->SetPictureName(path);
    EXPECT_EQ("iftiff.spi GetPicture 0\niftiff.spi GetPicture 128\n", Calls());
    EXPECT_EQ(0, img_->LoadStatus());
    EXPECT_EQ(path, img_->PictureName());
    EXPECT_EQ(9, img_->Picture().Width());

    // The second answer is the one reported.
    const std::string twice = Script("t.tif", "picture@0=2 picture@128=3");
    img_->SetPictureName(twice);
    EXPECT_EQ("iftiff.spi GetPicture 0\niftiff.spi GetPicture 128\n", Calls());
    EXPECT_EQ(3, img_->LoadStatus());
    EXPECT_EQ("データが壊れている [" + twice + "]", Message());
    EXPECT_EQ("", img_->PictureName());
    EXPECT_TRUE(img_->Picture().Empty());

    // Other results are not retried.
    img_->SetPictureName(Script("o.tif", "picture@0=6"));
    EXPECT_EQ("iftiff.spi GetPicture 0\n", Calls());
}

TEST_F(PluginImage, EveryResultHasItsMessage) {
    const struct {
        int result;
        const char* text;
    } cases[] = {{2, "未知のフォーマット"},     {3, "データが壊れている"},
                 {4, "メモリーが確保出来ない"}, {5, "メモリーエラー"},
                 {6, "ファイルリードエラー"},   {1, "その他のエラー"},
                 {-1, "その他のエラー"},        {99, "その他のエラー"}};
    for (const auto& c : cases) {
        const std::string path = Script("r.q4", "picture@0=" + std::to_string(c.result) +
                                                    " picture@128=" + std::to_string(c.result));
        messages_.clear();
        img_->SetPictureName(path);
        EXPECT_EQ(c.result, img_->LoadStatus());
        ASSERT_EQ(1u, messages_.size()) << c.result;
        EXPECT_EQ(std::string(c.text) + " [" + path + "]", messages_[0]);
        EXPECT_TRUE(img_->Picture().Empty());
    }
}

TEST_F(PluginImage, UnsupportedExtensionMissingLibraryAndEmptyName) {
    const std::string odd = Script("x.xyz", "");
    img_->SetPictureName(odd);
    EXPECT_EQ(10, img_->LoadStatus());
    EXPECT_EQ("サポートされない拡張子 [" + odd + "]", Message());
    EXPECT_EQ("", img_->PictureName());
    EXPECT_FALSE(img_->PreView());

    const std::string mag = Script("x.mag", "");
    img_->SetPictureName(mag);
    EXPECT_EQ(20, img_->LoadStatus());
    EXPECT_EQ("IFMAG.SPI not found [" + mag + "]", Message());
    EXPECT_EQ("", img_->PictureName());

    messages_.clear();
    img_->SetPictureName(Script("ok.pi", ""));
    ASSERT_FALSE(img_->Picture().Empty());
    img_->SetPictureName("");
    EXPECT_EQ(0, img_->LoadStatus());
    EXPECT_TRUE(img_->Picture().Empty());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PluginImage, PluginOfTheOtherArchitectureIsRefusedLikeAMissingOne) {
    char old[32768] = {};
    GetEnvironmentVariableA("PATH", old, sizeof old);
    const std::string other = BinFolder() + "..\\tests\\other_arch";
    SetEnvironmentVariableA("PATH", (other + ";" + old).c_str());
    const std::string mag = Script("x.mag", "");
    img_->SetPictureName(mag);
    SetEnvironmentVariableA("PATH", old);
    EXPECT_EQ(20, img_->LoadStatus());
    EXPECT_EQ("IFMAG.SPI not found [" + mag + "]", Message());
    EXPECT_TRUE(img_->Picture().Empty());
}

TEST_F(PluginImage, DensitiesEvenOutForPicAndPic2Only) {
    img_->SetPictureName(Script("wide.pic", "size=10x6 density=1:2"));
    EXPECT_EQ(20, img_->Picture().Width());
    EXPECT_EQ(6, img_->Picture().Height());
    img_->SetPictureName(Script("tall.p2", "size=10x6 density=3:1"));
    EXPECT_EQ(10, img_->Picture().Width());
    EXPECT_EQ(18, img_->Picture().Height());
    img_->SetPictureName(Script("none.pic", "size=10x6 density=0:2"));
    EXPECT_EQ(10, img_->Picture().Width());
    img_->SetPictureName(Script("plain.tif", "size=10x6 density=1:2"));
    EXPECT_EQ(10, img_->Picture().Width());
    EXPECT_EQ(6, img_->Picture().Height());
}

TEST_F(PluginImage, JpegPluginReportsItsSizeAndOffersAPreview) {
    const std::string path = Script("p.jpg", "size=17x9");
    img_->SetPictureName(path);
    EXPECT_EQ(1, img_->FormatIndex());
    EXPECT_EQ("ifjpeg.spi GetPictureInfo 0\nifjpeg.spi GetPicture 0\n", Calls());
    EXPECT_EQ(17, img_->ImageWidth());
    EXPECT_EQ(9, img_->ImageHeight());
    EXPECT_EQ(17, img_->Picture().Width());
    EXPECT_EQ(0x800000u | (2 * 16) | (5 * 16) << 8, Pixel(2, 5));

    img_->SetPreView(true); // reloads
    EXPECT_EQ("ifjpeg.spi GetPictureInfo 0\nifjpeg.spi GetPreview 0\n", Calls());
    EXPECT_EQ(5, img_->Picture().Width()); // ceil(17 / 4)
    EXPECT_EQ(3, img_->Picture().Height());
    EXPECT_EQ(17, img_->ImageWidth());

    // Information found only after the header: the picture is read there too.
    img_->SetPreView(false);
    Calls();
    img_->SetPictureName(Script("h.jpe", "size=4x4", true));
    EXPECT_EQ(
        "ifjpeg.spi GetPictureInfo 0\nifjpeg.spi GetPictureInfo 128\nifjpeg.spi GetPicture 128\n",
        Calls());
    EXPECT_EQ(0, img_->LoadStatus());

    // Another plug-in load resets the preview flag and the reported size.
    img_->SetPreView(true);
    img_->SetPictureName(Script("z.pi", ""));
    EXPECT_FALSE(img_->PreView());
    EXPECT_EQ(0, img_->ImageWidth());

    // A picture the framework's loader reads resets the flag too.
    TDibBitmap dib;
    ASSERT_TRUE(dib.Create(3, 2, 24));
    img_->SetPictureName(path);
    img_->SetPreView(true);
    img_->SetPictureName(dir_.Write("b.bmp", EncodeBmp(dib)));
    EXPECT_EQ(0, img_->FormatIndex());
    EXPECT_FALSE(img_->PreView());
    EXPECT_EQ(3, img_->Picture().Width());
}

TEST_F(PluginImage, PalettesOnlyForPalettePicturesOnEightBitScreens) {
    img_->SetPictureName(Script("p8.pi", "bits=8"));
    EXPECT_EQ(nullptr, img_->Picture().Palette()); // this screen has more colours

    img_->ScreenBitsPerPixel = [] { return 8; };
    auto entries = [&] {
        HPALETTE p = img_->Picture().Palette();
        WORD n = 0;
        if (p) GetObjectA(p, sizeof n, &n);
        return p ? int(n) : -1;
    };
    img_->SetPictureName(Script("p8.pi", "bits=8"));
    EXPECT_EQ(256, entries());
    img_->SetPictureName(Script("p4.pi", "bits=4"));
    EXPECT_EQ(16, entries());
    img_->SetPictureName(Script("p1.pic", "bits=1 density=1:2"));
    EXPECT_EQ(2, entries()); // kept by the corrected picture
    img_->SetPictureName(Script("p24.pi", "bits=24"));
    EXPECT_EQ(-1, entries());
    // Colour of index (x + y) % 16 = 3 at (1, 2): (3 * 37, 3 * 91, 3 * 53).
    img_->SetPictureName(Script("p4.pi", "bits=4"));
    EXPECT_EQ(unsigned((3 * 37) << 16 | (3 * 91) << 8 | (3 * 53)), Pixel(1, 2));
}

TEST_F(PluginImage, GarbageFromAPluginIsRefusedAsBrokenData) {
    for (const char* kind : {"height", "bits", "table", "short"}) {
        messages_.clear();
        const std::string path = Script("g.pi", std::string("garbage=") + kind + " bits=8");
        img_->SetPictureName(path);
        EXPECT_EQ(3, img_->LoadStatus()) << kind;
        EXPECT_EQ("データが壊れている [" + path + "]", Message()) << kind;
        EXPECT_TRUE(img_->Picture().Empty());
    }
    img_->SetPictureName(Script("n.pi", "garbage=null"));
    EXPECT_EQ(5, img_->LoadStatus());
    // Absurd sizes from the information call of the JPEG path.
    img_->SetPictureName(Script("g.jpg", "size=0x5"));
    EXPECT_EQ(3, img_->LoadStatus());
    img_->SetPictureName(Script("g2.jpg", "size=100000x100000"));
    EXPECT_EQ(4, img_->LoadStatus());
}

TEST_F(PluginImage, OverlongPathIsNotPassedToThePlugin) {
    const std::string path = dir_.Path() + std::string(260 - dir_.Path().size(), 'a') + ".pi";
    img_->SetPictureName(path);
    EXPECT_EQ(6, img_->LoadStatus());
    EXPECT_EQ("", Calls());
}

TEST_F(PluginImage, GifThroughTheGifPlugin) {
    TGifSpec s;
    s.ScreenWidth = s.Width = 6;
    s.ScreenHeight = s.Height = 4;
    s.GlobalTable = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    s.MinCodeSize = 2;
    for (int i = 0; i < 24; ++i)
        s.Pixels.push_back(static_cast<uint8_t>(i % 4));
    img_->SetPictureName(dir_.Write("g.gif", WriteGif(s)));
    ASSERT_EQ(0, img_->LoadStatus());
    EXPECT_EQ(6, img_->Width());
    EXPECT_EQ(0xFF0000u, Pixel(0, 0));
    EXPECT_EQ(0x00FF00u, Pixel(1, 0));
    EXPECT_EQ(0x0A141Eu, Pixel(3, 0));
    EXPECT_EQ(0x0000FFu, Pixel(0, 1)); // index 6 % 4 = 2

    const std::string notGif = dir_.Write("n.gif", std::string("GIF? not really"));
    img_->SetPictureName(notGif);
    EXPECT_EQ(2, img_->LoadStatus());
    EXPECT_EQ("未知のフォーマット [" + notGif + "]", Message());
}

TEST_F(PluginImage, SampleGifDecodes) {
    const std::string sample = SampleImages() + "anim.gif";
    if (GetFileAttributesA(sample.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no samples";
    img_->SetPictureName(sample);
    EXPECT_EQ(0, img_->LoadStatus());
    EXPECT_GT(img_->Picture().Width(), 0);
}
