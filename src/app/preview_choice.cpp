#include "app/preview_choice.h"

#include "base/sjis.h"
#include "base/strutil.h"

bool SelectionPreviews(int index, const std::string& selected, const std::string& current) {
    return index >= 0 && SjisUpperCase(selected) != SjisUpperCase(current);
}

bool IsWorkFolderMember(const std::string& path, const std::string& workFolder) {
    if (workFolder.empty()) return false;
    const std::string work = SjisUpperCase(IncludeTrailingBackslash(workFolder));
    return SjisUpperCase(path).rfind(work, 0) == 0;
}
