// Format rules that need no library: the format an extension stands for,
// the libraries behind each format, and the order self-extracting programs
// are probed in.
#pragma once
#include <string>
#include <string_view>

#include "archive/archive_types.h"

// ".LZH" -> atLha, ".CAB" -> atCab, ".TAR" ".TAZ" ".GZ" ".Z" ".TGZ" ".BZ2"
// ".TBZ" ".XZ" ".TXZ" -> atTar, ".ARJ" -> atArj, ".RAR" -> atRar, ".ZIP" ->
// atZip, ".7Z" -> atSevenZip; the name's extension is compared upper-cased.
// Anything else is atNone.
TArchiveType ArchiveTypeByName(std::string_view file_name);

// Formats a self-extracting ".EXE" is tried as, first match wins.
constexpr TArchiveType kSfxProbeOrder[] = {atCab, atZip, atLha, atTar, atArj, atRar, atSevenZip};

// The reading library of a format (ZIP reads through Unzip32).
TArchiverLibrary ReaderLibrary(TArchiveType type);
// File names of the libraries, indexed by TArchiverLibrary.
const char* ArchiverLibraryFileName(TArchiverLibrary lib);
// Exported-name prefix of a library ("Unlha", "Cab", ...).
const char* ArchiverLibraryPrefix(TArchiverLibrary lib);

// A TAR archive still to be made gets the extension of its compression:
// ".tar", ".tgz" or ".bz2", unless the name already has a matching one
// (".TBZ" counts as a bzip2 name).
std::string ForceTarExtension(std::string_view file_name, TTarCompressType compress);

struct IndividualInfo;
// Whether a member's record marks it encrypted: bit 0 of the flag, which
// ZIP's and ARJ's headers use for it and the 7z reader sets the same way.
// Other formats' flags mean other things and never count.
bool IsEncryptedMember(TArchiveType type, const IndividualInfo& info);

// Formats that can be created under a new name (ARJ, RAR and 7z cannot).
bool IsCreatableType(TArchiveType type);
