// What the file system says about paths: existence, kinds, full paths, the current folder and the program's
// own file, a file's stamp and free names beside it. The names themselves are taken apart by Path.
#pragma once

#include "framework/core/Core.h"

// TRUE when a file or folder of that path exists.
BOOL FileExists(const char* path);
// TRUE when a folder of that path exists.
BOOL IsFolder(const char* path);
// TRUE when a file (not a folder) of that path exists.
BOOL IsFile(const char* path);
// TRUE when the path exists and is write-protected.
BOOL IsReadOnly(const char* path);

// TRUE when both paths name one existing file: the same full path without regard to case, or the same
// file reached through another name.
BOOL IsSameFile(const char* pathA, const char* pathB);

// The full path of path (path itself when it cannot be made full), whatever its length.
CString GetFullPath(const char* path);

// The current folder, and the path of a module of the program (null: the program file), whatever their
// length; empty when the system cannot say.
CString GetCurrentFolder();
CString GetModulePath(HMODULE module);

// What a file looked like on disk: whether it exists, its size and the time it was last written.
struct CFileStamp
{
    BOOL exists = FALSE;
    ULONGLONG size = 0;
    ULONGLONG written = 0;
    bool operator==(const CFileStamp& other) const
    {
        return exists == other.exists && size == other.size && written == other.written;
    }
    bool operator!=(const CFileStamp& other) const { return !(*this == other); }
};
CFileStamp GetFileStamp(const char* path);

// path when no file has it, else the first of "name_2.ext", "name_3.ext", … that no file has: a backup
// never replaces another.
CString FreeFileName(const char* path);
