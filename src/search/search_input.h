// What the search window asks of the user, without the window: the
// extension check boxes and their groups, the extension list and wildcard
// history of a search, and the list of favourite folders.
#pragma once
#include <functional>
#include <string>
#include <vector>

// One extension check box: its number decides the group, its caption is
// the extension.
struct TExtensionBox {
    int Number;
    const char* Caption;
    // Made but never shown.
    bool Hidden;
    // Stays disabled and unchecked whatever the buttons say.
    bool Fixed;
};

struct TExtensionGroup {
    int First, Last;  // the numbers that belong to it
    const char* Caption;
};

constexpr int kExtensionGroupCount = 5;
constexpr int kLastExtensionNumber = 59;

// In number order.
const std::vector<TExtensionBox>& ExtensionBoxes();
const TExtensionGroup& ExtensionGroup(int group);
// The group (0-based) of a box number, -1 for none.
int ExtensionGroupOf(int number);

// The extension list of a search: each checked caption upper-cased with a
// dot before and one blank after, then, when asked, each word of the user
// text split at single blanks the same way (not upper-cased: the engine
// compares without case). Repeated blanks give empty entries.
std::string BuildExtensionList(const std::vector<std::string>& checkedCaptions, bool useUserWords,
                               const std::string& userText);

// Puts a text at the top of a history, trimmed, unless it is blank or
// already there in any letter case. True when it was added.
bool AddToHistory(std::vector<std::string>& history, const std::string& text);

// The favourite folders in list order.
class TFolderShortcuts {
public:
    static constexpr int kMaxRead = 20;

    // Keys "1".."20" through `read`, up to the first empty value.
    void Load(const std::function<std::string(const std::string& key)>& read);
    const std::vector<std::string>& Folders() const { return folders_; }
    void Assign(std::vector<std::string> folders) { folders_ = std::move(folders); }
    int Count() const { return static_cast<int>(folders_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const std::string& operator[](int index) const { return folders_[static_cast<std::size_t>(index)]; }

    // Index of a folder compared without letter case, -1 for none.
    int Find(const std::string& folder) const;
    // Index of the new last entry.
    int Add(const std::string& folder);
    bool Remove(int index);
    // Dropping entry `dragged` onto entry `target` puts it in the target's
    // place and moves the entries between by one. Returns the dragged
    // entry's new index, -1 when nothing moved.
    int Move(int dragged, int target);

private:
    std::vector<std::string> folders_;
};
