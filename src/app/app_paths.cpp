#include "app/app_paths.h"

#include "base/strutil.h"

std::string ProgramFolder(std::string_view programPath) { return ExtractFilePath(programPath); }

std::string WorkFolderFor(std::string_view programPath) {
    return ProgramFolder(programPath) + "$VSWORK$";
}

std::string EnvironmentFileFor(std::string_view programPath) {
    return ChangeFileExt(programPath, ".INI");
}

bool IsUsableWorkFolder(std::string_view folder) {
    return folder.size() > 3 && folder.find('$') != std::string_view::npos;
}
