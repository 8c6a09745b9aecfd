// Sections of the environment data file that carry the name a control had
// when the file format was made. Written out here so that renaming a
// control can never move its settings.
#pragma once

inline constexpr const char kFileListSection[] = "lvFile";
inline constexpr const char kArchiveListSection[] = "lvArchive";
inline constexpr const char kSearchListSection[] = "lvCorrect";
inline constexpr const char kTextViewSection[] = "hedText";
