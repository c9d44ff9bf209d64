// Fonts a show carries with it: the installed-font list and the tests on it, the embedded-font entry
// (".NFNT": a 64-byte face-name header followed by the complete font file), the face names a show uses,
// the temporary font files the player installs and removes, and the temporary folder.
#pragma once

#include "framework/win/Framework.h"

#include <vector>

// Size of the face-name header of an embedded-font entry; the name holds at most 63 characters.
const int kFontEntryHeaderSize = 64;
const int kMaxFontFaceNames = 50;

// Empties the process-wide installed-font list, enumerates every font family of every character set on the
// DC, one line "[full name+script+style+type]\r\n" each, and returns the list and its count.
int EnumInstalledFonts(CDC* pDC, CString& strFonts);
// Substring search of the upper-cased face in the (upper-cased) installed-font list.
BOOL IsFontInstalled(CDC* pDC, LPCSTR face);
BOOL IsTrueTypeFont(CDC* pDC, LPCSTR face);
// The licence of the font selected in the DC restricts embedding.
BOOL IsEmbeddingRestricted(CDC* pDC);
// TRUE also when the face cannot be created.
BOOL IsFontEmbeddingRestricted(CDC* pDC, LPCSTR face);
// The whole font file of the selected font. A restricted font succeeds with no data.
BOOL GetSelectedFontData(CDC* pDC, std::vector<BYTE>& data);
// An embedded-font entry for the face: header plus font file; what the block held before is dropped, and it
// stays empty on failure.
BOOL GetEmbeddedFontData(CDC* pDC, LPCSTR face, std::vector<BYTE>& block);
// "Times New Roman" -> "Times_New_Roman.NFNT".
void MakeFontEntryName(LPCSTR face, CString& strName);
// The face name in the header of an entry read from a pack, safe as a file name: at most 63 characters up
// to the first zero, characters not valid in file names as '_'. FALSE for an entry of 64 bytes or less
// (no font in it) or an empty name.
BOOL GetEmbeddedFontFaceName(const BYTE* pBlock, DWORD dwSize, CString& strFace);
// Name of the temporary file a face is installed from: "Times New Roman" -> "Times_New_Roman.TFNT". A name
// that Windows would take for a device ("CON.TFNT", "LPT1.TFNT") starts with '_' instead.
void MakeTempFontFileName(LPCSTR face, CString& strName);
// TRUE when Windows takes the file name for a device: CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$ or CONOUT$
// (any case) before the first '.', trailing blanks and points aside.
BOOL IsReservedDeviceName(LPCSTR fileName);

// TEMP, else TMP, when it is a writable folder; strLongPath is its long form when that can be built.
BOOL GetTempFolder(CString& strPath, CString& strLongPath);
// The path with each component after the drive replaced by its display name from the shell (short 8.3
// names become long names). FALSE and empty when the path holds no backslash.
BOOL GetDisplayPath(LPCSTR path, CString& strDisplayPath);

class CFontNameList : public CObject
{
    DECLARE_DYNAMIC(CFontNameList)
public:
    CFontNameList();
    void Clear();
    // Returns the count; a name already held is not added again; -1 when the list is full.
    int Add(LPCSTR face);
    BOOL Contains(LPCSTR face) const;
    int GetCount() const { return m_nCount; }
    CString GetAt(int index) const;

protected:
    CString m_strNames[kMaxFontFaceNames];
    int m_nCount;
};

class CTempFontList : public CObject
{
    DECLARE_DYNAMIC(CTempFontList)
public:
    CTempFontList();
    ~CTempFontList() override;
    CTempFontList(const CTempFontList&) = delete;
    CTempFontList& operator=(const CTempFontList&) = delete;

    // Adds the path of a font file that was added to the system's font table; returns its number (from 1).
    // The file is held open until it is removed, so that another player using the same file cannot delete
    // it meanwhile; the last one to remove it deletes it.
    int Add(LPCSTR path);
    int GetCount() const { return static_cast<int>(m_arrEntries.size()); }
    // Numbered from 1; empty for a removed place or a number out of range.
    CString GetAt(int index) const;
    // Removes place index (from 1) from the font table and deletes its file when that is writable.
    void RemoveAt(int index);
    // Removes every place and empties the list.
    void RemoveAll();

    BOOL m_bFontRemoved;   // some RemoveFontResource succeeded

protected:
    struct Entry
    {
        CString path;   // empty for an emptied place
        HANDLE hold;    // the file open for reading (deletion not shared); INVALID_HANDLE_VALUE when none
    };
    std::vector<Entry> m_arrEntries;
};
