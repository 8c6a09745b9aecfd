// What the stand-in image plug-ins share: the exported interface, reading
// the input (a file from an offset, or a memory block), and handing a DIB
// back in the two movable memory blocks the interface asks for.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imageview/dib_bitmap.h"
#include "imageview/plugin_library.h"

// Results of the interface.
constexpr int kSpiOk = 0;
constexpr int kSpiNotImplemented = -1;
constexpr int kSpiUnknown = 2;
constexpr int kSpiBroken = 3;
constexpr int kSpiNoMem = 4;
constexpr int kSpiReadFailed = 6;

#define SPI_EXPORT extern "C"

// The bytes a call works on: from a file (flag bits 0-2 clear: buf is a
// path, offset where the picture begins) or from memory (flag bit 0: buf
// points at `len` bytes). False when the file cannot be read.
bool ReadSpiInput(const char* buf, long len, unsigned flag, std::vector<uint8_t>& data);

// BITMAPINFO block and pixel block of a DIB, as movable global memory.
// Returns kSpiOk or kSpiNoMem.
int HandOverDib(const TDibBitmap& dib, HANDLE* info, HANDLE* bits);

// Copies `text` into the caller's buffer of `size` bytes; the length copied.
int CopyInfoText(const std::string& text, char* buf, int size);
