// Progress protocol between the archiver libraries and a registered owner
// (SetOwnerWindowEx). The library calls the owner's callback with the
// registered message "wm_arcextract", a state and a pointer to this record.
#pragma once
#include <cstdint>

constexpr const char* kArchiverProgressMessageName = "wm_arcextract";

enum : unsigned {
    kArchiverProgressBegin = 0,  // a member begins
    kArchiverProgressInFile = 1, // part of the member was written
    kArchiverProgressEnd = 2,    // the member is done
};

struct ArchiverProgressInfo {
    std::uint32_t file_size;
    std::uint32_t written;
    char source_name[513]; // member path inside the archive
    char pad1[3];
    char dest_name[513]; // file written
    char pad2[3];
};
// The same 1040 bytes in both builds: the libraries of either architecture
// fill it as the 32-bit ones always have.
static_assert(sizeof(ArchiverProgressInfo) == 1040, "progress record layout");
