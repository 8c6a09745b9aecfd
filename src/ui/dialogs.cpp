#include "ui/dialogs.h"

#include <commdlg.h>

bool ExecuteFontDialog(HWND owner, TFont& font) {
    LOGFONTA lf{};
    lf.lfHeight = -font.Height;
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.rgbColors = font.Color == clDefault ? GetSysColor(COLOR_WINDOWTEXT) : font.Color;
    if (!ChooseFontA(&cf)) return false;
    font.Name = lf.lfFaceName;
    font.Height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    font.Bold = lf.lfWeight >= FW_BOLD;
    font.Italic = lf.lfItalic;
    font.Underline = lf.lfUnderline;
    font.Color = cf.rgbColors;
    return true;
}
