// Member names of a CAB as its file headers hold them. libarchive drops a
// name flagged UTF-8 that is not UTF-8 (gcab flags every name with a byte
// over 0x7F, Shift-JIS ones too); the bytes as written are what the
// member is called then.
#pragma once
#include <string>
#include <vector>

#include "arj_format.h"

// The names of the cabinet's file entries in header order, '\' between
// folders as stored; empty when no cabinet header is found. A cabinet
// inside a self-extracting program is found within its first 128 KiB.
std::vector<std::string> ReadCabMemberNames(ArjSource& source);

// A name flagged UTF-8 that does not decode as UTF-8.
bool IsValidUtf8(const std::string& s);
