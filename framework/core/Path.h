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
// folder is empty.
CString Join(const char* folder, const char* name);
// A path from a drive ("C:...") or a network share ("\\server\...").
bool IsFull(const char* path);
// A path that counts from a folder: neither a drive nor a leading backslash.
bool IsRelative(const char* path);

}   // namespace Path
