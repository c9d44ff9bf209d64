// The editor's document: one project, a folder holding the pack file "VEXUL.VXL", the project's copy of the
// player "VEXUL.EXE" and whatever else the project copies in. It owns the show, the pack, the project settings
// and the fonts to embed; it makes new projects with the wizard, opens packs, checks the project's player
// against the editor's own, and saves: show text into the pack, fonts embedded, unused entries dropped, the
// pack written through the safe save path, so that a failed save leaves the old pack as it was.
#pragma once

#include "editor/FileHelpers.h"
#include "editor/ProjectSettings.h"
#include "editor/SlideEditorChoices.h"
#include "framework/win/Framework.h"
#include "show/FontEmbedding.h"
#include "show/ProjectPack.h"
#include "show/ShowData.h"

#include <vector>

class CPicture;

// What the document tells its views through UpdateAllViews (besides a plain repaint).
enum EditorViewHint : LPARAM
{
    HINT_STOP_THUMBNAILS = 1,     // the slides are about to change: stop the thumbnail worker and wait for it
    HINT_RENDER_THUMBNAILS = 2,   // draw the thumbnails that are missing
    HINT_PROJECT_RELOADED = 3,    // the document holds another project (or none): start over
};

class CVexulCreatorDoc : public CDocument
{
    DECLARE_DYNCREATE(CVexulCreatorDoc)
public:
    CVexulCreatorDoc();
    ~CVexulCreatorDoc() override;

    // The document made while the editor starts stays without a project; later a new project is made with
    // the wizard. FALSE (the previous project kept) when cancelled or the folder cannot take the project.
    BOOL OnNewDocument() override;
    // Reads the pack. A file that cannot be opened leaves the project as it was; one that holds no show
    // leaves no project and gives FALSE; a damaged one is opened with what could be read, and said so.
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    // Saves the project into that pack file (Save, Save As); FALSE when it was not written.
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    // "Save changes in <pack> ?" with Yes, No and Cancel: FALSE for Cancel or a save that failed.
    BOOL SaveModified() override;
    // The title is the whole path: every project's file has the same name, its folder tells them apart.
    void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    // No show, no pack, default settings, no project.
    void DeleteContents() override;

    // ---- the project ----
    BOOL NewProject();
    // The wizard in new-project (0: NewProject) or settings (1) mode; TRUE when the user took the settings.
    BOOL EditProjectSettings(int mode);
    // Takes settings the wizard returned: the project folder, the show's settings, the profile.
    void ApplySettings(const CProjectSettings& settings, BOOL copyStartProgram);
    // The longest pack path a project may have: the editor's temporary files and backups beside it must
    // still fit a path.
    enum { MAX_PACK_PATH = CProjectSettings::MAX_PACK_PATH };
    // Writes the project into its pack file now; FALSE (the user told, the document still modified) when
    // there is no project or the pack could not be written.
    BOOL SaveProject();
    BOOL SaveProjectAs(const char* packPath);
    // The player and the compiler read the pack file, so it must hold what the user sees: saved as a
    // changed project (a save that fails leaves it marked so).
    BOOL SaveForPlayer();
    // TRUE when the project's player copy carries a compiled show; with showMessage, when that show is other
    // than the pack file, the user is told that the compiled program keeps it until compiled again.
    BOOL IsPlayerCompiled(BOOL showMessage);
    // Offers to replace an older player copy and to save a show written by an older editor.
    void CheckPlayerUpgrade(const char* showVersion);
    void EmbedFonts();
    void PurgeUnreferencedEntries();

    // ---- the pack, used by the view and the slide dialogs ----
    // Adds a file; path becomes its entry name. A file whose entry name the pack holds already with other
    // bytes is copied into the project folder under a free name first (the user is told), so that no
    // picture silently replaces another.
    BOOL AddFileToPack(CString& path);
    BOOL AddDataToPack(const char* name, const void* data, int length);
    void RemoveFromPack(const char* name);
    const BYTE* GetPackEntry(const char* name, int& size) const;
    BOOL LoadPictureFromPack(CPicture& picture, const char* name) const;

    // ---- what the views and dialogs read; they change it only through the operations here ----
    BOOL IsProjectOpen() const { return m_bProjectOpen; }
    const CString& GetPackPath() const { return m_strPackPath; }
    const CString& GetProjectFolder() const { return m_strProjectFolder; }
    const CShowData& GetShow() const { return m_Show; }
    const CSlide& GetSlide(int slide) const { return m_Show.m_Slides[slide]; }
    const CProjectPack& GetPack() const { return m_Pack; }
    const CProjectSettings& GetSettings() const { return m_Settings; }
    // Changes whenever slide i gets other contents (no two slides ever share one): a thumbnail drawn at
    // another revision shows something else.
    UINT GetSlideRevision(int slide) const;

    // ---- slides ----
    // The slides of the show: those before the first slide without a background picture.
    int CountSlides() const;
    // The first slide without a background picture; -1 when every slide has one.
    int FindFreeSlide() const;
    const CString& GetSlideImageFile(int slide) const
    {
        return m_Show.m_Slides[slide].m_Background.m_strImageFile;
    }
    // Names slide i's background picture without touching the pack (a slide whose new picture was refused
    // keeps its old one).
    void SetSlideImageFile(int slide, const char* name);
    // Slide i becomes a copy of the edited one.
    void ReplaceSlide(int slide, const CSlide& edited);
    // Carries out the slide editor's choices for slide i over the show; TRUE when other slides changed too.
    BOOL ApplySlideChoices(int slide, const SlideEditorChoices& choices);
    // A slide added after the first count slides starts with the last one's settings, without background
    // picture and objects; a slide that has a picture already stays as it is.
    void PrepareNextSlide(int count);
    int GetSlideWidth() const;   // the player window less its frame
    int GetSlideHeight() const;
    // Puts the file into the pack and makes it slide i's background; path becomes the entry name.
    BOOL SetSlideBackgroundFile(int slide, CString& path);
    // Adds the files of slide i's image objects that the pack lacks; the files it could not add come back.
    std::vector<CString> AddSlideImagesToPack(int slide);
    // Removes slide i (the slides after it move up); its pictures stay in the pack until the next save
    // drops what nothing refers to any more.
    void DeleteSlide(int slide);
    // Puts the first count slides in a new order: the slide at position i goes to order[i].
    void ReorderSlides(const std::vector<int>& order);
    // The order of count slides in which the slide at from moves to to and the slides between move by one.
    static std::vector<int> MoveOrder(int count, int from, int to);
    // The copy buffer of the slide commands: one slide of this project.
    void CopySlide(int slide);
    BOOL PasteSlide(int slide);
    BOOL HasCopiedSlide() const { return m_bCopyFilled; }

    // The main window, where the project's messages and commands go.
    static CWnd* GetMainWindow();

protected:
    // Sets the pack path and the project folder from the path of a pack file.
    void SetPackPath(const char* path);
    // Prepares the folder of a new project: an old pack becomes ".bak", the player is copied in.
    BOOL PrepareProjectFolder(const CString& folder);
    // Writes the pack (without the entries nothing refers to) into the safe save file opened for path.
    BOOL WritePack(CSafeSaveFile& file, const char* path);
    // Opens the safe save file of the pack, which takes its save lock; while another editor holds that, the
    // user may try again. FALSE (the user told) when it could not be opened.
    BOOL OpenForSave(CSafeSaveFile& file, const CString& path);
    // Before the first save over a damaged pack: asks, and keeps the original under a name no file has.
    BOOL KeepDamagedPack(const char* path);
    // TRUE for a path that is not too long for a project; else the user is told.
    BOOL IsPathShortEnough(const CString& path);
    // Asks whether the pack that changed on disk since this editor read or last wrote it may be replaced.
    BOOL MayReplacePack(const CString& path);
    // After a save into another folder: the player and the project's own files go there too.
    void MoveProjectFiles(const CString& oldFolder);
    void CopyProjectFile(const CString& oldFolder, const CString& relative);
    // Copies the editor's plain player into the folder (a compiled one only when the user says so).
    void CopyPlainPlayer(const CString& folder);
    // TRUE when the pack's show text names a show version.
    static BOOL HoldsShow(const CProjectPack& pack);
    // Takes the show and the settings from the pack just read (whole: every entry was read in full).
    void TakeShowFromPack(BOOL whole);
    // Tells the user when the show text's window size lay outside the sizes a window may have.
    void TellAdjustedWindowSize(const BYTE* text, int size);
    void StopThumbnails();
    // Slide i has other contents now: the document is modified and the slide's revision moves on.
    void SlideChanged(int slide);
    // Every slide has other contents (another project, or none).
    void RenewSlideRevisions();
    // A pack that could not be written: why, in the editor's words (a folder that went away, a
    // write-protected file, a file that stays as it was).
    void ReportSaveLoadFailure(BOOL bSaving, LPCSTR lpszPathName, DWORD dwError) override;

    afx_msg void OnUpdateFileSave(CCmdUI* pCmdUI);
    // Save; a write-protected pack is said to be so before Save As opens.
    afx_msg void OnProjectSave();
    // Save As: the project goes into the folder the user chooses, as its VEXUL.VXL.
    afx_msg void OnProjectSaveAs();
    afx_msg void OnProjectExplore();
    afx_msg void OnTutorExample();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strPackPath;
    CShowData m_Show;
    BOOL m_bProjectOpen;
    CString m_strProjectFolder;
    CProjectPack m_Pack;
    CProjectSettings m_Settings;
    BOOL m_bTutorMode;
    CString m_strTutorFolder;
    CString m_strTutorHelp;   // the example's help file, which the wizard opens
    BOOL m_bCopyStartProgram;
    CString m_strLastPath;
    CFontNameList m_Fonts;
    // The pack was damaged when it was opened: the first save over it keeps the original as ".bak".
    BOOL m_bDamagedPack;
    // An older show was opened and the user wants it written anew.
    BOOL m_bSaveAfterOpen;
    // Each slide's revision, and the last one given out (revisions are never given twice).
    UINT m_slideRevisions[CShowData::MaxSlides] = {};
    UINT m_nLastRevision = 0;
    CSlide m_CopiedSlide;
    BOOL m_bCopyFilled;
    // The pack file as this editor read or last wrote it: a save over a pack changed since then asks first.
    CFileStamp m_PackStamp;
};
