#include "archive/archive_item.h"

#include <algorithm>
#include <stdexcept>

#include "archive/archive_host.h"
#include "archive/dos_time.h"
#include "base/sjis.h"

TArchiveItem::TArchiveItem(TArchiveList* owner, const IndividualInfo& info)
    : info_(info), owner_(owner), unpacked_(info.UnpackedSize()),
      compressed_(info.CompressedSize()) {
    if (owner == nullptr) throw std::logic_error("TArchiveItem needs an owning list");
}

void TArchiveItem::SplitPath() {
    if (split_) return;
    const std::string full = MemberPath();
    std::size_t pos = SjisLastDelimiter(full, "/\\");
    if (pos == std::string::npos) {
        file_name_ = full;
        path_.clear();
    } else {
        file_name_ = full.substr(pos + 1);
        path_ = full.substr(0, pos + 1);
    }
    split_ = true;
}

const std::string& TArchiveItem::FileName() {
    SplitPath();
    return file_name_;
}

const std::string& TArchiveItem::Path() {
    SplitPath();
    return path_;
}

std::uint32_t TArchiveItem::Attributes() const {
    return attribute_word_ != 0 ? attribute_word_ : info_.AttributesFromText();
}

std::uint64_t TArchiveItem::FileTime() {
    if (file_time_ == 0) file_time_ = DosDateTimeToFileTime(info_.DosDate(), info_.DosTime());
    return file_time_;
}

double TArchiveItem::DateTime() {
    if (date_time_ == 0.0) {
        std::uint64_t ft = FileTime();
        if (ft != 0) date_time_ = FileTimeToDateTime(ft);
    }
    return date_time_;
}

const std::string& TArchiveItem::TypeName() {
    if (!type_name_known_ && owner_->Host() != nullptr) {
        std::string name = owner_->Host()->ShellTypeName(MemberPath(), Attributes());
        // Keep at most 80 bytes, never half a double-byte character.
        std::size_t n = 0;
        while (n < name.size() && n + SjisCharLength(name, n) <= 80)
            n += SjisCharLength(name, n);
        type_name_ = name.substr(0, n);
        type_name_known_ = true;
    }
    return type_name_;
}

int TArchiveItem::IconIndex() {
    if (icon_index_ == -1 && owner_->Host() != nullptr)
        icon_index_ = owner_->Host()->ShellIconIndex(MemberPath(), Attributes());
    return icon_index_;
}

int TArchiveItem::Index() const {
    return owner_->IndexOf(this);
}

TArchiveItem* TArchiveList::Items(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(i)].get();
}

void TArchiveList::Add(std::unique_ptr<TArchiveItem> item) {
    items_.push_back(std::move(item));
    total_size_ = 0;
}

int TArchiveList::IndexOf(const TArchiveItem* item) const {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [item](const std::unique_ptr<TArchiveItem>& p) { return p.get() == item; });
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TArchiveList::Reserve(int n) {
    // The count is the library's claim, read from the archive's headers: room
    // for a sane number of members is made at once, and the list grows past
    // it only as members are really found.
    constexpr int kMostReserved = 65536;
    if (n > 0) items_.reserve(static_cast<std::size_t>(n < kMostReserved ? n : kMostReserved));
}

void TArchiveList::Clear() {
    items_.clear();
    total_size_ = 0;
    ResetDirections();
}

std::uint64_t TArchiveList::TotalSize() {
    if (total_size_ == 0)
        for (const auto& item : items_)
            total_size_ += item->UnpackedSize();
    return total_size_;
}

void TArchiveList::SortBy(
    TArcSortType t, const std::function<int(const std::string&, const std::string&)>& compare_str) {
    if (t == stNoSort) return;
    const int dir = directions_[t];
    auto sign = [](long long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    auto compare = [&](TArchiveItem* a, TArchiveItem* b) -> int {
        switch (t) {
        case stName:
            return sign(compare_str(a->FileName(), b->FileName()));
        case stTime: {
            std::uint64_t x = a->FileTime(), y = b->FileTime();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        case stSize:
            return sign(static_cast<long long>(a->UnpackedSize()) - b->UnpackedSize());
        case stRate:
            return sign(static_cast<long long>(a->Ratio()) - b->Ratio());
        case stCompSize:
            return sign(static_cast<long long>(a->CompressedSize()) - b->CompressedSize());
        case stPath:
            return sign(compare_str(a->Path(), b->Path()));
        case stType:
            return sign(compare_str(a->TypeName(), b->TypeName()));
        default:
            return 0;
        }
    };
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const std::unique_ptr<TArchiveItem>& a, const std::unique_ptr<TArchiveItem>& b) {
                         return compare(a.get(), b.get()) * dir < 0;
                     });
}
