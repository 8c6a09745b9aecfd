// One archive member, and the lists that hold them.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_types.h"
#include "archive/individual_info.h"

class TArchiveList;
class TArchiveHost;

class TArchiveItem {
public:
    // Throws std::logic_error without an owning list.
    TArchiveItem(TArchiveList* owner, const IndividualInfo& info);

    const IndividualInfo& Info() const { return info_; }
    TArchiveList& Owner() const { return *owner_; }

    // Attribute bits as the library's GetAttribute reported them (0: none).
    void SetAttributeWord(std::uint32_t word) { attribute_word_ = word; }
    // Whole sizes where the library tells them; the record's otherwise.
    void SetWholeSizes(std::uint64_t unpacked, std::uint64_t compressed) {
        unpacked_ = unpacked;
        compressed_ = compressed;
    }

    // Member path as the library reported it.
    std::string MemberPath() const { return info_.MemberPath(); }
    // Part after the last '/' or '\' (the whole path without one).
    const std::string& FileName();
    // Part up to and including the last '/' or '\' (empty without one).
    const std::string& Path();
    std::uint64_t UnpackedSize() const { return unpacked_; }
    std::uint64_t CompressedSize() const { return compressed_; }
    std::uint16_t Ratio() const { return info_.Ratio(); }
    std::uint32_t Attributes() const;
    std::uint64_t FileTime();
    double DateTime();
    const std::string& TypeName();
    int IconIndex();
    int Index() const;

private:
    void SplitPath();

    IndividualInfo info_;
    TArchiveList* owner_;
    std::uint32_t attribute_word_ = 0;
    std::uint64_t unpacked_;
    std::uint64_t compressed_;
    int icon_index_ = -1;
    bool type_name_known_ = false;
    bool split_ = false;
    std::string type_name_;
    std::string file_name_;
    std::string path_;
    std::uint64_t file_time_ = 0;
    double date_time_ = 0.0;
};

// The control's member list: owns its members, keeps a cached size total
// and one sort direction per sort type.
class TArchiveList {
public:
    TArchiveList() { ResetDirections(); }
    TArchiveList(const TArchiveList&) = delete;
    TArchiveList& operator=(const TArchiveList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Null for an index outside 0..Count-1.
    TArchiveItem* Items(int i) const;
    void Add(std::unique_ptr<TArchiveItem> item);
    int IndexOf(const TArchiveItem* item) const;
    void Reserve(int n);
    // Frees the members.
    void Clear();

    // Sum of the unpacked sizes, computed on first request after a change.
    std::uint64_t TotalSize();

    int Direction(TArcSortType t) const { return directions_[t]; }
    void SetDirection(TArcSortType t, int d) { directions_[t] = d; }
    void ResetDirections() { directions_.fill(1); }
    // Stable sort by one key times its direction. `compare_str` is the
    // locale-aware comparison used for the text keys.
    void SortBy(TArcSortType t,
                const std::function<int(const std::string&, const std::string&)>& compare_str);

    // Where items get their shell type names and icons.
    void SetHost(TArchiveHost* host) { host_ = host; }
    TArchiveHost* Host() const { return host_; }

private:
    std::vector<std::unique_ptr<TArchiveItem>> items_;
    std::array<int, 7> directions_{};
    std::uint64_t total_size_ = 0;
    TArchiveHost* host_ = nullptr;
};

