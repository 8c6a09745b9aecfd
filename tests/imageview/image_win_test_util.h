// Helpers of the Win32 image tests: a temporary folder, the build's bin and
// sample folders as Windows paths, and files written from bytes.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ui/win32.h"

// A Linux path from the environment as Wine sees it (drive Z:).
inline std::string WinePath(const char* variable, const char* tail = "") {
    const char* value = std::getenv(variable);
    std::string out = "Z:";
    for (const char* p = value ? value : ""; *p; ++p)
        out += *p == '/' ? '\\' : *p;
    if (out.back() != '\\') out += '\\';
    return out + tail;
}
inline std::string BinFolder() {
    return WinePath("QM_BIN_DIR");
}
inline std::string SampleImages() {
    return BinFolder() + "..\\samples\\images\\";
}

// Plug-ins are loaded by bare name; the test program lives elsewhere than
// bin/, so bin/ goes on the search path.
inline void PutBinOnSearchPath() {
    char old[32768] = {};
    GetEnvironmentVariableA("PATH", old, sizeof old);
    const std::string bin = BinFolder();
    if (std::string(old).find(bin) == std::string::npos)
        SetEnvironmentVariableA("PATH", (bin + ";" + old).c_str());
}

class TTempDir {
public:
    TTempDir() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        static int serial = 0;
        path_ = std::string(base) + "qm_img_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++serial) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TTempDir() {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((path_ + "*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((path_ + fd.cFileName).c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string p = path_ + name;
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return p;
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return Write(name, std::string(bytes.begin(), bytes.end()));
    }

private:
    std::string path_;
};

inline std::string ReadText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}
