// What a folder tree holds, file by file: attributes, size, creation and
// last-write times and a hash of the bytes. Two snapshots compare equal
// when nothing in the tree was added, removed or changed. Last-access times
// are left out: reading a file is allowed, and the file system notes it.
#pragma once
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ui/win32.h"

struct TFileState {
    DWORD Attributes = 0;
    std::uint64_t Size = 0;
    FILETIME Created{}, Written{};
    std::uint64_t Hash = 0;

    bool operator==(const TFileState& o) const {
        return Attributes == o.Attributes && Size == o.Size && Hash == o.Hash &&
               CompareFileTime(&Created, &o.Created) == 0 && CompareFileTime(&Written, &o.Written) == 0;
    }
};

using TTreeSnapshot = std::map<std::string, TFileState>;

// FNV-1a over the file's bytes; 0 for a file that cannot be read.
inline std::uint64_t HashOfFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    std::uint64_t hash = 1469598103934665603ull;
    std::vector<unsigned char> buf(1 << 16);
    DWORD got = 0;
    while (ReadFile(h, buf.data(), static_cast<DWORD>(buf.size()), &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) hash = (hash ^ buf[i]) * 1099511628211ull;
    }
    CloseHandle(h);
    return hash;
}

// Every file and folder below `dir` (keys relative to it), except the
// relative paths in `skip` and what lies below them.
inline void SnapshotTree(const std::string& dir, TTreeSnapshot& out,
                         const std::vector<std::string>& skip = {}, const std::string& rel = "",
                         bool hashes = true, bool recurse = true) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        const std::string key = rel.empty() ? name : rel + "\\" + name;
        bool skipped = false;
        for (const std::string& s : skip) skipped = skipped || lstrcmpiA(s.c_str(), key.c_str()) == 0;
        if (skipped) continue;
        TFileState st;
        st.Attributes = fd.dwFileAttributes;
        st.Created = fd.ftCreationTime;
        st.Written = fd.ftLastWriteTime;
        const std::string path = dir + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A folder's own times change with what it holds; its entries tell that.
            st.Created = st.Written = FILETIME{};
            out[key] = st;
            if (recurse) SnapshotTree(path, out, skip, key, hashes, recurse);
        } else {
            st.Size = (std::uint64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
            if (hashes) st.Hash = HashOfFile(path);
            out[key] = st;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

// The differences between two snapshots, one line each, for a failure message.
inline std::string SnapshotDifferences(const TTreeSnapshot& before, const TTreeSnapshot& after) {
    std::ostringstream s;
    for (const auto& [key, st] : before) {
        auto it = after.find(key);
        if (it == after.end())
            s << "removed: " << key << "\n";
        else if (!(it->second == st))
            s << "changed: " << key << "\n";
    }
    for (const auto& [key, st] : after)
        if (!before.count(key)) s << "added: " << key << "\n";
    return s.str();
}
