// File helpers of the editor: copies in fixed chunks that never harm their source and say why they failed,
// and the folder of a path.
#pragma once

#include "framework/win/Framework.h"

enum
{
    COPY_CHUNK_SIZE = 4048
};

// Moves the data of one open file into another in chunks of COPY_CHUNK_SIZE bytes until a read returns
// nothing. TRUE when every chunk was written in full; copied (optional) receives the bytes written.
BOOL CopyFileData(CFile& source, CFile& target, ULONGLONG* copied = nullptr);

// What a copy came to: done, declined by the user, or the step that failed with the file it worked on and
// the system's error code (0 when the system gave none). True only when done.
struct CCopyResult
{
    enum Outcome
    {
        copied,
        declined,        // the user chose not to overwrite the target
        sourceMissing,   // no source file of that name
        sourceUnreadable,
        targetNotCreated,
        targetNotWritten,
        sourceEmpty,   // the copy is empty, which counts as failed
    };
    Outcome outcome = copied;
    CString path;
    DWORD error = 0;

    explicit operator bool() const { return outcome == copied; }
    BOOL Declined() const { return outcome == declined; }
};

// Copies the file fileName of sourceFolder (the current folder when empty) to the file of that name in
// targetFolder, replacing it. Done when the source exists and at least one chunk was copied.
CCopyResult CopyFileToFolder(const char* fileName, const char* sourceFolder, const char* targetFolder);

// Copies sourcePath to targetPath. With ask set and an existing target, the user is asked first; No gives
// declined. Done when at least one chunk was copied.
// Both copies write a temporary file beside the target and move it over the target only when every
// byte arrived, so a failed copy leaves the old target whole. A file copied onto itself is left alone
// and counts as copied (when it holds data).
CCopyResult CopyFileWithPrompt(const char* targetPath, const char* sourcePath, BOOL ask);

// The message of a failed copy: the caller's text, then which step failed on which file, and the system's
// words for why.
CString WithCopyFailure(const CString& message, const CCopyResult& failure);

// The part of path before its last backslash when that backslash comes after the first character;
// otherwise folder is left unchanged.
void GetFolderOfPath(const char* path, CString& folder);
