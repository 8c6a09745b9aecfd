// What the preview manager decides before any window moves: whether a
// selection change shows a file anew, and whether a file is an extracted
// archive member.
#pragma once
#include <string>

// A list's selection moved to row `index`, file `selected`: true when that
// is a file to preview, that is, a row is selected and it is not the file
// shown now (in any letter case).
bool SelectionPreviews(int index, const std::string& selected, const std::string& current);

// True for a path inside the work folder, where archive members are
// extracted (letter case aside); false for any path when there is no work
// folder.
bool IsWorkFolderMember(const std::string& path, const std::string& workFolder);
