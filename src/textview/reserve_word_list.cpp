#include "textview/reserve_word_list.h"

#include <algorithm>

#include "base/sjis.h"

namespace {
// key (upper-cased already) against word upper-cased on the way, as the two
// upper-cased strings compare: byte for byte, unsigned.
int CompareUpper(std::string_view key, std::string_view word) {
    const std::size_t n = std::min(key.size(), word.size());
    bool trail = false;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char w = static_cast<unsigned char>(word[i]);
        if (trail)
            trail = false;
        else if (IsSjisLeadByte(w) && i + 1 < word.size())
            trail = true;
        else if (w >= 'a' && w <= 'z')
            w = static_cast<unsigned char>(w - 32);
        const unsigned char k = static_cast<unsigned char>(key[i]);
        if (k != w) return k < w ? -1 : 1;
    }
    return key.size() < word.size() ? -1 : key.size() > word.size() ? 1 : 0;
}

std::uint64_t LengthBit(std::size_t length) {
    return std::uint64_t(1) << (length < 63 ? length : 63);
}

unsigned char UpperFirst(std::string_view s) {
    const unsigned char c = static_cast<unsigned char>(s[0]);
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
}
} // namespace

bool TReserveWordList::Find(std::string_view word, int* index) const {
    if (!index && (!(lengths_ & LengthBit(word.size())) || (!word.empty() && !firsts_[UpperFirst(word)])))
        return false;
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = CompareUpper(keys_[mid], word);
        if (c == 0) {
            if (index) *index = mid;
            return true;
        }
        if (c < 0) lo = mid + 1;
        else hi = mid - 1;
    }
    if (index) *index = lo;
    return false;
}

void TReserveWordList::Rebuild() {
    keys_.clear();
    lengths_ = 0;
    firsts_.reset();
    for (const std::string& w : words_) {
        keys_.push_back(SjisUpperCase(w));
        lengths_ |= LengthBit(w.size());
        if (!w.empty()) firsts_.set(UpperFirst(w));
    }
}

int TReserveWordList::Add(const std::string& word) {
    int at = 0;
    if (Find(word, &at)) return at;
    words_.insert(words_.begin() + at, word);
    keys_.insert(keys_.begin() + at, SjisUpperCase(word));
    lengths_ |= LengthBit(word.size());
    if (!word.empty()) firsts_.set(UpperFirst(word));
    Changed();
    return at;
}

void TReserveWordList::Delete(int i) {
    if (i < 0 || i >= Count()) return;
    words_.erase(words_.begin() + i);
    Rebuild();
    Changed();
}

void TReserveWordList::Clear() {
    if (words_.empty()) return;
    words_.clear();
    Rebuild();
    Changed();
}

void TReserveWordList::Assign(const TReserveWordList& s) {
    if (&s == this) return;
    words_ = s.words_;
    Rebuild();
    Changed();
}
