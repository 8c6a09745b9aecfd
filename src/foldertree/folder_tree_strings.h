// The texts the folder tree shows on its own, in one place.
#pragma once

inline constexpr char kTreeCaption[] = " ShellFolderTree";
inline constexpr char kInvokeFailed[] = "InvokeCommand failed!";
inline constexpr char kSpecialFolderDrop[] = "This Folder is SpecialFolder \r Can not Copy or Paste!";
