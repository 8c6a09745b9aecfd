#include "app/image_preview.h"

#include <cmath>

#include "app/glyphs.h"
#include "base/files.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "imageview/image_zoom.h"
#include "imageview/picture_formats.h"
#include "media/led_group.h"
#include "textview/text_editor_ex_win.h"

namespace {
TSpeedButton* ZoomButton(const TImagePreviewParts& parts, const char* name, const char* hint, int x,
                         TGlyphKind glyph) {
    auto* b = new TSpeedButton(parts.Owner, parts.Toolbar);
    b->Name = name;
    b->Hint = hint;
    b->SetBounds(x, 1, 22, parts.Toolbar->Height() - 2);
    b->SetGlyph(MakeGlyph(glyph));
    return b;
}
} // namespace

TImagePreview::TImagePreview(TImagePreviewHost& host, const TImagePreviewParts& parts)
    : host_(host), parts_(parts) {
    TComponent* owner = parts.Owner;
    TPanel* base = parts.Base;
    pnImageText = parts.ImageTextPanel;
    spImage = new TSplitter(owner, base);
    spImage->Name = "spImage";
    spImage->SetAlign(alBottom);
    spImage->MinSize = 30;
    spImage->SetVisible(false);
    pnImageScb = new TPanel(owner, base);
    pnImageScb->Name = "pnImageScb";
    pnImageScb->BevelOuter = bvNone;
    pnImageScb->SetAlign(alClient);
    scb = new TScrollBox(owner, pnImageScb);
    scb->Name = "scb";
    scb->SetAlign(alClient);
    img = new TAll(owner, scb);
    img->Name = "img";
    img->SetBounds(0, 0, 0, 0);

    const auto toggle = [this](TObject* s) { host_.TogglePreviewArea(s); };
    scb->OnClick = toggle;
    img->OnClick = toggle;
    img->OnMouseDown = [this](TObject* s, int button, TShiftState, int x, int y) {
        if (button == 0) imgStartDrag(s, x, y);
    };

    sbImgOrgSize = ZoomButton(parts, "sbImgOrgSize", "原寸", 1, gkImageOrgSize);
    sbImgReduce = ZoomButton(parts, "sbImgReduce", "縮小", 23, gkImageReduce);
    sbImgEnLarge = ZoomButton(parts, "sbImgEnLarge", "拡大", 45, gkImageEnlarge);
    int x = 73;
    for (auto [button, name] : {std::pair<TSpeedButton**, const char*>{&sbImgLeft, "sbImgLeft"},
                                {&sbImgRight, "sbImgRight"},
                                {&sbImgLeftRight, "sbImgLeftRight"},
                                {&sbImgTopBottom, "sbImgTopBottom"}}) {
        auto* b = new TSpeedButton(owner, parts.Toolbar);
        b->Name = name;
        b->SetBounds(x, 1, 22, parts.Toolbar->Height() - 2);
        b->SetVisible(false);
        *button = b;
        x += 22;
    }
    sbImgOrgSize->OnClick = [this](TObject*) { ShowOriginalSize(); };
    sbImgReduce->OnClick = [this](TObject*) { ZoomStep(false); };
    sbImgEnLarge->OnClick = [this](TObject*) { ZoomStep(true); };

    PlayCompanionSound = [](const std::string& wave) {
        if (FileExists(wave)) sndPlaySoundA(wave.c_str(), SND_ASYNC | SND_NODEFAULT);
    };
}

TImagePreview::~TImagePreview() {
    scb->OnClick = nullptr;
    img->OnClick = nullptr;
    img->OnMouseDown = nullptr;
    for (TSpeedButton* b : {sbImgOrgSize, sbImgReduce, sbImgEnLarge}) b->OnClick = nullptr;
}

bool TImagePreview::LoadCompanionText(const std::string& path) {
    std::string companion;
    for (const char* ext : {".TXT", ".DOC", ".", ".Q4D"}) {
        const std::string candidate = ChangeFileExt(path, ext);
        if (FileExists(candidate)) {
            companion = candidate;
            break;
        }
    }
    if (!companion.empty()) {
        try {
            parts_.CompanionText->Lines().LoadFromFile(companion, host_.EncodingFor(companion));
        } catch (...) {
            TellUser(TSeverity::Error,
                    "テキストファイルの読み込みに失敗しました\r\r" + companion);
        }
    }
    const bool shown = !companion.empty();
    parts_.Base->DisableAlign();
    pnImageText->SetVisible(shown);
    spImage->SetVisible(shown);
    if (shown) spImage->SetTop(pnImageText->Top() - spImage->Height()); // stays above the panel
    parts_.Base->EnableAlign();
    return shown;
}

bool TImagePreview::Decode(const std::string& path) {
    const std::string ext = SjisUpperCase(ExtractFileExt(path));
    picturePath_ = path;
    // A picture that fails to load leaves the pane empty, not showing the last one.
    img->Picture().Clear();
    if (ext == ".PNG") {
        img->Picture().LoadPngFile(path, GetSysColor(COLOR_BTNFACE));
    } else if (ExtensionInList(kBuiltInDecoderList, ext)) {
        // The control takes the picture's own size first (AutoSize), then the fit.
        TJpegScaleRule fitted;
        if (host_.FitOn())
            fitted = [this](int w, int h) {
                return image_zoom::ReducedScale(w, h, image_zoom::FittedSize(FitInput(w, h, w, h)));
            };
        img->Picture().LoadFromFile(path, fitted);
    } else if (ExtensionInList(host_.GifOn() ? kImageKindListWithGif : kImageKindList, ext)) {
        img->SetPictureName(path);
    } else {
        return false;
    }
    return true;
}

double TImagePreview::PreviewImage(const std::string& path) {
    if (!FileExists(path)) return 0;
    THourGlass hourglass;
    LoadCompanionText(path);
    scb->ScrollTo(0, 0);
    img->SetAutoSize(true);
    img->SetStretch(false);
    bool loaded = false;
    try {
        if (!Decode(path)) return 0; // no decoder for the extension: nothing more to do
        loaded = !img->Picture().Empty();
    } catch (const std::exception&) {
        TellUser(TSeverity::Error, ExtractFileName(path) + " の読み込みに失敗しました");
    }
    img->SetAutoSize(false);
    img->SetStretch(true);
    if (loaded) host_.SetPictureSize(img->Width(), img->Height());
    const double scale = host_.FitOn() ? Fit() : 1.0;
    ZoomPercent = static_cast<int>(std::trunc(scale * 100));
    scb->UpdateScrollRange();
    if (PlayCompanionSound) PlayCompanionSound(ChangeFileExt(path, ".WAV"));
    return scale;
}

image_zoom::TFitInput TImagePreview::FitInput(int W, int H, int cw, int ch) const {
    const RECT client = scb->ClientRect();
    image_zoom::TFitInput in;
    in.NaturalWidth = W;
    in.NaturalHeight = H;
    in.ClientWidth = client.right - client.left;
    in.ClientHeight = client.bottom - client.top;
    in.Left = img->Left();
    in.Top = img->Top();
    in.CurrentWidth = cw;
    in.CurrentHeight = ch;
    return in;
}

void TImagePreview::DecodeAgain(const TJpegScaleRule& scale) {
    if (picturePath_.empty()) return;
    THourGlass hourglass;
    try {
        img->Picture().LoadFromFile(picturePath_, scale);
    } catch (const std::exception&) {
        TellUser(TSeverity::Error, ExtractFileName(picturePath_) + " の読み込みに失敗しました");
    }
}

void TImagePreview::WholePicture() {
    if (img->Picture().Scale() > 1) DecodeAgain(nullptr);
}

double TImagePreview::Fit() {
    const int W = host_.PictureWidth(), H = host_.PictureHeight();
    const image_zoom::TFitInput in = FitInput(W, H, img->Width(), img->Height());
    const image_zoom::TFitResult fit = image_zoom::FitPercent(in);
    const TPicture& picture = img->Picture();
    const image_zoom::TSize shown = image_zoom::FittedSize(in);
    if (picture.Scale() > 1 && (shown.Width > picture.BitmapWidth() || shown.Height > picture.BitmapHeight())) {
        // The pane grew past what the reduced decode holds: decoded again,
        // as large as the new size needs, before it is shown.
        DecodeAgain([shown](int w, int h) { return image_zoom::ReducedScale(w, h, shown); });
    }
    if (fit.Ok) {
        ZoomPercent = ApplyZoomPercent(fit.Percent);
    } else {
        TellUser(TSeverity::Error,
                "イメージの拡縮処理に失敗しました\rVmang1SetViewImage Innner Error");
    }
    const double scale = image_zoom::DisplayScale(img->Width(), img->Height(), W, H);
    img->Repaint();
    scb->UpdateScrollRange();
    return scale;
}

int TImagePreview::ApplyZoomPercent(int percent) {
    const image_zoom::TZoomResult z =
        image_zoom::ApplyZoom(percent, host_.PictureWidth(), host_.PictureHeight());
    if (!z.Changed) return z.Accepted;
    img->SetBounds(img->Left(), img->Top(), z.Size.Width, z.Size.Height);
    img->Repaint();
    scb->UpdateScrollRange();
    host_.ShowFileStatus(image_zoom::ZoomLabel(percent));
    parts_.WidthLed->SetCaption(Format("%4d", img->Width()));
    parts_.HeightLed->SetCaption(Format("%4d", img->Height()));
    parts_.WidthLed->Repaint();
    parts_.HeightLed->Repaint();
    return percent;
}

void TImagePreview::ShowOriginalSize() {
    WholePicture();
    ZoomPercent = 100;
    ApplyZoomPercent(100);
}

void TImagePreview::ZoomStep(bool enlarge) {
    const int requested = ZoomPercent + (enlarge ? image_zoom::kStep : -image_zoom::kStep);
    WholePicture();
    ZoomPercent = ApplyZoomPercent(requested);
}

void TImagePreview::imgStartDrag(TObject*, int x, int y) {
    DragOrigin = {x, y};
}

void TImagePreview::imgDragOver(TObject*, TObject* Source, int, int, bool& Accept) {
    Accept = Source == img;
}

void TImagePreview::imgDragDrop(TObject*, TObject*, int, int) {}
