#include "player/ShowFonts.h"

#include "show/MemBuffer.h"
#include "show/ProjectPack.h"

#include <io.h>

#include <algorithm>
#include <cstring>
#include <vector>

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
    CString beside = Path::Join(m_strShowFolder, entryName);
    if (!m_strShowFolder.IsEmpty() && entryName.FindOneOf("\\/:") < 0 && !IsReservedDeviceName(entryName) &&
        IsFile(beside))
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
    const BYTE* font = blob + kFontEntryHeaderSize;
    const DWORD fontSize = size - kFontEntryHeaderSize;
    CString fileName;
    MakeTempFontFileName(face, fileName);
    CString path = Path::Join(tempFolder, fileName);
    if (!PrepareFontFile(path, font, fontSize))
    {
        // A running player holds another font under that name: this player's file is its own.
        CString own;
        own.Format("%s~%lu", static_cast<LPCSTR>(face), static_cast<unsigned long>(GetCurrentProcessId()));
        MakeTempFontFileName(own, fileName);
        path = Path::Join(tempFolder, fileName);
        if (!PrepareFontFile(path, font, fontSize))
            return;
    }
    if (AddFontResourceA(path) <= 0)
    {
        // Written again once; a font that still cannot be added leaves no file behind.
        DeleteFileA(path);
        if (!PrepareFontFile(path, font, fontSize) || AddFontResourceA(path) <= 0)
        {
            DeleteFileA(path);
            return;
        }
    }
    m_bInstalledThisPass = TRUE;
    m_TempFonts.Add(path);
}

BOOL CShowFontInstaller::PrepareFontFile(const CString& path, const BYTE* font, DWORD size)
{
    if (IsFile(path))
    {
        if (FileHolds(path, font, size))
            return TRUE;
        // Damaged (a player ended while writing it) or another font: written anew unless a running player
        // holds it.
        if (!DeleteFileA(path))
            return FALSE;
    }
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    BOOL written = file.Write(font, size) ? TRUE : FALSE;
    file.Close();
    if (!written)
        DeleteFileA(path);
    return written;
}

BOOL CShowFontInstaller::FileHolds(const CString& path, const BYTE* data, DWORD size)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone) || file.GetLength() != size)
        return FALSE;
    std::vector<BYTE> chunk(64 * 1024);
    for (DWORD done = 0; done < size;)
    {
        UINT want = static_cast<UINT>(std::min<DWORD>(size - done, static_cast<DWORD>(chunk.size())));
        if (file.Read(chunk.data(), want) != want || std::memcmp(chunk.data(), data + done, want) != 0)
            return FALSE;
        done += want;
    }
    return TRUE;
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
