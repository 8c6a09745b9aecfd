// An in-memory file system for the portable engine: folders hold entries,
// patterns are matched with * and ?, and every deletion and question is
// recorded.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/strutil.h"
#include "search/file_platform.h"

class FakePlatform : public TFilePlatform {
public:
    struct Node {
        std::uint32_t attributes = faArchive;
        std::uint64_t size = 0;
        TLocalTime time;
    };

    void AddFolder(const std::string& path) {
        nodes_[Key(path)] = Node{faDirectory, 0, {}};
        names_[Key(path)] = ExcludeTrailingBackslash(path);
    }
    void AddFile(const std::string& path, std::uint64_t size = 0, std::uint32_t attrs = faArchive,
                 TLocalTime t = {true, 2001, 2, 3, 4, 5, 6}) {
        nodes_[Key(path)] = Node{attrs, size, t};
        names_[Key(path)] = path;
    }
    bool Exists(const std::string& path) const { return nodes_.count(Key(path)) != 0; }
    std::uint32_t Attrs(const std::string& path) const { return nodes_.at(Key(path)).attributes; }

    bool DirectoryExists(const std::string& path) override {
        auto it = nodes_.find(Key(path));
        return it != nodes_.end() && (it->second.attributes & faDirectory);
    }
    void FindEntries(const std::string& pattern,
                     const std::function<bool(const TFoundEntry&)>& each) override {
        ++finds;
        const std::string folder = ExcludeTrailingBackslash(ExtractFilePath(pattern));
        const std::string mask = ExtractFileName(pattern);
        if (!DirectoryExists(folder)) return;
        std::vector<TFoundEntry> found;
        found.push_back({".", faDirectory, 0, {}});
        found.push_back({"..", faDirectory, 0, {}});
        for (const auto& [key, node] : nodes_) {
            const std::string& full = names_.at(key);
            if (!SjisSameText(ExcludeTrailingBackslash(ExtractFilePath(full)), folder)) continue;
            const std::string name = ExtractFileName(full);
            if (name.empty() || !Matches(mask, name)) continue;
            found.push_back({name, node.attributes, node.size, node.time});
        }
        for (const auto& e : found) {
            if (!each(e)) return;
        }
    }
    bool GetAttributes(const std::string& path, std::uint32_t& a) override {
        auto it = nodes_.find(Key(path));
        if (it == nodes_.end()) return false;
        a = it->second.attributes;
        return true;
    }
    bool SetAttributes(const std::string& path, std::uint32_t a) override {
        setAttributes.push_back(path);
        auto it = nodes_.find(Key(path));
        if (it == nodes_.end() || failSetAttributes) return false;
        it->second.attributes = a;
        return true;
    }
    bool RemoveFile(const std::string& path) override {
        auto it = nodes_.find(Key(path));
        if (it == nodes_.end() || failRemove) return false;
        // Like the platform, a read-only file cannot be deleted.
        if (it->second.attributes & faReadOnly) return false;
        nodes_.erase(it);
        removed.push_back(path);
        return true;
    }
    bool MatchesMask(const std::string& name, const std::string& mask) override {
        return Matches(mask, name);
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answerYes;
    }

    std::vector<std::string> removed, questions, setAttributes;
    bool answerYes = true, failSetAttributes = false, failRemove = false;
    int finds = 0;

private:
    static std::string Key(const std::string& path) {
        return SjisUpperCase(ExcludeTrailingBackslash(path));
    }
    // Wildcards as the platform's directory search reads them: "*.*" takes
    // names without a dot too.
    static bool Matches(const std::string& mask, const std::string& name) {
        if (mask == "*.*" || mask == "*") return true;
        return Glob(SjisUpperCase(mask).c_str(), SjisUpperCase(name).c_str());
    }
    static bool Glob(const char* m, const char* n) {
        if (!*m) return !*n;
        if (*m == '*') return Glob(m + 1, n) || (*n && Glob(m, n + 1));
        if (!*n) return false;
        return (*m == '?' || *m == *n) && Glob(m + 1, n + 1);
    }
    std::map<std::string, Node> nodes_;
    std::map<std::string, std::string> names_;
};
