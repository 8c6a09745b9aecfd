// Colours and font styles of the text view: the program's plain colour
// values, so the engine builds without any platform header.
#pragma once
#include "base/color.h"
