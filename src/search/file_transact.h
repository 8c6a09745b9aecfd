// Lists one folder into sorted lists of files and sub-folders, by wildcard
// or by extension list, and deletes files with a safety question for
// system, hidden and read-only ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "search/file_platform.h"

class TFileTransact {
public:
    explicit TFileTransact(TFilePlatform& platform);
    virtual ~TFileTransact() = default;
    TFileTransact(const TFileTransact&) = delete;
    TFileTransact& operator=(const TFileTransact&) = delete;

    const std::string& Folder() const { return folder_; }
    void SetFolder(const std::string& folder);
    const std::string& Mask() const { return mask_; }
    // An empty mask is stored as "*.*".
    void SetMask(const std::string& mask);
    // Extensions with their dot, each followed by one blank (".TXT .DOC ").
    const std::string& Extensions() const { return extensions_; }
    void SetExtensions(const std::string& extensions);
    bool UseExtensions() const { return useExtensions_; }
    void SetUseExtensions(bool use);
    // Bare names instead of full paths in Files and Folders.
    bool NamesOnly = false;

    // Both lists are kept sorted (upper-cased names, byte order).
    std::vector<std::string> Files, Folders;
    int Count() const { return static_cast<int>(Files.size()); }

    // Refills Files and Folders from Folder.
    virtual void Execute();
    // Deletes every file of Files without asking; sub-folders stay.
    void DeleteAll();
    // Deletes one file. A protected file is first confirmed (when asked to)
    // and unprotected. A declined question leaves the file and gives true.
    bool DeleteFileChecked(const std::string& path, bool confirm);
    // All the given bits are set; a path that does not exist has none.
    bool HasAttributes(const std::string& path, std::uint32_t bits);

    // Text of the deletion question for a protected file.
    static std::string DeleteQuestion(const std::string& classification, const std::string& path);

protected:
    TFilePlatform& platform_;
    // Runs `each` for the entries of pattern that are real names (no ".",
    // "..", empty names or volume labels).
    void ForEachEntry(const std::string& pattern,
                      const std::function<bool(const TFoundEntry&)>& each);
    // Folder with a trailing backslash, as the entries' paths begin.
    std::string FolderPrefix() const;
    // Pattern of a listing by mask: the folder, then the trimmed mask or "*.*".
    std::string MaskPattern() const;
    bool FolderExists() const;
    // Puts an entry into Files or Folders, as a name or a full path.
    void Add(const TFoundEntry& e);
    void SortLists();

private:
    void ListByMask();
    void ListByExtensions();
    static void SortList(std::vector<std::string>& list);

    std::string folder_;
    std::string mask_ = "*.*";
    std::string extensions_;
    bool useExtensions_ = false;
};
