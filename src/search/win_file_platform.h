// The file platform of the Win32 build: directory search, attributes and
// deletion through the ANSI file functions, questions through the
// program's message box.
#pragma once
#include "search/file_platform.h"

class TWinFilePlatform : public TFilePlatform {
public:
    bool DirectoryExists(const std::string& path) override;
    void FindEntries(const std::string& pattern,
                     const std::function<bool(const TFoundEntry&)>& each) override;
    bool GetAttributes(const std::string& path, std::uint32_t& attributes) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
    bool RemoveFile(const std::string& path) override;
    bool MatchesMask(const std::string& name, const std::string& mask) override;
    bool AskYesNo(const std::string& text) override;
};

// The one platform object the program's engines share.
TWinFilePlatform& WinFilePlatform();
