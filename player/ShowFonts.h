// The fonts a show embeds, installed on demand: when a text object starts, its face is installed from a
// ".NFNT" entry (a file of that name in the show folder, else the pack's entry) as a temporary ".TFNT"
// file; installed again when another program changes the font table; removed when the player closes.
#pragma once

#include "show/FontEmbedding.h"

class CProjectPack;

class CShowFontInstaller
{
public:
    CShowFontInstaller();
    virtual ~CShowFontInstaller();
    CShowFontInstaller(const CShowFontInstaller&) = delete;
    CShowFontInstaller& operator=(const CShowFontInstaller&) = delete;

    // Installs the face unless the system has it; dc serves the font enumeration.
    void InstallShowFont(LPCSTR face, CDC* dc, CProjectPack* pack);
    // Installs again every face the show asked for that is missing (window: for a DC to enumerate with).
    void ReinstallShowFonts(CWnd* window);
    // Removes every font the player installed.
    void RemoveShowFonts();
    // WM_FONTCHANGE: the player's own broadcast is only acknowledged (FALSE); another program's makes the
    // show's fonts be installed again (TRUE).
    BOOL OnFontChange(CWnd* window);

    CString m_strShowFolder;     // where ".NFNT" files beside the show are looked for
    CTempFontList m_TempFonts;   // font files added to the system's font table
    BOOL m_bInstalledThisPass;
    CProjectPack* m_pPack;       // the pack the show came from; may be null
    CFontNameList m_FaceNames;   // every face the show asked for
    BOOL m_bOwnBroadcast;        // the last WM_FONTCHANGE broadcast came from the player

protected:
    // Posts WM_FONTCHANGE to all top-level windows.
    virtual void BroadcastFontChange();
    // Steps 2 to 5 for one face against the upper-cased installed-font list.
    void InstallFace(LPCSTR face, const CString& installed, const CString& tempFolder);
    // Writes the blob's font file into the temporary folder and adds it to the font table. A file found
    // there is reused only when it holds the same font.
    void InstallBlob(const BYTE* blob, DWORD size, const CString& tempFolder);
    // Makes the file at path hold the font: kept when it does, written (anew) when it does not. FALSE when
    // it cannot be written, or holds something else that a running player keeps.
    static BOOL PrepareFontFile(const CString& path, const BYTE* font, DWORD size);
    static BOOL FileHolds(const CString& path, const BYTE* data, DWORD size);
    static CString InstalledFontText(CDC* dc);
};
