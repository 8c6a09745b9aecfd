// The image pane of the main window: the scroll box with the picture, the
// companion-text panel and its splitter, the zoom buttons, and what the
// preview manager and the zoom commands do with them: loading a picture
// with its companion text and sound, fitting it to the pane and zooming
// it in steps with the zoom text and the size LEDs.
#pragma once
#include <functional>
#include <string>

#include "app/pane_hosts.h"
#include "imageview/image_zoom.h"
#include "imageview/plugin_image.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/scroll_box.h"

class TLedGroup;
class TTextEditorEx;

// The window's panels, counters and companion-text control the image
// preview works in; the window makes them, the pane fills them.
struct TImagePreviewParts {
    TComponent* Owner;             // frees the controls (and finds them by name)
    TPanel* Base;                  // pnBaseImage
    TPanel* Toolbar;               // pnTbImage, for the zoom buttons
    TPanel* ImageTextPanel;        // pnImageText, at the bottom of the pane
    TTextEditorEx* CompanionText;  // hedImageText, in that panel
    TLedGroup *WidthLed, *HeightLed;
};

class TImagePreview {
public:
    // Makes the pane's controls in the parts given and binds its buttons.
    TImagePreview(TImagePreviewHost& host, const TImagePreviewParts& parts);
    // The controls stay the owner's, with nothing of ours left attached.
    ~TImagePreview();
    TImagePreview(const TImagePreview&) = delete;
    TImagePreview& operator=(const TImagePreview&) = delete;

    TPanel* pnImageScb;
    TScrollBox* scb;
    TAll* img;
    TSplitter* spImage;
    TPanel* pnImageText;
    TSpeedButton *sbImgOrgSize, *sbImgReduce, *sbImgEnLarge;
    // The turning buttons have no action yet; they exist hidden, as their menus do.
    TSpeedButton *sbImgLeft, *sbImgRight, *sbImgLeftRight, *sbImgTopBottom;

    // The image branch of the preview manager: companion text and sound,
    // the decoder for the extension, the natural size into the main
    // window's fields, the fit. Returns the display scale (1.0 without the
    // fit option; 0 when there was nothing to load).
    double PreviewImage(const std::string& path);
    // Fits the picture into the scroll box; returns the display scale.
    double Fit();
    // Shows the picture at `percent` of its natural size if that stays
    // within the limits; returns the accepted percent.
    int ApplyZoomPercent(int percent);
    // The zoom in percent the picture is shown at: what the last fit or
    // zoom step settled on.
    int ZoomPercent = 0;

    // F2 and its button: 100 %.
    void ShowOriginalSize();
    // F3, F4 and their buttons: one step down or up.
    void ZoomStep(bool enlarge);

    // Dragging the picture: accepted only over the picture itself.
    void imgStartDrag(TObject* Sender, int x, int y);
    void imgDragOver(TObject* Sender, TObject* Source, int x, int y, bool& Accept);
    void imgDragDrop(TObject* Sender, TObject* Source, int x, int y);
    POINT DragOrigin{0, 0};

    // Plays the companion sound of a picture if the file exists; the
    // platform's simple sound call by default.
    std::function<void(const std::string& wavePath)> PlayCompanionSound;

private:
    bool LoadCompanionText(const std::string& path);
    bool Decode(const std::string& path);
    // What a fit reads of the pane, for a picture of W x H whose control is
    // currently cw x ch.
    image_zoom::TFitInput FitInput(int W, int H, int cw, int ch) const;
    // A JPEG picture shown fitted is decoded at the reduced scale that
    // covers its fitted size; zoom steps and a fit that outgrows it decode
    // it again, whole (a zoom step) or as large as the new size needs.
    void DecodeAgain(const TJpegScaleRule& scale);
    void WholePicture();
    TImagePreviewHost& host_;
    TImagePreviewParts parts_;
    std::string picturePath_;
};
