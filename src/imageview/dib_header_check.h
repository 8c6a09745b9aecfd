// Checks a device-independent bitmap that comes from outside the program
// (an image plug-in's BITMAPINFO block and pixel block) before anything is
// drawn from it: a header that claims more rows, colours or bytes than its
// blocks hold would make the drawing calls read past them.
#pragma once
#include <cstddef>
#include <cstdint>

struct TDibLayout {
    int32_t Width = 0;
    int32_t Height = 0;   // rows, always positive
    bool TopDown = false; // the header's height was negative
    int BitCount = 0;
    uint32_t UsedColors = 0; // the header's used-colour count, as given
    size_t Stride = 0;       // bytes per row, padded to 4
};

// False when the header is short, names an impossible or unsupported
// layout, or its colour table or pixels do not fit in the given sizes.
bool CheckDibHeader(const void* info, size_t infoSize, size_t bitsSize, TDibLayout& layout);
