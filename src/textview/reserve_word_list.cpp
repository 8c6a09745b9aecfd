#include "textview/reserve_word_list.h"

#include <algorithm>

#include "base/sjis.h"

namespace {
int CompareText(std::string_view a, std::string_view b) {
    std::string ua = SjisUpperCase(a), ub = SjisUpperCase(b);
    return ua.compare(ub);
}
} // namespace

bool TReserveWordList::Find(std::string_view word, int* index) const {
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = CompareText(words_[mid], word);
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

int TReserveWordList::Add(const std::string& word) {
    int at = 0;
    if (Find(word, &at)) return at;
    words_.insert(words_.begin() + at, word);
    Changed();
    return at;
}

void TReserveWordList::Delete(int i) {
    if (i < 0 || i >= Count()) return;
    words_.erase(words_.begin() + i);
    Changed();
}

void TReserveWordList::Clear() {
    if (words_.empty()) return;
    words_.clear();
    Changed();
}

void TReserveWordList::Assign(const TReserveWordList& s) {
    if (&s == this) return;
    words_ = s.words_;
    Changed();
}
