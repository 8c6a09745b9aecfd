#include "imageview/picture_formats.h"

#include "base/sjis.h"

namespace {
struct TExtensionLoader {
    const char* Ext;
    TPictureLoader Loader;
};

const TExtensionLoader kLoaders[] = {
    {".BMP", {0, nullptr, ""}},         {".ICO", {0, nullptr, ""}},
    {".WMF", {0, nullptr, ""}},         {".EMF", {0, nullptr, ""}},
    {".JPG", {1, "ifjpeg.spi", "JPG"}}, {".JPE", {1, "ifjpeg.spi", "JPG"}},
    {".GIF", {2, "ifgif.spi", "GIF"}},  {".TIF", {3, "iftiff.spi", "TIFF"}},
    {".PIC", {4, "ifpic.spi", "PIC"}},  {".P2", {5, "ifpic2.spi", "PIC2"}},
    {".MAG", {6, "ifmag.spi", "MAG"}},  {".Q4", {7, "ifxld4.spi", "XLD4"}},
    {".PI", {8, "ifpi.spi", "PI"}},
};
} // namespace

const char kImageKindList[] = ".BMP .WMF .EMF .ICO .MAG .JPG .JPEG .Q4 .TIF .PIC .PI .P2 .PNG ";
const char kImageKindListWithGif[] =
    ".BMP .WMF .EMF .ICO .MAG .JPG .JPEG .Q4 .TIF .PIC .PI .P2 .PNG .GIF ";
const char kBuiltInDecoderList[] = ".BMP .WMF .EMF .ICO .JPG .JPEG ";

const TPictureLoader* FindPictureLoader(const std::string& ext) {
    const std::string upper = SjisUpperCase(ext);
    for (const TExtensionLoader& e : kLoaders) {
        if (upper == e.Ext) return &e.Loader;
    }
    return nullptr;
}

std::string LoadFailureMessage(int result, const TPictureLoader* loader) {
    switch (result) {
    case kLoadUnsupported:
        return "サポートされない拡張子";
    case kLoadNoLibrary:
        return std::string("IF") + (loader ? loader->Label : "") + ".SPI not found";
    case kSpiUnknownFormat:
        return "未知のフォーマット";
    case kSpiBrokenData:
        return "データが壊れている";
    case kSpiNoMemory:
        return "メモリーが確保出来ない";
    case kSpiMemoryError:
        return "メモリーエラー";
    case kSpiReadError:
        return "ファイルリードエラー";
    default:
        return "その他のエラー";
    }
}

bool ExtensionInList(const std::string& list, const std::string& ext) {
    if (ext.empty()) return false;
    return list.find(SjisUpperCase(ext) + " ") != std::string::npos;
}
