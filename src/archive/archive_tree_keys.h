// The keys the member tree is built from: every folder prefix of the
// members' paths and every nested archive, sorted so that a folder always
// comes before what lies in it.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

struct TArchiveTreeKey {
    // '/'-separated with a trailing '/': "a/b/" for a folder, "a/x.zip/"
    // for a nested archive.
    std::string Key;
    bool Nested = false;
    // Nested archive: its member name as the library reported it.
    std::string Member;
};

class TArchiveTreeKeys {
public:
    // One member: `path` is its folder with '/' separators ("" at the root),
    // `raw_path` the folder as the library reported it.
    void AddMember(const std::string& path, const std::string& raw_path, const std::string& name,
                   bool is_archive);

    // Keys in order: upper-cased text first, then the exact bytes.
    std::vector<TArchiveTreeKey> Sorted() const;
    // Some member was looked at / some member that is not a nested
    // archive lives in a folder.
    bool Collected() const { return collected_; }
    bool InFolder() const { return in_folder_; }

private:
    void Add(const std::string& key, bool nested, const std::string& member);
    struct Less {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, TArchiveTreeKey, Less> keys_;
    bool collected_ = false;
    bool in_folder_ = false;
};

// The folder a key lies in: "a/b/" -> "a/", "a/" -> "", "/a/" -> "/".
std::string ParentKeyPath(std::string_view key);
// Caption of a key's node: "a/b/" -> "b".
std::string KeyCaption(std::string_view key);
// Every whole-character '\' of a Shift-JIS path turned into '/'.
std::string SlashSeparators(std::string_view path);
