// Controls: windowed ones own an HWND; graphic ones (labels, images, speed
// buttons) have none and are painted by their parent, which is what lets a
// label sit transparently on a picture.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/color.h"
#include "ui/component.h"
#include "ui/gdi.h"
#include "ui/win32.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TBevelCut { bvNone, bvLowered, bvRaised };

// The colour to paint with: system colours looked up, clDefault replaced by
// the system colour `sysColor` of the control's kind.
COLORREF ResolveColor(TColor c, int sysColor);

struct TFont {
    std::string Name = "ＭＳ Ｐゴシック";
    int Height = 15;  // pixels
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    TColor Color = clDefault;
    // Made on first use and shared by equal fonts; deleted when no font of
    // that kind holds it any more and it is not among the recently used.
    HFONT Handle() const;
    // The UI font at another size and style.
    static TFont Of(int height, bool bold = false, bool italic = false, COLORREF color = clDefault) {
        TFont f;
        f.Height = height;
        f.Bold = bold;
        f.Italic = italic;
        f.Color = color;
        return f;
    }
    // The style as flag bits (fsBold, fsItalic, fsUnderline, fsStrikeOut).
    TFontStyles Styles() const {
        return (Bold ? fsBold : 0) | (Italic ? fsItalic : 0) | (Underline ? fsUnderline : 0) |
               (StrikeOut ? fsStrikeOut : 0);
    }
    void SetStyles(TFontStyles s) {
        Bold = s & fsBold;
        Italic = s & fsItalic;
        Underline = s & fsUnderline;
        StrikeOut = s & fsStrikeOut;
    }
    bool operator==(const TFont& o) const;

    struct Shared;  // one font handle and what it was made for

private:
    mutable std::shared_ptr<const Shared> handle_;
};

// How many font handles exist now (the cache's live entries).
std::size_t LiveFontHandles();

enum TShiftFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssDouble = 16 };
using TShiftState = unsigned;
using TMouseEvent = std::function<void(TObject*, int button, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject*, TShiftState, int x, int y)>;

class TWinControl;

class TControl : public TComponent {
public:
    TControl(TComponent* owner, TWinControl* parent);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int w) { SetBounds(left_, top_, w, height_); }
    void SetHeight(int h) { SetBounds(left_, top_, width_, h); }
    void SetLeft(int x) { SetBounds(x, top_, width_, height_); }
    void SetTop(int y) { SetBounds(left_, y, width_, height_); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign a);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible too.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);

    TFont Font;
    bool ParentFont = true;
    void SetFont(const TFont& f);
    const TFont& EffectiveFont() const;
    TColor Color = clDefault;
    void SetColor(TColor c);
    std::string Hint;
    bool ShowHint = true;

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    virtual void Invalidate();
    void Repaint();
    virtual void Click() { Fire(OnClick, this); }
    // Rectangle in the parent's client coordinates of a windowed parent.
    virtual bool IsWindowed() const { return false; }

protected:
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    void RequestRealign();

    TWinControl* parent_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;

    friend class TWinControl;
};

class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    // Paints itself at its bounds into the parent's device context.
    virtual void Paint(HDC dc) = 0;
    void Invalidate() override;

    // Mouse input forwarded by the parent, coordinates relative to the control.
    virtual void MouseDown(int button, TShiftState shift, int x, int y);
    virtual void MouseUp(int button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseLeave() {}
    virtual void DblClick() { Fire(OnDblClick, this); }
    virtual HCURSOR Cursor() const { return nullptr; }

protected:
    void BoundsChanged() override;
    void VisibleChanged() override;
};

class TWinControl : public TControl {
public:
    TWinControl(TComponent* owner, TWinControl* parent);
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool IsWindowed() const override { return true; }
    static TWinControl* FromHandle(HWND hwnd);

    const std::vector<TControl*>& Controls() const { return controls_; }
    virtual void Realign();
    void DisableAlign() { ++alignLock_; }
    void EnableAlign();
    RECT ClientRect() const;

    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    void Invalidate() override;
    void Update();

    TNotifyEvent OnResize, OnEnter, OnExit;
    std::function<void(TObject*, WORD& key, TShiftState)> OnKeyDown;
    std::function<void(TObject*, char& key)> OnKeyPress;

    // The window procedure of every control; the default hands the message
    // to the class's own procedure.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    // Notifications a parent receives for its child (WM_COMMAND, WM_NOTIFY).
    virtual void CommandNotify(WORD /*code*/) {}
    virtual LRESULT Notify(NMHDR* /*nm*/) { return 0; }
    virtual HBRUSH CtlColor(HDC dc);
    // WM_DRAWITEM for an owner-drawn child; false lets the system draw.
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*di*/) { return false; }

protected:
    // Makes the window: our own class when cls is null, otherwise a system
    // class that is subclassed so its messages reach WndProc too.
    void CreateHandle(const char* cls, DWORD style, DWORD exStyle = 0, HWND parentOverride = nullptr);
    // Registers a class of our own under another name (forms are found by
    // their class name, as "TfoMAIN").
    static void RegisterOwnClass(const char* name);
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
    // Background and the graphic children; our own class paints with double buffering.
    virtual void PaintWindow(HDC dc);
    virtual void PaintBackground(HDC dc, const RECT& r);
    // What the control draws between its background and its graphic children.
    virtual void PaintContent(HDC /*dc*/, RECT /*client*/) {}
    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void FontChanged() override;
    TGraphicControl* GraphicAt(int x, int y) const;
    void SyncBoundsFromWindow();

    HWND handle_ = nullptr;
    bool subclassed_ = false;
    std::vector<TControl*> controls_;
    int alignLock_ = 0;
    bool realignPending_ = false;
    TGraphicControl* mouseCapture_ = nullptr;
    TGraphicControl* mouseOver_ = nullptr;
    // The background brush handed out for WM_CTLCOLOR*, remade when the colour changes.
    gdi::Brush ctlBrush_;
    COLORREF ctlBrushColor_ = 0;

    friend class TControl;
    friend LRESULT CALLBACK QmWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK QmSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

// The mouse is over `c` (none when it left every control): its hint goes to
// the application (status bar) and, after a moment, into a tooltip.
void HintHover(TControl* c);
// A control that goes away stops being the one under the mouse.
void HintForget(TControl* c);

TShiftState ShiftFromKeys(WPARAM mk);
TShiftState KeyboardShiftState();

class TPanel : public TWinControl {
public:
    TPanel(TComponent* owner, TWinControl* parent);
    TBevelCut BevelOuter = bvRaised;
    TBevelCut BevelInner = bvNone;
    int BevelWidth = 1;
    bool ParentBackground = false;

protected:
    void PaintContent(HDC dc, RECT client) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A frame with a caption that holds other controls.
class TGroupBox : public TPanel {
public:
    TGroupBox(TComponent* owner, TWinControl* parent);

protected:
    void PaintContent(HDC dc, RECT client) override;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
public:
    TLabel(TComponent* owner, TWinControl* parent);
    bool Transparent = true;
    bool AutoSize = true;
    bool WordWrap = false;
    TAlignment Alignment = taLeftJustify;
    void Paint(HDC dc) override;

protected:
    void TextChanged() override;
    void FontChanged() override;
    void AdjustSize();
};
