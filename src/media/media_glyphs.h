// Pictures of the media pane's transport and zoom buttons, drawn with GDI.
#pragma once
#include "ui/buttons.h"

enum TMediaGlyph { mgPlay, mgPause, mgStop, mgEnlarge, mgReduce };

TSpeedButton::TGlyph MakeMediaGlyph(TMediaGlyph kind);
