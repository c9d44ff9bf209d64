#include "player/ShowSource.h"

#include "framework/win/FileSystem.h"

CPlayerPack::CPlayerPack() : m_bOpen(FALSE), m_bFromResource(FALSE), m_hResourceModule(nullptr), m_bFileFirst(FALSE)
{
}

CPlayerPack::~CPlayerPack()
{
    CloseSource();
}

void CPlayerPack::CloseSource()
{
    if (m_File.IsOpen())
        m_File.Close();
    m_MemFile.Close();
    m_bOpen = FALSE;
}

BOOL CPlayerPack::OpenSource(const char* path)
{
    CloseSource();
    m_bFromResource = FALSE;
    m_strSourcePath = path ? path : "";

    HMODULE module = m_hResourceModule ? m_hResourceModule : GetModuleHandleA(nullptr);
    HRSRC resource = m_bFileFirst && path && *path ? nullptr : FindResourceA(module, "FILE_1", "PROJECTFILE");
    if (resource)
    {
        DWORD size = SizeofResource(module, resource);
        HGLOBAL loaded = LoadResource(module, resource);
        const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        if (data && IsUsableResourceSize(size))
        {
            // Read in place: resources stay mapped for the module's lifetime.
            m_MemFile.Attach(data, size);
            m_bFromResource = TRUE;
            m_bOpen = TRUE;
            return TRUE;
        }
    }
    m_bOpen = (path && *path && m_File.Open(path, CFile::modeRead | CFile::shareDenyNone)) ? TRUE : FALSE;
    return m_bOpen;
}

BOOL CPlayerPack::Load(const char* path)
{
    if (!OpenSource(path))
        return FALSE;
    BOOL complete;
    {
        CFile* source = m_bFromResource ? static_cast<CFile*>(&m_MemFile) : &m_File;
        CArchive ar(source, CArchive::load);
        complete = Read(ar);
        ar.Close();
    }
    CloseSource();
    m_bOpen = TRUE;   // the source did open; Load's result says whether the pack is whole
    return complete;
}

CString ChooseDefaultShowPath(const CString& programFolder, const CString& currentFolder)
{
    CString candidate = Path::Join(programFolder, "VEXUL.VXL");
    if (IsFile(candidate))
        return candidate;
    return Path::Join(currentFolder, "VEXUL.VXL");
}

CString GetProgramFolder()
{
    return Path::FolderOf(GetModulePath(nullptr));
}
