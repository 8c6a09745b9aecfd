// Which loader reads a picture: the loader table of the image control
// (built-in picture loader or an image plug-in library by bare name) and
// the extension lists the preview manager chooses a decoder by.
#pragma once
#include <string>

// Results of a load that are not the plug-in's own.
constexpr int kLoadOk = 0;
constexpr int kLoadUnsupported = 10; // the extension is in no loader's table
constexpr int kLoadNoLibrary = 20;   // the plug-in library cannot be loaded
// Plug-in results with a message of their own.
constexpr int kSpiUnknownFormat = 2;
constexpr int kSpiBrokenData = 3;
constexpr int kSpiNoMemory = 4;
constexpr int kSpiMemoryError = 5;
constexpr int kSpiReadError = 6;

// Format indexes that ask for more than the picture call.
constexpr int kFormatBuiltIn = 0;
constexpr int kFormatJpeg = 1;
constexpr int kFormatPic = 4;
constexpr int kFormatPic2 = 5;

struct TPictureLoader {
    int FormatIndex;
    const char* Library; // bare file name; null for the built-in loader
    const char* Label;   // the format's name in messages
};

// The loader of an extension ("." included, any case); null when none.
const TPictureLoader* FindPictureLoader(const std::string& ext);

// The message of a failed load: plug-in results and the two of our own.
std::string LoadFailureMessage(int result, const TPictureLoader* loader);

// Extension lists of the preview manager: upper-case entries, each followed
// by one blank, so that ".PI " never matches inside ".PIC ".
extern const char kImageKindList[];
extern const char kImageKindListWithGif[];
extern const char kBuiltInDecoderList[];
// Whether `ext` (any case) is an entry of `list`.
bool ExtensionInList(const std::string& list, const std::string& ext);
