// One row of the file list or the search-result list.
#pragma once
#include <cstdint>
#include <string>

struct TFileInfo {
    std::string BaseFolder; // the engine's folder when the record was made
    std::string Name;       // file name without folder
    std::string Path;       // folder found in, with trailing backslash, + Name
    bool Flag = false;      // listing: a sub-folder; search: every hit
    std::int32_t Size = 0;  // low 32 bits, signed
    std::uint32_t SizeKB = 0;
    std::string TypeName; // filled on demand
    std::string DateText; // "yyyy/mm/dd hh:nn:ss", empty without a time
    std::uint32_t Attributes = 0;
    int IconIndex = 0; // small icon in the system image list, on demand
    bool DetailsFilled = false;
};
