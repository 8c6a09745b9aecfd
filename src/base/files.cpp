#include "base/files.h"

#include <sys/stat.h>

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFREG;
}
