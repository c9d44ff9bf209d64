// File helpers of the editor: copies in fixed chunks that never harm their source, and path tests.
#pragma once

#include "framework/win/Framework.h"

enum
{
    COPY_CHUNK_SIZE = 4048
};

// Moves the data of one open file into another in chunks of COPY_CHUNK_SIZE bytes until a read returns
// nothing. TRUE when every chunk was written in full; copied (optional) receives the bytes written.
BOOL CopyFileData(CFile& source, CFile& target, ULONGLONG* copied = nullptr);

// Copies the file fileName of sourceFolder (the current folder when empty) to the file of that name in
// targetFolder, replacing it. TRUE when the source exists and at least one chunk was copied.
BOOL CopyFileToFolder(const char* fileName, const char* sourceFolder, const char* targetFolder);

// Copies sourcePath to targetPath. With ask set and an existing target, the user is asked first; No gives
// FALSE (and sets *pDeclined when given). TRUE when at least one chunk was copied.
// Both copies write a temporary file beside the target and move it over the target only when every
// byte arrived, so a failed copy leaves the old target whole. A file copied onto itself is left alone
// and counts as copied (when it holds data).
BOOL CopyFileWithPrompt(const char* targetPath, const char* sourcePath, BOOL ask, BOOL* pDeclined = nullptr);

// The part of path before its last backslash when that backslash comes after the first character;
// otherwise folder is left unchanged.
void GetFolderOfPath(const char* path, CString& folder);
