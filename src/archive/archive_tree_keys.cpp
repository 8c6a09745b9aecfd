#include "archive/archive_tree_keys.h"

#include "base/sjis.h"

bool TArchiveTreeKeys::Less::operator()(const std::string& a, const std::string& b) const {
    const std::string ua = SjisUpperCase(a), ub = SjisUpperCase(b);
    if (ua != ub) return ua < ub;
    return a < b;
}

void TArchiveTreeKeys::Add(const std::string& key, bool nested, const std::string& member) {
    // The first of two equal keys stays.
    keys_.emplace(key, TArchiveTreeKey{key, nested, member});
}

void TArchiveTreeKeys::AddMember(const std::string& path, const std::string& raw_path,
                                 const std::string& name, bool is_archive) {
    collected_ = true;
    if (path.empty()) {
        if (is_archive) Add(name + "/", true, name);
        return;
    }
    // Every folder prefix, cut after each '/'; a leading '/' stays in front
    // of each of them ('/' is never the second byte of a character).
    const bool rooted = path[0] == '/';
    const std::string rest = rooted ? path.substr(1) : path;
    for (std::size_t pos = rest.find('/'); pos != std::string::npos;
         pos = rest.find('/', pos + 1)) {
        Add((rooted ? "/" : "") + rest.substr(0, pos + 1), false, "");
    }
    if (is_archive) {
        Add(path + name + "/", true, raw_path + name);
    } else {
        Add(path, false, "");
        in_folder_ = true;
    }
}

std::vector<TArchiveTreeKey> TArchiveTreeKeys::Sorted() const {
    std::vector<TArchiveTreeKey> v;
    v.reserve(keys_.size());
    for (const auto& entry : keys_)
        v.push_back(entry.second);
    return v;
}

std::string ParentKeyPath(std::string_view key) {
    std::string_view k = key;
    if (!k.empty() && k.back() == '/') k.remove_suffix(1);
    const std::size_t pos = k.rfind('/');
    return pos == std::string_view::npos ? std::string() : std::string(k.substr(0, pos + 1));
}

std::string KeyCaption(std::string_view key) {
    std::string_view k = key;
    if (!k.empty() && k.back() == '/') k.remove_suffix(1);
    const std::size_t pos = k.rfind('/');
    return std::string(pos == std::string_view::npos ? k : k.substr(pos + 1));
}

std::string SlashSeparators(std::string_view path) {
    std::string out(path);
    for (std::size_t i = 0; i < out.size(); i += SjisCharLength(out, i)) {
        if (out[i] == '\\') out[i] = '/';
    }
    return out;
}
