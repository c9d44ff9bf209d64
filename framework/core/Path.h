// Windows paths taken apart and put together at backslashes, the same on every host. A path's folder is
// the part before its last backslash and its file name the part after it; nothing here touches the disk.
#pragma once

#include "framework/core/String.h"

namespace Path
{

// "C:\a\b.txt" -> "C:\a", "C:\" -> "C:", "\\server\share" -> "\\server"; empty without a backslash.
CString FolderOf(const char* path);
// "C:\a\b.txt" -> "b.txt", "C:\a\" -> ""; the whole path without a backslash.
CString FileNameOf(const char* path);
// The file name's last '.' and what follows it (".txt"); empty when the file name has no '.' after its first
// character (".profile" has none), whatever the folders' names hold.
CString ExtensionOf(const char* path);
// The path without that extension.
CString WithoutExtension(const char* path);
// folder + "\" + name with one backslash between (a folder ending in one keeps it); the name alone when the
// folder is empty, so that a name without a folder stays relative to the current one.
CString Join(const char* folder, const char* name);
// The folder ending in one backslash ("C:\Shows" -> "C:\Shows\"); empty stays empty.
CString WithTrailingBackslash(const char* folder);
// The folder without its trailing backslashes; a drive's root ("C:\") and a lone "\" keep theirs, which
// name a folder only with it.
CString WithoutTrailingBackslash(const char* folder);
// The part of path below folder ("C:\Demo\sub\a.exe" in "C:\Demo" -> "sub\a.exe", without regard to case);
// the path whole when it does not lie below the folder ("C:\Demo2\a.exe" does not lie below "C:\Demo").
CString RelativeTo(const char* path, const char* folder);
// A path from a drive ("C:...") or a network share ("\\server\...").
bool IsFull(const char* path);
// A path that counts from a folder: neither a drive nor a leading backslash.
bool IsRelative(const char* path);

}   // namespace Path
