#include "base/files.h"

#include <sys/stat.h>

#include "base/strutil.h"

namespace {
// The path handed to the C library. Its Windows flavour takes a last byte
// 0x5C for a separator even where it ends a double-byte character ("表",
// "ソ"), and then asks about another name; ending the path in "\." leaves
// that byte alone and names the same entry.
std::string StatPath(const std::string& path) {
    std::string p = ExcludeTrailingBackslash(path);
#ifdef _WIN32
    return IncludeTrailingBackslash(p) + ".";
#else
    if (p.empty()) p = path;
    return p;
#endif
}

bool StatMode(const std::string& path, unsigned kind) {
    struct stat st {};
    return !path.empty() && stat(StatPath(path).c_str(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}
}  // namespace

bool FileExists(const std::string& path) { return StatMode(path, S_IFREG); }

bool DirectoryExists(const std::string& path) { return StatMode(path, S_IFDIR); }
