// The search window's input without the window: the extension boxes and
// their groups, the extension list, the histories and the shortcut list.
#include "search/search_input.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

TEST(ExtensionBoxes, NumbersRiseUniqueAndEachSitsInItsGroup) {
    std::set<int> numbers;
    int previous = 0;
    std::map<std::string, int> byCaption;
    for (const TExtensionBox& b : ExtensionBoxes()) {
        EXPECT_GT(b.Number, previous) << b.Caption;
        previous = b.Number;
        EXPECT_TRUE(numbers.insert(b.Number).second);
        const int g = ExtensionGroupOf(b.Number);
        ASSERT_GE(g, 0) << b.Number;
        EXPECT_GE(b.Number, ExtensionGroup(g).First);
        EXPECT_LE(b.Number, ExtensionGroup(g).Last);
        EXPECT_LE(b.Number, kLastExtensionNumber);
        byCaption[b.Caption] = b.Number;
    }
    EXPECT_EQ(-1, ExtensionGroupOf(0));
    EXPECT_EQ(-1, ExtensionGroupOf(60));
    EXPECT_EQ(4, ExtensionGroupOf(byCaption.at("7Z")));
    EXPECT_EQ(4, ExtensionGroupOf(byCaption.at("TAR")));
    EXPECT_EQ(0, ExtensionGroupOf(byCaption.at("PNG")));
    // The two that are made but not offered; only MP3 can never be checked.
    for (const TExtensionBox& b : ExtensionBoxes()) {
        const std::string c = b.Caption;
        EXPECT_EQ(c == "GIF" || c == "MP3", b.Hidden) << c;
        EXPECT_EQ(c == "MP3", b.Fixed) << c;
    }
}

TEST(ExtensionList, CheckedCaptionsThenUserWordsWithEmptyEntriesForRepeatedBlanks) {
    EXPECT_EQ(".JPG .BMP .XLS .DOC ", BuildExtensionList({"JPG", "BMP"}, true, "XLS DOC"));
    EXPECT_EQ(".JPG .BMP ", BuildExtensionList({"JPG", "BMP"}, false, "XLS DOC"));
    EXPECT_EQ(".7Z .XLS . .doc ", BuildExtensionList({"7z"}, true, "XLS  doc"));
    EXPECT_EQ("", BuildExtensionList({}, false, ""));
    // A trailing blank gives one empty entry; a double-byte word is kept whole.
    EXPECT_EQ(".TXT . ", BuildExtensionList({}, true, "TXT "));
    EXPECT_EQ(".\x95\x5C ", BuildExtensionList({}, true, "\x95\x5C"));
}

TEST(History, EachTextOnceTrimmedAndWithoutRegardToCase) {
    std::vector<std::string> h = {"*.old"};
    EXPECT_TRUE(AddToHistory(h, " *.txt "));
    EXPECT_FALSE(AddToHistory(h, "*.TXT"));
    EXPECT_FALSE(AddToHistory(h, "*.txt"));
    EXPECT_FALSE(AddToHistory(h, "   "));
    EXPECT_FALSE(AddToHistory(h, ""));
    EXPECT_TRUE(AddToHistory(h, "*.zzz"));
    EXPECT_EQ((std::vector<std::string>{"*.zzz", "*.txt", "*.old"}), h);
}

TEST(FolderShortcuts, ReadsTwentyAtMostAndStopsAtTheFirstEmptyKey) {
    TFolderShortcuts s;
    std::vector<std::string> asked;
    s.Load([&](const std::string& key) {
        asked.push_back(key);
        return "C:\\F" + key;
    });
    ASSERT_EQ(20, s.Count());
    EXPECT_EQ("C:\\F20", s[19]);
    EXPECT_EQ("20", asked.back());
    s.Load([](const std::string& key) { return key == "3" ? std::string() : "D:\\" + key; });
    EXPECT_EQ((std::vector<std::string>{"D:\\1", "D:\\2"}), s.Folders());
}

TEST(FolderShortcuts, FindAddRemoveAndDragReordering) {
    TFolderShortcuts s;
    s.Assign({"C:\\A", "C:\\B", "C:\\C"});
    EXPECT_EQ(1, s.Find("c:\\b"));
    EXPECT_EQ(-1, s.Find("C:\\D"));
    // Dragging the third entry onto the first makes it first.
    EXPECT_EQ(0, s.Move(2, 0));
    EXPECT_EQ((std::vector<std::string>{"C:\\C", "C:\\A", "C:\\B"}), s.Folders());
    // Downwards it lands just before the entry it was dropped on.
    EXPECT_EQ(1, s.Move(0, 2));
    EXPECT_EQ((std::vector<std::string>{"C:\\A", "C:\\C", "C:\\B"}), s.Folders());
    EXPECT_EQ(-1, s.Move(0, 3));
    EXPECT_EQ(-1, s.Move(-1, 0));
    EXPECT_EQ(3, s.Add("C:\\D"));
    EXPECT_TRUE(s.Remove(1));
    EXPECT_FALSE(s.Remove(3));
    EXPECT_EQ((std::vector<std::string>{"C:\\A", "C:\\B", "C:\\D"}), s.Folders());
    TFolderShortcuts one;
    one.Assign({"C:\\A"});
    EXPECT_EQ(-1, one.Move(0, 0));
}
