// What each preview pane needs of the window it lives in, and nothing more.
// The main window implements all of them; a pane holds its host by
// reference and never sees the window itself, so a pane can be built and
// tested beside any host that answers these few questions.
#pragma once
#include <string>

#include "app/text_encoding_choice.h"

class TObject;
class TSpeedButton;

// Shared by the panes that write the file information line above the preview.
class TFileInfoHost {
public:
    // The information line becomes the current file's prefix (name, date,
    // size) followed by `status`.
    virtual void ShowFileStatus(const std::string& status) = 0;
    // The information line and size counters of a file freshly shown.
    virtual void WriteFileInformation(const std::string& path, double scale) = 0;
    // A click on the preview hides or shows the list pane.
    virtual void TogglePreviewArea(TObject* sender) = 0;

protected:
    ~TFileInfoHost() = default;
};

class TTextPreviewHost : public virtual TFileInfoHost {
public:
    virtual const std::string& CurrentFile() const = 0;
    // How text files are read: detected or a fixed encoding. The encoding
    // menu changes it; the window shows the choice.
    virtual TTextEncodingChoice& EncodingChoice() = 0;
    virtual void EncodingChoiceChanged() = 0;
    virtual bool PartialReadOn() const = 0;
    virtual int ReadLimitKBytes() const = 0;
    virtual bool TextFullyLoaded() const = 0;
    // The text is now whole or still partial: the full-load commands follow.
    virtual void SetTextFullyLoaded(bool whole) = 0;
    // Text of the status line's hint panel.
    virtual void ShowStatusHint(const std::string& text) = 0;
    virtual bool HyperlinksOn() const = 0;

protected:
    ~TTextPreviewHost() = default;
};

class TImagePreviewHost : public virtual TFileInfoHost {
public:
    virtual bool FitOn() const = 0;
    virtual bool GifOn() const = 0;
    virtual TTextEncoding EncodingFor(const std::string& path) const = 0;
    // The natural size of the picture shown; kept by the window, which
    // writes it into the size counters.
    virtual int PictureWidth() const = 0;
    virtual int PictureHeight() const = 0;
    virtual void SetPictureSize(int width, int height) = 0;

protected:
    ~TImagePreviewHost() = default;
};

class TArchivePaneHost {
public:
    virtual const std::string& WorkFolderPath() const = 0;
    // Previews an extracted member, which then is the current file.
    virtual void PreviewMember(const std::string& extractedPath) = 0;
    // Text of the status line's first panel.
    virtual void ShowStatus(const std::string& text) = 0;
    // Sort direction of each member-list column, kept for the window's life.
    virtual unsigned char& SortAscending(int column) = 0;

protected:
    ~TArchivePaneHost() = default;
};

class TFileListsHost {
public:
    // The selection of a list moved to row `index`, file `path`; a file
    // previewed anew becomes the current one and `lastIndex` the row.
    virtual void PreviewSelected(int index, const std::string& path, int& lastIndex) = 0;
    virtual void LaunchFile(const std::string& path) = 0;
    virtual void ShowFolderCount(const std::string& text) = 0;
    // An empty search-result list was clicked: the search page opens.
    virtual void OpenSearchPage() = 0;
    virtual void ShowInExplorer() = 0;
    // The menu bar is redrawn after the view submenus changed.
    virtual void MenusChanged() = 0;
    // The window is going away: its lists' last reports are ignored.
    virtual bool Closing() const = 0;

protected:
    ~TFileListsHost() = default;
};

// The view buttons of a list's toolbar that another pane makes and the file
// lists' view commands drive: the four styles (large icons, small icons,
// list, report), a toggle per column from column 1 on, the grid lines.
struct TViewButtons {
    TSpeedButton* Styles[4] = {};
    TSpeedButton* Columns[6] = {};
    TSpeedButton* Grid = nullptr;
};
