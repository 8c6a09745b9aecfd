#include "archive/archive_format.h"

#include "archive/individual_info.h"
#include "base/sjis.h"
#include "base/strutil.h"

TArchiveType ArchiveTypeByName(std::string_view file_name) {
    const std::string ext = SjisUpperCase(ExtractFileExt(file_name));
    if (ext == ".LZH") return atLha;
    if (ext == ".CAB") return atCab;
    if (ext == ".TAR" || ext == ".TAZ" || ext == ".GZ" || ext == ".Z" || ext == ".TGZ" ||
        ext == ".BZ2" || ext == ".TBZ" || ext == ".XZ" || ext == ".TXZ")
        return atTar;
    if (ext == ".ARJ") return atArj;
    if (ext == ".RAR") return atRar;
    if (ext == ".ZIP") return atZip;
    if (ext == ".7Z") return atSevenZip;
    return atNone;
}

TArchiverLibrary ReaderLibrary(TArchiveType type) {
    switch (type) {
    case atCab:
        return alCab;
    case atTar:
        return alTar;
    case atArj:
        return alUnarj;
    case atRar:
        return alUnrar;
    case atZip:
        return alUnzip;
    case atSevenZip:
        return alSevenZip;
    default:
        return alUnlha;
    }
}

const char* ArchiverLibraryFileName(TArchiverLibrary lib) {
    static const char* const kNames[kArchiverLibraryCount] = {
        "Unlha32.dll", "cab32.dll",   "Tar32.dll", "Unarj32j.dll",
        "unrar32.dll", "Unzip32.dll", "Zip32j.dll",  "7-zip32.dll"};
    return kNames[lib];
}

const char* ArchiverLibraryPrefix(TArchiverLibrary lib) {
    static const char* const kPrefixes[kArchiverLibraryCount] = {
        "Unlha", "Cab", "Tar", "Unarj", "Unrar", "UnZip", "Zip", "SevenZip"};
    return kPrefixes[lib];
}

std::string ForceTarExtension(std::string_view file_name, TTarCompressType compress) {
    const std::string ext = SjisUpperCase(ExtractFileExt(file_name));
    switch (compress) {
    case ctTar:
        if (ext != ".TAR") return ChangeFileExt(file_name, ".tar");
        break;
    case ctGZip:
        if (ext != ".TGZ" && ext != ".TAZ" && ext != ".GZ" && ext != ".Z")
            return ChangeFileExt(file_name, ".tgz");
        break;
    case ctBZip2:
        if (ext != ".BZ2" && ext != ".TBZ") return ChangeFileExt(file_name, ".bz2");
        break;
    }
    return std::string(file_name);
}

bool IsCreatableType(TArchiveType type) {
    return type == atLha || type == atCab || type == atTar || type == atZip;
}

bool IsEncryptedMember(TArchiveType type, const IndividualInfo& info) {
    return (type == atZip || type == atSevenZip || type == atArj) && (info.Flag() & 1u) != 0;
}
