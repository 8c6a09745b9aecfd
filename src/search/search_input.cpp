#include "search/search_input.h"

#include "base/sjis.h"
#include "base/strutil.h"
#include "search/search_strings.h"

const std::vector<TExtensionBox>& ExtensionBoxes() {
    // GIF needs its option and MP3 a player that is not there: both are
    // made for the numbering but not offered.
    static const std::vector<TExtensionBox> boxes = {
        {1, "JPG", false, false},  {2, "JPEG", false, false}, {3, "BMP", false, false},
        {4, "GIF", true, false},   {5, "MAG", false, false},  {6, "Q4", false, false},
        {7, "TIF", false, false},  {8, "PIC", false, false},  {9, "PI", false, false},
        {10, "P2", false, false},  {11, "WMF", false, false}, {12, "EMF", false, false},
        {13, "ICO", false, false}, {14, "PNG", false, false}, {21, "MPG", false, false},
        {22, "AVI", false, false}, {23, "MOV", false, false}, {31, "WAV", false, false},
        {32, "MID", false, false}, {33, "MP3", true, true},   {41, "EXE", false, false},
        {42, "HLP", false, false}, {43, "TXT", false, false}, {44, "DOC", false, false},
        {51, "LZH", false, false}, {52, "ZIP", false, false}, {53, "CAB", false, false},
        {54, "TAR", false, false}, {55, "7Z", false, false},
    };
    return boxes;
}

const TExtensionGroup& ExtensionGroup(int group) {
    static const TExtensionGroup groups[kExtensionGroupCount] = {
        {1, 19, kSearchGroupImages},   {20, 29, kSearchGroupMovies},   {30, 39, kSearchGroupSound},
        {40, 49, kSearchGroupPrograms}, {50, 59, kSearchGroupArchives},
    };
    return groups[group < 0 ? 0 : group >= kExtensionGroupCount ? kExtensionGroupCount - 1 : group];
}

int ExtensionGroupOf(int number) {
    for (int g = 0; g < kExtensionGroupCount; ++g) {
        if (number >= ExtensionGroup(g).First && number <= ExtensionGroup(g).Last) return g;
    }
    return -1;
}

std::string BuildExtensionList(const std::vector<std::string>& checkedCaptions, bool useUserWords,
                               const std::string& userText) {
    std::string list;
    for (const std::string& caption : checkedCaptions) list += "." + SjisUpperCase(caption) + " ";
    if (!useUserWords) return list;
    // A blank is never the second byte of a double-byte character, so the
    // text can be cut at every one of them.
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = userText.find(' ', start);
        list += "." + userText.substr(start, blank - start) + " ";
        if (blank == std::string::npos) break;
        start = blank + 1;
    }
    return list;
}

bool AddToHistory(std::vector<std::string>& history, const std::string& text) {
    // A blank entry would end the saved list early when it is read back.
    const std::string entry = Trim(text);
    if (entry.empty()) return false;
    for (const std::string& old : history) {
        if (SjisSameText(Trim(old), entry)) return false;
    }
    history.insert(history.begin(), entry);
    return true;
}

void TFolderShortcuts::Load(const std::function<std::string(const std::string& key)>& read) {
    folders_.clear();
    for (int i = 1; i <= kMaxRead; ++i) {
        std::string folder = read(std::to_string(i));
        if (folder.empty()) break;
        folders_.push_back(std::move(folder));
    }
}

int TFolderShortcuts::Find(const std::string& folder) const {
    for (int i = 0; i < Count(); ++i) {
        if (SjisSameText((*this)[i], folder)) return i;
    }
    return -1;
}

int TFolderShortcuts::Add(const std::string& folder) {
    folders_.push_back(folder);
    return Count() - 1;
}

bool TFolderShortcuts::Remove(int index) {
    if (!Valid(index)) return false;
    folders_.erase(folders_.begin() + index);
    return true;
}

int TFolderShortcuts::Move(int dragged, int target) {
    if (!Valid(dragged) || !Valid(target) || Count() < 2) return -1;
    // A copy goes in before the entry under the mouse, then the original goes.
    folders_.insert(folders_.begin() + target, folders_[static_cast<std::size_t>(dragged)]);
    folders_.erase(folders_.begin() + (dragged < target ? dragged : dragged + 1));
    return dragged < target ? target - 1 : target;
}
