#include "app/file_kind.h"

#include <string>

#include "base/sjis.h"
#include "base/strutil.h"

FileKind ClassifyFile(std::string_view path, bool gifOption) {
    std::string images = kImageExts;
    if (gifOption) images += kGifExt;
    const std::string e = SjisUpperCase(ExtractFileExt(path)) + " ";
    if (Trim(e).empty()) return fkText;
    const struct {
        std::string_view list;
        FileKind kind;
    } table[] = {
        {images, fkImage},           {kMediaExts, fkMedia},           {kWaveExts, fkWave},
        {kArchiveExts, fkArchive},   {kLaunchableExts, fkLaunchable}, {kLibraryExts, fkLibrary},
    };
    for (const auto& row : table) {
        if (row.list.find(e) != std::string_view::npos) return row.kind;
    }
    return fkText;
}

const char* FileKindName(FileKind kind) {
    static const char* const names[] = {"fkText",       "fkImage",   "fkMedia", "fkWave",
                                        "fkArchive",    "fkLaunchable", "fkLibrary", "fkNone"};
    return kind <= fkNone ? names[kind] : "?";
}
