// Pictures of the toolbar buttons, drawn with GDI so they scale and need
// no bitmap files.
#pragma once
#include "ui/buttons.h"

enum TGlyphKind {
    gkRefresh, gkFolderShortcut, gkFileSearch, gkExit, gkHelp, gkArrowLeft, gkArrowRight,
    gkFullLoad, gkEditor, gkHyperlink, gkCopy, gkSelectAll, gkTextSearch, gkLaunch,
    // View buttons of the file lists.
    gkLargeIcons, gkSmallIcons, gkListStyle, gkReportStyle, gkGridLines,
    gkColumnSize, gkColumnType, gkColumnDate, gkColumnAttr, gkColumnFolder,
    // Zoom buttons of the image pane.
    gkImageOrgSize, gkImageReduce, gkImageEnlarge,
};

TSpeedButton::TGlyph MakeGlyph(TGlyphKind kind);
