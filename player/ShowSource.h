// Where the player's show comes from: the pack in the program's own resources (a compiled player), else
// the pack file named on the command line, else "VEXUL.VXL" beside the program or in the current folder.
// Asked to (the editor's test run), the named pack file comes before the program's own show.
#pragma once

#include "show/ProjectPack.h"

class CPlayerPack : public CProjectPack
{
public:
    CPlayerPack();
    ~CPlayerPack() override;

    // Opens the program's own "PROJECTFILE"/"FILE_1" resource when it holds 257 … 0x1E00000 bytes (the path
    // is then ignored), else the file at path for reading; returns the open flag. With the file first and a
    // path given, only the file is opened.
    BOOL OpenSource(const char* path);
    // OpenSource, then reads the pack. TRUE only when the source opened and every entry was read in full.
    BOOL Load(const char* path);
    void CloseSource();

    BOOL IsOpen() const { return m_bOpen; }
    BOOL IsFromResource() const { return m_bFromResource; }
    const CString& GetPath() const { return m_strSourcePath; }
    // The module whose resources are searched (the program itself when null); tests point it elsewhere.
    void SetResourceModule(HMODULE module) { m_hResourceModule = module; }
    void SetFileFirst(BOOL fileFirst) { m_bFileFirst = fileFirst; }

    // Resource sizes the player accepts.
    static BOOL IsUsableResourceSize(DWORD size) { return size > 256 && size <= MAX_PACK_SIZE; }

protected:
    CMemFile m_MemFile;
    CFile m_File;
    BOOL m_bOpen;
    BOOL m_bFromResource;
    CString m_strSourcePath;
    HMODULE m_hResourceModule;
    BOOL m_bFileFirst;
};

// The show path when the command line names none: "VEXUL.VXL" in the program folder when that file exists,
// else in the current folder.
CString ChooseDefaultShowPath(const CString& programFolder, const CString& currentFolder);
// The program's folder: its module path up to its last backslash.
CString GetProgramFolder();
