// Sorted list of reserved words, compared without regard to the case of
// single-byte letters (double-byte characters compare byte for byte).
#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textview/notify_persistent.h"

class TReserveWordList : public TNotifyPersistent {
public:
    int Count() const { return static_cast<int>(words_.size()); }
    const std::string& Strings(int i) const { return words_.at(i); }
    // Answers the index of the word; a word already present is not added twice.
    int Add(const std::string& word);
    void Delete(int i);
    void Clear();
    bool Find(std::string_view word, int* index = nullptr) const;
    void Assign(const TReserveWordList& source);

private:
    void Rebuild();

    std::vector<std::string> words_;
    // The words upper-cased, in the same order, and which lengths and
    // first bytes they have: painting looks up nearly every token, and most
    // are not reserved, so a lookup neither copies the token nor searches
    // when no word can match.
    std::vector<std::string> keys_;
    std::uint64_t lengths_ = 0; // bit min(length, 63)
    std::bitset<256> firsts_;
};
