// Member names as the stand-in libraries see them: Shift-JIS paths whose
// folders are separated by '/' or '\' (never by the trail byte 0x5C of a
// double-byte character).
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Folder components of a member path; empty and "." components are dropped.
std::vector<std::string> SplitMemberPath(std::string_view path);

// False for a name that could write outside the destination folder or
// somewhere unexpected: absolute paths, drive letters or streams (':'),
// ".." (or any all-dots component), control characters, device names.
bool IsSafeMemberPath(std::string_view path);

// Path relative to the destination: the last component alone when
// `junk_paths`, else the components joined with '\'. Empty when unsafe.
std::string MemberOutputPath(std::string_view path, bool junk_paths);

// Case-insensitive match of a member path against a pattern with '*' and
// '?' ('?' is one character, double-byte or not); '/' and '\' are equal.
bool MatchMemberPattern(std::string_view pattern, std::string_view path);

// The form MatchMemberPattern compares in (upper-cased, '/' for '\'), so
// plain names can be looked up in a table instead of matched one by one.
std::string MemberMatchKey(std::string_view path);
bool HasWildcard(std::string_view pattern);
