#include "player/ShowFonts.h"

#include "show/MemBuffer.h"
#include "show/ProjectPack.h"

#include <io.h>

namespace
{

CString JoinPath(const CString& folder, const CString& name)
{
    if (folder.IsEmpty())
        return name;
    if (folder.Right(1) == "\\")
        return folder + name;
    return folder + "\\" + name;
}

BOOL FileExists(const CString& path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}   // namespace

CShowFontInstaller::CShowFontInstaller() : m_bInstalledThisPass(FALSE), m_pPack(nullptr), m_bOwnBroadcast(FALSE)
{
}

CShowFontInstaller::~CShowFontInstaller() = default;

void CShowFontInstaller::BroadcastFontChange()
{
    PostMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}

CString CShowFontInstaller::InstalledFontText(CDC* dc)
{
    CString text;
    EnumInstalledFonts(dc, text);
    text.MakeUpper();
    return text;
}

void CShowFontInstaller::InstallShowFont(LPCSTR face, CDC* dc, CProjectPack* pack)
{
    m_pPack = pack;
    if (face && *face)
        m_FaceNames.Add(face);
    m_bInstalledThisPass = FALSE;
    if (!face || !*face || !dc)
        return;
    CString installed = InstalledFontText(dc);
    CString upper(face);
    upper.MakeUpper();
    if (installed.Find(upper) >= 0)
        return;
    CString tempFolder, longFolder;
    if (!GetTempFolder(tempFolder, longFolder))
        return;
    InstallFace(face, installed, tempFolder);
    if (m_bInstalledThisPass)
    {
        m_bOwnBroadcast = TRUE;
        BroadcastFontChange();
    }
}

void CShowFontInstaller::InstallFace(LPCSTR face, const CString& installed, const CString& tempFolder)
{
    CString upper(face);
    upper.MakeUpper();
    if (installed.Find(upper) >= 0)
        return;
    CString entryName;
    MakeFontEntryName(face, entryName);

    // The face comes from the show text: a name holding a path must not reach outside the show folder.
    CString beside = JoinPath(m_strShowFolder, entryName);
    if (!m_strShowFolder.IsEmpty() && entryName.FindOneOf("\\/:") < 0 && FileExists(beside))
    {
        CFile file;
        if (!file.Open(beside, CFile::modeRead | CFile::shareDenyNone))
            return;
        ULONGLONG length = file.GetLength();
        if (length == 0 || length > 0x7FFFFFFF)
            return;
        CMemBuffer buffer;
        BYTE* data = buffer.Allocate(static_cast<int>(length), FALSE);
        if (!data || file.Read(data, static_cast<UINT>(length)) != length)
            return;
        InstallBlob(data, static_cast<DWORD>(length), tempFolder);
        return;
    }
    if (!m_pPack)
        return;
    int size = 0;
    BYTE* data = m_pPack->GetEntryData(entryName, size);
    if (data && size > 0)
        InstallBlob(data, static_cast<DWORD>(size), tempFolder);
}

void CShowFontInstaller::InstallBlob(const BYTE* blob, DWORD size, const CString& tempFolder)
{
    CString face;
    if (!GetEmbeddedFontFaceName(blob, size, face))
        return;
    CString fileName;
    MakeTempFontFileName(face, fileName);
    CString path = JoinPath(tempFolder, fileName);
    BOOL created = FALSE;
    if (!FileExists(path))
    {
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
            return;
        BOOL written = file.Write(blob + kFontEntryHeaderSize, size - kFontEntryHeaderSize) ? TRUE : FALSE;
        file.Close();
        if (!written)
        {
            DeleteFileA(path);
            return;
        }
        created = TRUE;
    }
    if (!FileExists(path))
        return;
    if (AddFontResourceA(path) > 0)
    {
        m_bInstalledThisPass = TRUE;
        m_TempFonts.Add(path);
    }
    else if (created)
        DeleteFileA(path);   // not a font: leave no file behind
}

void CShowFontInstaller::ReinstallShowFonts(CWnd* window)
{
    m_bInstalledThisPass = FALSE;
    if (m_FaceNames.GetCount() == 0)
        return;
    CString tempFolder, longFolder;
    if (!GetTempFolder(tempFolder, longFolder))
        return;
    HWND hWnd = window ? window->GetSafeHwnd() : nullptr;
    if (!hWnd)
        return;
    HDC hDC = GetDC(hWnd);
    if (!hDC)
        return;
    {
        CDC dc;
        dc.Attach(hDC);
        CString installed = InstalledFontText(&dc);
        for (int i = 0; i < m_FaceNames.GetCount(); ++i)
            InstallFace(m_FaceNames.GetAt(i), installed, tempFolder);
        dc.Detach();
    }
    ReleaseDC(hWnd, hDC);
    if (m_bInstalledThisPass)
    {
        m_bOwnBroadcast = TRUE;
        BroadcastFontChange();
    }
}

void CShowFontInstaller::RemoveShowFonts()
{
    m_TempFonts.m_bFontRemoved = FALSE;
    m_TempFonts.RemoveAll();
    if (m_TempFonts.m_bFontRemoved)
    {
        m_bOwnBroadcast = TRUE;
        BroadcastFontChange();
    }
}

BOOL CShowFontInstaller::OnFontChange(CWnd* window)
{
    if (m_bOwnBroadcast)
    {
        m_bOwnBroadcast = FALSE;
        return FALSE;
    }
    ReinstallShowFonts(window);
    return TRUE;
}
