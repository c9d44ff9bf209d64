#include "editor/VexulCreatorDoc.h"

#include "editor/EditorControls.h"
#include "editor/EditorProfile.h"
#include "editor/FileHelpers.h"
#include "editor/FolderDlgs.h"
#include "editor/ImageSizeDlg.h"
#include "editor/ProjectFiles.h"
#include "editor/ProjectWizard.h"
#include "editor/ProjectWizardRunner.h"
#include "editor/StartupDialogs.h"
#include "editor/VexulCreatorApp.h"
#include "resources/editor/resource.h"
#include "show/Picture.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>

namespace
{

const char kShowTextEntry[] = "VEXUL.INI";
const char* const kPackName = CProjectSettings::PACK_NAME;
const char kPlayerName[] = "VEXUL.EXE";
const char kPlainPlayerName[] = "Vexul.exe";

using Path::FileNameOf;
using Path::FolderOf;

// The upper-cased entry name a reference to a picture has in the pack.
std::string EntryKey(const CString& reference)
{
    CString key = CProjectPack::MakeEntryName(reference);
    key.MakeUpper();
    return key.GetString();
}

void AddSlideReferences(const CSlide& slide, std::set<std::string>& keys)
{
    if (!slide.m_Background.m_strImageFile.IsEmpty())
        keys.insert(EntryKey(slide.m_Background.m_strImageFile));
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        const CSlideObjSlot* slot = slide.GetSlot(i);
        if (slot != nullptr && slot->m_bUsed && slot->m_nKind == CSlideObjSlot::KIND_IMAGE &&
            !slot->m_Image.m_strFile.IsEmpty())
            keys.insert(EntryKey(slot->m_Image.m_strFile));
    }
}

// TRUE when a program file carries a compiled show (its pack as a resource of some size). With packPath,
// differs tells whether that show is other than the pack file's bytes.
BOOL CarriesCompiledShow(const char* programPath, const char* packPath = nullptr, BOOL* differs = nullptr)
{
    if (!FileExists(programPath))
        return FALSE;
    HMODULE module = LoadLibraryExA(programPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return FALSE;
    HRSRC resource = FindResourceA(module, "FILE_1", "PROJECTFILE");
    DWORD size = resource != nullptr ? SizeofResource(module, resource) : 0;
    if (size > 50 && packPath != nullptr && differs != nullptr)
    {
        HGLOBAL loaded = LoadResource(module, resource);
        const void* compiled = loaded != nullptr ? LockResource(loaded) : nullptr;
        CFile pack;
        std::vector<BYTE> bytes;
        if (pack.Open(packPath, CFile::modeRead | CFile::shareDenyWrite) && pack.GetLength() == size)
        {
            bytes.resize(size);
            if (pack.Read(bytes.data(), size) != size)
                bytes.clear();
        }
        *differs = compiled == nullptr || bytes.size() != size || memcmp(compiled, bytes.data(), size) != 0;
    }
    FreeLibrary(module);
    return size > 50;
}

BOOL IsWritable(const char* path)
{
    if (!FileExists(path) || IsReadOnly(path))
        return FALSE;
    HANDLE h =
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(h);
    return TRUE;
}

// The project's path for a file the project names: relative names count from the project folder.
CString ProjectPath(const CString& folder, const CString& name)
{
    return Path::IsFull(name) ? name : Path::Join(folder, name);
}

}   // namespace

IMPLEMENT_DYNCREATE(CVexulCreatorDoc, CDocument)

BEGIN_MESSAGE_MAP(CVexulCreatorDoc, CDocument)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateFileSave)
    ON_COMMAND(ID_FILE_SAVE, OnProjectSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnProjectSaveAs)
    ON_COMMAND(ID_PROJECT_EXPLORE, OnProjectExplore)
    ON_COMMAND(ID_TUTOR_EXAMPLE_1, OnTutorExample)
END_MESSAGE_MAP()

CVexulCreatorDoc::CVexulCreatorDoc()
    : m_bProjectOpen(FALSE), m_bTutorMode(FALSE), m_bCopyStartProgram(FALSE), m_bDamagedPack(FALSE),
      m_bSaveAfterOpen(FALSE), m_bCopyFilled(FALSE)
{
    m_Show.SetDefaults();
    RenewSlideRevisions();
}

CVexulCreatorDoc::~CVexulCreatorDoc()
{
}

CWnd* CVexulCreatorDoc::GetMainWindow()
{
    return AfxGetMainWnd();
}

void CVexulCreatorDoc::StopThumbnails()
{
    UpdateAllViews(nullptr, HINT_STOP_THUMBNAILS);
}

void CVexulCreatorDoc::SlideChanged(int slide)
{
    m_slideRevisions[slide] = ++m_nLastRevision;
    SetModifiedFlag();
}

void CVexulCreatorDoc::RenewSlideRevisions()
{
    for (UINT& revision : m_slideRevisions)
        revision = ++m_nLastRevision;
}

UINT CVexulCreatorDoc::GetSlideRevision(int slide) const
{
    return slide >= 0 && slide < CShowData::MaxSlides ? m_slideRevisions[slide] : 0;
}

void CVexulCreatorDoc::DeleteContents()
{
    m_Show.SetDefaults();
    RenewSlideRevisions();
    m_Settings.Reset();
    m_Pack.Clear();
    m_Fonts.Clear();
    m_bProjectOpen = FALSE;
    m_bDamagedPack = FALSE;
    m_bSaveAfterOpen = FALSE;
    m_PackStamp = CFileStamp();
    // A slide copied from another project would name pictures this pack does not have.
    m_CopiedSlide.Reset();
    m_bCopyFilled = FALSE;
}

void CVexulCreatorDoc::SetPackPath(const char* path)
{
    m_strPackPath = path;
    m_strProjectFolder = FolderOf(m_strPackPath);
}

// ---- new project and settings ---------------------------------------------------------------------------

BOOL CVexulCreatorDoc::OnNewDocument()
{
    if (!theApp.m_nStarted)
        return CDocument::OnNewDocument();   // the document of the editor's start: no project yet
    BOOL ok = NewProject();
    m_bTutorMode = FALSE;
    if (ok)
    {
        m_strLastPath = GetPathName();
        return TRUE;
    }
    // The previous project stays, with its path and title.
    if (!m_strPackPath.IsEmpty())
        SetPathName(m_strPackPath, FALSE);
    return FALSE;
}

BOOL CVexulCreatorDoc::NewProject()
{
    CProjectSettings settings;
    settings.Reset();
    settings.m_strVersion = theApp.m_strVersion;
    int copyStartProgram = 0;
    if (!RunDocumentWizard(PROJECT_WIZARD_NEW, settings, copyStartProgram, m_bTutorMode,
                           m_bTutorMode ? m_strTutorFolder.GetString() : "",
                           m_bTutorMode ? m_strTutorHelp.GetString() : ""))
        return FALSE;
    CString folder = Path::WithoutTrailingBackslash(settings.GetFolder());
    if (folder.IsEmpty() || !IsPathShortEnough(Path::Join(folder, kPackName)) || !PrepareProjectFolder(folder))
        return FALSE;

    // From here on the document holds the new project.
    StopThumbnails();
    DeleteContents();
    settings.m_strFolder = folder;
    ApplySettings(settings, copyStartProgram);
    SetProfileValue(EditorProfile::PROJECT_FOLDER, folder);
    SetPackPath(Path::Join(folder, kPackName));
    m_PackStamp = GetFileStamp(m_strPackPath);
    SetPathName(m_strPackPath);
    if (m_bCopyStartProgram)
    {
        CopyFileToFolder("VxlStart.exe", theApp.m_strAppFolder, folder);
        CopyFileToFolder("VxlStart.ini", theApp.m_strAppFolder, folder);
    }
    if (m_bTutorMode)
    {
        AfxMessageBox(IDS_TUTOR_COPIES_FILES, MB_OK | MB_ICONINFORMATION);
        CopyExampleFiles(m_strTutorFolder, folder);
    }
    else if (GetProfileValue(EditorProfile::HIDE_IMAGE_INFO) == 0)
    {
        CImageSizeNoticeDlg notice(GetMainWindow());
        notice.m_nWindowWidth = m_Settings.m_nWindowWidth;
        notice.m_nWindowHeight = m_Settings.m_nWindowHeight;
        notice.DoModal();
    }
    return TRUE;
}

BOOL CVexulCreatorDoc::PrepareProjectFolder(const CString& folder)
{
    CString pack = Path::Join(folder, kPackName);
    if (FileExists(pack))
    {
        // The pack that was there stays as ".bak", under a free name when an older backup is there (a backup
        // is never overwritten); a pack that cannot be moved aside would be overwritten by the new project, so
        // the new project is not made.
        CString backup = FreeFileName(pack + ".bak");
        if (!MoveFileExA(pack, backup, MOVEFILE_WRITE_THROUGH))
        {
            AfxMessageBox(FormatString(IDS_OLD_PACK_RENAME_FAILED, pack, FileNameOf(backup)), MB_OK | MB_ICONSTOP);
            return FALSE;
        }
    }
    CopyPlainPlayer(folder);
    return TRUE;
}

void CVexulCreatorDoc::CopyPlainPlayer(const CString& folder)
{
    CString player = Path::Join(folder, kPlayerName);
    CString plainPlayer = Path::Join(theApp.m_strAppFolder, kPlainPlayerName);
    // Without it the project has no player for test runs and compiling: better known now than then.
    if (!FileExists(plainPlayer))
    {
        AfxMessageBox(FormatString(IDS_EDITOR_PLAYER_MISSING, plainPlayer, player), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A compiled show in the folder is somebody's finished work: it is replaced only when the user says so.
    if (CarriesCompiledShow(player) &&
        AfxMessageBox(FormatString(IDS_REPLACE_COMPILED_PLAYER, player), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (CCopyResult copy = CopyFileWithPrompt(player, plainPlayer, FALSE); !copy)
        AfxMessageBox(WithCopyFailure(FormatString(IDS_PLAYER_COPY_FAILED, player), copy),
                      MB_OK | MB_ICONEXCLAMATION);
}

void CVexulCreatorDoc::ApplySettings(const CProjectSettings& settings, BOOL copyStartProgram)
{
    m_Settings.CopyFrom(settings);
    m_strProjectFolder = m_Settings.GetFolder();
    m_bProjectOpen = TRUE;
    SetCurrentDirectoryA(m_strProjectFolder);
    // The end program and the background sound travel with the show: one outside the project folder is
    // copied in, and both are named relative to the folder, where the player looks for them.
    // A relative name the project folder holds is that file (the settings name their files so).
    for (CString* file : {&m_Settings.m_strAutostartFile, &m_Settings.m_strSoundFile})
    {
        if (file->IsEmpty())
            continue;
        CString inProject = ProjectPath(m_strProjectFolder, *file);
        CString relative;
        if (ImportFileToProject(FileExists(inProject) ? inProject : *file, m_strProjectFolder, relative, &m_Pack))
            *file = relative;
    }
    m_Show.SetFromProjectSettings(m_Settings);
    m_Settings.SaveToProfile();
    m_bCopyStartProgram = copyStartProgram;
    SetModifiedFlag();
}

BOOL CVexulCreatorDoc::EditProjectSettings(int mode)
{
    if (mode == PROJECT_WIZARD_NEW)
        return NewProject();
    if (!m_bProjectOpen)
        return FALSE;
    CProjectSettings settings;
    settings.CopyFrom(m_Settings);
    int copyStartProgram = m_bCopyStartProgram;
    if (!RunDocumentWizard(PROJECT_WIZARD_SETTINGS, settings, copyStartProgram, FALSE, nullptr, nullptr))
        return FALSE;
    settings.m_strFolder = m_strProjectFolder;   // the settings cannot move the project
    ApplySettings(settings, copyStartProgram);
    UpdateAllViews(nullptr);
    return TRUE;
}

// ---- opening --------------------------------------------------------------------------------------------

BOOL CVexulCreatorDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    // Read while no other editor saves it (when the folder takes a lock): its save waits for the read, and
    // the files its unfinished saves left can be told from those of a save in progress.
    CSaveLock lock;
    lock.Acquire(GetFullPath(lpszPathName), CSafeSaveFile::GetLockWait());
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
    {
        DWORD error = GetLastError();
        ++theApp.m_nOpenFailures;
        ReportSaveLoadFailure(FALSE, lpszPathName, error);
        return FALSE;   // the open project stays as it was
    }
    CString path = GetFullPath(lpszPathName);
    // Read aside first: a file that holds no show leaves the open project as it was.
    std::unique_ptr<CProjectPack> pack = std::make_unique<CProjectPack>();
    BOOL whole;
    {
        CWaitCursor wait;
        CArchive ar(&file, CArchive::load);
        whole = pack->Read(ar);
        ar.Close();
    }
    CFileStamp stamp = GetFileStamp(path);   // taken while nobody can write the file
    file.Close();
    if (!HoldsShow(*pack))
    {
        ++theApp.m_nOpenFailures;
        AfxMessageBox(FormatString(IDS_PACK_UNREADABLE, path), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    StopThumbnails();
    DeleteContents();
    m_Pack.TakeFrom(*pack);
    SetPackPath(path);
    m_PackStamp = stamp;
    TakeShowFromPack(whole);
    SetPathName(m_strPackPath);
    if (lock.IsHeld())
        CSafeSaveFile::RemoveLeftovers(m_strProjectFolder);
    lock.Release();
    IsPlayerCompiled(TRUE);
    m_strLastPath = GetPathName();
    SetModifiedFlag(FALSE);
    if (m_bSaveAfterOpen)
    {
        m_bSaveAfterOpen = FALSE;
        SaveProject();
    }
    return TRUE;
}

void CVexulCreatorDoc::TellAdjustedWindowSize(const BYTE* text, int size)
{
    // The reader brings the size into the sizes a window may have; the values as they stand say by how much.
    using namespace ShowText;
    CSettingsFile settings;
    settings.OpenMemoryText(kShowTextEntry, FALSE, text, size);
    CString width = settings.ReadString(Window::SECTION, Window::KEY_WIDTH, "");
    CString height = settings.ReadString(Window::SECTION, Window::KEY_HEIGHT, "");
    if ((width.IsEmpty() || atoi(width) == m_Show.m_nWindowWidth) &&
        (height.IsEmpty() || atoi(height) == m_Show.m_nWindowHeight))
        return;
    AfxMessageBox(FormatString(IDS_WINDOW_SIZE_ADJUSTED, m_strPackPath.GetString(), width.GetString(),
                               height.GetString(), Window::MIN_WIDTH, Window::MAX_WIDTH, Window::MIN_HEIGHT,
                               Window::MAX_HEIGHT, m_Show.m_nWindowWidth, m_Show.m_nWindowHeight),
                  MB_OK | MB_ICONEXCLAMATION);
}

BOOL CVexulCreatorDoc::HoldsShow(const CProjectPack& pack)
{
    int size = 0;
    const BYTE* text = pack.GetEntryData(kShowTextEntry, size);
    if (text == nullptr)
        return FALSE;
    // Only the version tells a show: the slides are read once, when the show is taken.
    CSettingsFile settings;
    settings.OpenMemoryText(kShowTextEntry, FALSE, text, size);
    return !settings.ReadString(ShowText::Show::SECTION, ShowText::Show::KEY_VERSION, ShowText::Show::DEF_VERSION)
                .IsEmpty();
}

void CVexulCreatorDoc::TakeShowFromPack(BOOL whole)
{
    int size = 0;
    const BYTE* text = m_Pack.GetEntryData(kShowTextEntry, size);
    m_Show.ReadShowText(kShowTextEntry, text, size);
    TellAdjustedWindowSize(text, size);
    m_Show.GetProjectSettings(m_Settings);
    m_Settings.m_strFolder = m_strProjectFolder;
    m_bProjectOpen = TRUE;
    SetProfileValue(EditorProfile::PROJECT_FOLDER, m_strProjectFolder);
    if (!whole)
    {
        // What was read is shown; the first save over the file keeps the file as it was first.
        m_bDamagedPack = TRUE;
        AfxMessageBox(FormatString(IDS_PACK_DAMAGED, m_strPackPath.GetString(), m_Pack.GetEntryCount(),
                                   FileNameOf(FreeFileName(m_strPackPath + ".bak")).GetString()),
                      MB_OK | MB_ICONEXCLAMATION);
    }
    CheckPlayerUpgrade(m_Show.m_strShowVersion);
    SetModifiedFlag(FALSE);
}

void CVexulCreatorDoc::CheckPlayerUpgrade(const char* showVersion)
{
    CString player = Path::Join(m_strProjectFolder, kPlayerName);
    CString plainPlayer = Path::Join(theApp.m_strAppFolder, kPlainPlayerName);
    CString editorText, copyText;
    int editorNumber = -1, copyNumber = -1;
    theApp.GetPlayerVersion(editorText, editorNumber);
    CVexulCreatorApp::GetFileVersionText(player, copyText, copyNumber);

    BOOL asked = FALSE;
    BOOL update = FALSE;
    if (FileExists(player))
    {
        if (copyNumber < editorNumber)
        {
            asked = TRUE;
            update = AfxMessageBox(IDS_PROJECT_OLDER_VERSION, MB_YESNO | MB_ICONQUESTION) == IDYES;
            if (update)
            {
                CString oldCopy = FreeFileName(player.Left(player.GetLength() - 4) + "_" + copyText + ".exe");
                if (!IsWritable(player))
                    AfxMessageBox(IDS_PLAYER_WRITE_PROTECTED, MB_OK | MB_ICONSTOP);
                else if (!MoveFileExA(player, oldCopy, 0))
                    // The new player goes in only where the old one made room: else the old one would be lost.
                    AfxMessageBox(FormatString(IDS_UPGRADE_RENAME_FAILED, player, FileNameOf(oldCopy)),
                                  MB_OK | MB_ICONSTOP);
                else if (CCopyResult copy = CopyFileWithPrompt(player, plainPlayer, FALSE); !copy)
                    AfxMessageBox(WithCopyFailure(FormatString(IDS_PLAYER_COPY_FAILED, player), copy),
                                  MB_OK | MB_ICONEXCLAMATION);
            }
        }
    }
    else
    {
        CopyPlainPlayer(m_strProjectFolder);
    }

    if (atoi(showVersion) < atoi(theApp.m_strVersion))
    {
        if (!asked)
            update = AfxMessageBox(IDS_PROJECT_OLDER_VERSION, MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (update)
        {
            if (!IsWritable(m_strPackPath))
            {
                AfxMessageBox(IDS_PLAYER_WRITE_PROTECTED, MB_OK | MB_ICONSTOP);
            }
            else
            {
                CString name = FileNameOf(m_strPackPath);
                CString copy = FreeFileName(Path::Join(
                    m_strProjectFolder, name.Left(name.GetLength() - 4) + "_" + CString(showVersion) + ".vxl"));
                // Written anew with the current version once the project is open, but only over a kept copy.
                if (CCopyResult kept = CopyFileWithPrompt(copy, m_strPackPath, FALSE))
                    m_bSaveAfterOpen = TRUE;
                else
                    AfxMessageBox(WithCopyFailure(FormatString(IDS_OLD_PACK_NOT_KEPT, copy), kept),
                                  MB_OK | MB_ICONSTOP);
            }
        }
    }
}

BOOL CVexulCreatorDoc::IsPlayerCompiled(BOOL showMessage)
{
    CString player = Path::Join(m_strProjectFolder, kPlayerName);
    BOOL differs = FALSE;
    BOOL compiled = CarriesCompiledShow(player, m_strPackPath, &differs);
    // Test runs play the pack file: only a compiled show other than it is worth a word.
    if (compiled && showMessage && differs)
        AfxMessageBox(FormatString(IDS_PROJECT_COMPILED, player), MB_OK | MB_ICONINFORMATION);
    return compiled;
}

// ---- saving ---------------------------------------------------------------------------------------------

BOOL CVexulCreatorDoc::OnSaveDocument(LPCSTR lpszPathName)
{
    return SaveProjectAs(lpszPathName);
}

BOOL CVexulCreatorDoc::SaveProject()
{
    return SaveProjectAs(m_strPackPath);
}

BOOL CVexulCreatorDoc::SaveForPlayer()
{
    SetModifiedFlag();
    return SaveProject();
}

BOOL CVexulCreatorDoc::SaveProjectAs(const char* packPath)
{
    if (!m_bProjectOpen || packPath == nullptr || *packPath == '\0')
        return FALSE;
    CString path = GetFullPath(packPath);
    if (!IsPathShortEnough(path))
        return FALSE;
    BOOL samePack = path.CompareNoCase(m_strPackPath) == 0 || IsSameFile(path, m_strPackPath);
    if (m_bDamagedPack && samePack && !KeepDamagedPack(path))
        return FALSE;
    CWaitCursor wait;
    // From the look at the pack on disk to its replacement no other editor saves it: of two saves at once
    // the later one finds the pack the earlier one wrote and asks.
    CSafeSaveFile file;
    CFileStamp accepted = m_PackStamp;
    for (;;)
    {
        if (!OpenForSave(file, path))
            return FALSE;
        CFileStamp now = GetFileStamp(path);
        // A pack that went away holds nothing to lose.
        if (!samePack || !now.exists || now == accepted)
            break;
        file.Abort();   // nobody waits for the user's answer
        if (!MayReplacePack(path))
            return FALSE;
        accepted = now;
    }
    CString folder = FolderOf(path);
    CSafeSaveFile::RemoveLeftovers(folder);
    m_Settings.m_strVersion = theApp.m_strVersion;
    m_Show.SetFromProjectSettings(m_Settings);
    m_Pack.RemoveEntry(kShowTextEntry);
    m_Show.m_nSlideOption = 1;
    m_Show.m_pFontCollector = &m_Fonts;
    int length = 0;
    const char* text = m_Show.BuildShowText(kShowTextEntry, folder, &length);
    m_Show.m_pFontCollector = nullptr;
    EmbedFonts();
    if (text == nullptr || !m_Pack.AddData(kShowTextEntry, text, length) || !WritePack(file, path))
        return FALSE;
    m_PackStamp = GetFileStamp(path);   // still under the lock: this editor's own pack
    file.Abort();                       // lets the lock go
    CString oldFolder = m_strProjectFolder;
    SetPackPath(path);
    if (!IsSameFile(oldFolder, m_strProjectFolder))
        MoveProjectFiles(oldFolder);
    m_bDamagedPack = FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CVexulCreatorDoc::IsPathShortEnough(const CString& path)
{
    // The longest names the editor makes beside the pack (temporary files, backups) must still fit.
    if (path.GetLength() > MAX_PACK_PATH)
    {
        AfxMessageBox(FormatString(IDS_PATH_TOO_LONG, path, path.GetLength(),
                                   static_cast<int>(MAX_PACK_PATH)),
                      MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

BOOL CVexulCreatorDoc::MayReplacePack(const CString& path)
{
    return AfxMessageBox(FormatString(IDS_PACK_CHANGED_ON_DISK, path), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
           IDYES;
}

BOOL CVexulCreatorDoc::OpenForSave(CSafeSaveFile& file, const CString& path)
{
    while (!file.Open(path))
    {
        if (!file.IsTargetBusy())
        {
            ReportSaveLoadFailure(TRUE, path, file.GetFailure());
            return FALSE;
        }
        if (AfxMessageBox(FormatString(IDS_PACK_BEING_SAVED, path),
                          MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY)
            return FALSE;
    }
    return TRUE;
}

void CVexulCreatorDoc::MoveProjectFiles(const CString& oldFolder)
{
    // A project saved into another folder is a whole project there: the player and the files the show names
    // from its folder go with it, and the settings follow the new folder.
    CopyPlainPlayer(m_strProjectFolder);
    CString* names[] = {&m_Settings.m_strSoundFile, &m_Settings.m_strIconFile, &m_Settings.m_strAutostartFile};
    for (CString* name : names)
    {
        CString relative = Path::RelativeTo(*name, oldFolder);
        if (relative.IsEmpty() || Path::IsFull(relative))
            continue;   // none, or a file outside the project
        CopyProjectFile(oldFolder, relative);
        *name = relative;
    }
    for (const char* starter : {"VxlStart.exe", "VxlStart.ini"})
        if (FileExists(Path::Join(oldFolder, starter)))
            CopyProjectFile(oldFolder, starter);
    m_Settings.m_strFolder = m_strProjectFolder;
    m_Show.SetFromProjectSettings(m_Settings);
    SetProfileValue(EditorProfile::PROJECT_FOLDER, m_strProjectFolder);
    SetCurrentDirectoryA(m_strProjectFolder);
}

void CVexulCreatorDoc::CopyProjectFile(const CString& oldFolder, const CString& relative)
{
    CString source = Path::Join(oldFolder, relative);
    CString target = Path::Join(m_strProjectFolder, relative);
    if (!FileExists(source) || IsSameFile(source, target))
        return;
    for (int slash = relative.Find('\\'); slash > 0; slash = relative.Find('\\', slash + 1))
        CreateDirectoryA(Path::Join(m_strProjectFolder, relative.Left(slash)), nullptr);
    CCopyResult copy = CopyFileWithPrompt(target, source, TRUE);
    if (!copy && !copy.Declined())
        AfxMessageBox(WithCopyFailure(FormatString(IDS_PROJECT_FILE_NOT_MOVED, source), copy),
                      MB_OK | MB_ICONEXCLAMATION);
}

BOOL CVexulCreatorDoc::KeepDamagedPack(const char* path)
{
    // An older backup stays: this one gets a name of its own.
    CString backup = FreeFileName(CString(path) + ".bak");
    if (AfxMessageBox(FormatString(IDS_SAVE_OVER_DAMAGED, path, FileNameOf(backup).GetString()),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    if (!FileExists(path))
        return TRUE;
    if (CCopyResult copy = CopyFileWithPrompt(backup, path, FALSE); !copy)
    {
        AfxMessageBox(WithCopyFailure(FormatString(IDS_BACKUP_FAILED, backup), copy), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

BOOL CVexulCreatorDoc::WritePack(CSafeSaveFile& file, const char* path)
{
    PurgeUnreferencedEntries();
    if (!m_Pack.WriteTo(file, theApp.m_strVersion) || !file.Commit())
    {
        DWORD error = file.GetFailure();
        file.Abort();
        ReportSaveLoadFailure(TRUE, path, error != 0 ? error : ERROR_WRITE_FAULT);
        return FALSE;
    }
    return TRUE;
}

void CVexulCreatorDoc::EmbedFonts()
{
    CWnd* main = GetMainWindow();
    CClientDC dc(main != nullptr && main->GetSafeHwnd() != nullptr ? main : nullptr);
    int room = CProjectPack::MAX_ENTRIES - m_Pack.GetEntryCount() - 2;
    for (int i = 0; i < m_Fonts.GetCount() && i < room; i++)
    {
        CString face = m_Fonts.GetAt(i);
        if (!IsTrueTypeFont(&dc, face) || IsFontEmbeddingRestricted(&dc, face))
            continue;
        std::vector<BYTE> block;
        if (GetEmbeddedFontData(&dc, face, block) && !block.empty())
        {
            CString name;
            MakeFontEntryName(face, name);
            m_Pack.AddData(name, block.data(), static_cast<int>(block.size()));
        }
    }
}

void CVexulCreatorDoc::PurgeUnreferencedEntries()
{
    std::set<std::string> keys;
    for (const CSlide& slide : m_Show.m_Slides)
        AddSlideReferences(slide, keys);
    if (m_bCopyFilled)
        AddSlideReferences(m_CopiedSlide, keys);
    for (int i = m_Pack.GetEntryCount() - 1; i >= 0; i--)
    {
        CString name;
        if (!m_Pack.GetEntryName(i, name))
            continue;
        CString upper = name;
        upper.MakeUpper();
        if (name.Find(".NFNT") > 0 || upper.Find(".INI") > 0 || keys.count(upper.GetString()) > 0)
            continue;
        m_Pack.RemoveEntry(name);
    }
}

void CVexulCreatorDoc::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    CDocument::SetPathName(lpszPathName, bAddToMRU);
    if (!m_strPathName.IsEmpty())
        SetTitle(m_strPathName);
}

BOOL CVexulCreatorDoc::SaveModified()
{
    if (!IsModified())
        return TRUE;
    if (!m_bProjectOpen)
    {
        SetModifiedFlag(FALSE);   // nothing that could be saved
        return TRUE;
    }
    switch (AfxMessageBox(FormatString(IDS_SAVE_CHANGES_QUESTION, FileNameOf(m_strPackPath).GetString()),
                          MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES: return SaveProject();
    case IDNO: return TRUE;   // the changes stay unsaved, and stay marked: a later close still asks
    default: return FALSE;
    }
}

// ---- the pack and the slides ----------------------------------------------------------------------------

BOOL CVexulCreatorDoc::AddFileToPack(CString& path)
{
    CString file = ProjectPath(m_strProjectFolder, path);
    CString entry = CProjectPack::MakeEntryName(file);
    if (m_Pack.FindEntry(entry) >= 0)
    {
        CFile source;
        if (!source.Open(file, CFile::modeRead | CFile::shareDenyNone) ||
            source.GetLength() > CProjectPack::MAX_PACK_SIZE)
            return FALSE;
        std::vector<BYTE> bytes(static_cast<size_t>(source.GetLength()));
        if (!bytes.empty() && source.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
            return FALSE;
        source.Close();
        if (m_Pack.EntryHolds(entry, bytes.data(), bytes.size()))
        {
            path = entry;   // the pack has this picture already
            return TRUE;
        }
        // Another picture has that entry name: this one goes in under a name of its own.
        CString copy;
        if (!CopyIntoProjectUnderFreeName(file, m_strProjectFolder, &m_Pack, copy))
            return FALSE;
        file = copy;
    }
    if (!m_Pack.AddFile(file))
        return FALSE;
    path = file;
    return TRUE;
}

BOOL CVexulCreatorDoc::AddDataToPack(const char* name, const void* data, int length)
{
    return m_Pack.AddData(name, data, length);
}

void CVexulCreatorDoc::RemoveFromPack(const char* name)
{
    m_Pack.RemoveEntry(name);
}

const BYTE* CVexulCreatorDoc::GetPackEntry(const char* name, int& size) const
{
    return m_Pack.GetEntryData(name, size);
}

BOOL CVexulCreatorDoc::LoadPictureFromPack(CPicture& picture, const char* name) const
{
    int size = 0;
    const BYTE* data = m_Pack.GetEntryData(name, size);
    return data != nullptr && picture.LoadFromMemory(data, static_cast<DWORD>(size)) && picture.m_bLoaded;
}

int CVexulCreatorDoc::GetSlideWidth() const
{
    return m_Show.m_nWindowWidth - CProjectSettings::WINDOW_EXTRA_WIDTH;
}

int CVexulCreatorDoc::GetSlideHeight() const
{
    return m_Show.m_nWindowHeight - CProjectSettings::WINDOW_EXTRA_HEIGHT;
}

int CVexulCreatorDoc::CountSlides() const
{
    int free = FindFreeSlide();
    return free < 0 ? CShowData::MaxSlides : free;
}

int CVexulCreatorDoc::FindFreeSlide() const
{
    for (int i = 0; i < CShowData::MaxSlides; i++)
        if (!m_Show.m_Slides[i].IsInShow())
            return i;
    return -1;
}

void CVexulCreatorDoc::SetSlideImageFile(int slide, const char* name)
{
    CSlide* target = m_Show.GetSlide(slide);
    if (target == nullptr || target->m_Background.m_strImageFile == name)
        return;
    target->m_Background.m_strImageFile = name;
    SlideChanged(slide);
}

void CVexulCreatorDoc::ReplaceSlide(int slide, const CSlide& edited)
{
    CSlide* target = m_Show.GetSlide(slide);
    if (target == nullptr)
        return;
    target->CopyFrom(edited);
    SlideChanged(slide);
}

BOOL CVexulCreatorDoc::ApplySlideChoices(int slide, const SlideEditorChoices& choices)
{
    CSlide* edited = m_Show.GetSlide(slide);
    if (edited == nullptr)
        return FALSE;
    BOOL others = FALSE;
    if (choices.bBackgroundAllSlides)
    {
        m_Show.ApplyBackgroundEffectsToAllSlides(slide);
        others = TRUE;
    }
    if (choices.bTextAllSlides)
    {
        m_Show.ApplyTextStyleToAllSlides(slide, 0);
        others = TRUE;
    }
    else if (choices.bTextThisSlide)
    {
        edited->ApplyTextStyle(0);
        SlideChanged(slide);
    }
    if (choices.bImageAllSlides)
    {
        m_Show.ApplyImageStyleToAllSlides(slide, 0);
        others = TRUE;
    }
    else if (choices.bImageThisSlide)
    {
        edited->ApplyImageStyle(0);
        SlideChanged(slide);
    }
    if (others)
        for (int i = 0; i < CShowData::MaxSlides; i++)
            SlideChanged(i);
    return others;
}

void CVexulCreatorDoc::PrepareNextSlide(int count)
{
    if (count < 1 || count >= CShowData::MaxSlides || m_Show.m_Slides[count].IsInShow())
        return;
    CSlide& next = m_Show.m_Slides[count];
    next.CopyFrom(m_Show.m_Slides[count - 1]);
    next.m_Background.m_strImageFile.Empty();
    next.m_Background.m_Picture.FreePicture();
    for (int i = 0; i < CSlide::MaxObjects; i++)
        if (CSlideObjSlot* slot = next.GetSlot(i))
            slot->Clear();
    // Not yet part of the show, so nothing to save.
    m_slideRevisions[count] = ++m_nLastRevision;
}

BOOL CVexulCreatorDoc::SetSlideBackgroundFile(int slide, CString& path)
{
    CSlide* target = m_Show.GetSlide(slide);
    if (target == nullptr || !AddFileToPack(path))
        return FALSE;
    target->m_Background.m_strImageFile = path;
    target->m_Background.m_Picture.FreePicture();
    SlideChanged(slide);
    return TRUE;
}

std::vector<CString> CVexulCreatorDoc::AddSlideImagesToPack(int slide)
{
    std::vector<CString> refused;
    CSlide* source = m_Show.GetSlide(slide);
    if (source == nullptr)
        return refused;
    for (int i = 0; i < CSlide::MaxObjects; i++)
    {
        CSlideObjSlot* slot = source->GetSlot(i);
        if (slot == nullptr || !slot->m_bUsed || slot->m_nKind != CSlideObjSlot::KIND_IMAGE ||
            slot->m_Image.m_strFile.IsEmpty() ||
            !FileExists(ProjectPath(m_strProjectFolder, slot->m_Image.m_strFile)))
            continue;
        CString entry = slot->m_Image.m_strFile;
        BOOL present = m_Pack.FindEntry(entry) >= 0;
        if (!AddFileToPack(entry))
        {
            refused.push_back(slot->m_Image.m_strFile);
            continue;
        }
        if (!present)
            SetModifiedFlag();
        else if (CProjectPack::MakeEntryName(slot->m_Image.m_strFile).CompareNoCase(entry) != 0)
        {
            // Another picture had the name: this one was copied in under a free name and is shown so.
            slot->m_Image.m_strFile = entry;
            SlideChanged(slide);
        }
    }
    return refused;
}

void CVexulCreatorDoc::DeleteSlide(int slide)
{
    if (m_Show.GetSlide(slide) == nullptr)
        return;
    m_Show.DeleteSlide(slide);
    // The slides after it move up with their revisions; the emptied last one has a new one.
    std::copy(m_slideRevisions + slide + 1, m_slideRevisions + CShowData::MaxSlides, m_slideRevisions + slide);
    SlideChanged(CShowData::MaxSlides - 1);
}

void CVexulCreatorDoc::ReorderSlides(const std::vector<int>& order)
{
    const int count = static_cast<int>(order.size());
    std::vector<std::unique_ptr<CSlide>> slides;
    for (int i = 0; i < count && i < CShowData::MaxSlides; i++)
    {
        slides.push_back(std::make_unique<CSlide>());
        slides.back()->CopyFrom(m_Show.m_Slides[i]);
    }
    std::vector<UINT> revisions(m_slideRevisions, m_slideRevisions + slides.size());
    for (int i = 0; i < static_cast<int>(slides.size()); i++)
        if (order[i] >= 0 && order[i] < count)
        {
            m_Show.m_Slides[order[i]].CopyFrom(*slides[i]);
            m_slideRevisions[order[i]] = revisions[i];   // a slide keeps its thumbnail where it goes
        }
    SetModifiedFlag();
}

std::vector<int> CVexulCreatorDoc::MoveOrder(int count, int from, int to)
{
    std::vector<int> order(count);
    for (int i = 0; i < count; i++)
    {
        if (i == from)
            order[i] = to;
        else if (from < to && i > from && i <= to)
            order[i] = i - 1;
        else if (from > to && i >= to && i < from)
            order[i] = i + 1;
        else
            order[i] = i;
    }
    return order;
}

void CVexulCreatorDoc::CopySlide(int slide)
{
    const CSlide* source = m_Show.GetSlide(slide);
    if (source == nullptr)
        return;
    m_CopiedSlide.CopyFrom(*source);
    m_bCopyFilled = TRUE;
}

BOOL CVexulCreatorDoc::PasteSlide(int slide)
{
    CSlide* target = m_Show.GetSlide(slide);
    if (target == nullptr || !m_bCopyFilled)
        return FALSE;
    target->CopyFrom(m_CopiedSlide);
    SlideChanged(slide);
    return TRUE;
}

// ---- commands -------------------------------------------------------------------------------------------

void CVexulCreatorDoc::OnUpdateFileSave(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bProjectOpen);
}

void CVexulCreatorDoc::OnProjectSave()
{
    if (!m_bProjectOpen)
        return;
    if (IsReadOnly(m_strPackPath))
    {
        AfxMessageBox(FormatString(IDS_PACK_WRITE_PROTECTED_SAVE, m_strPackPath), MB_OK | MB_ICONEXCLAMATION);
        OnProjectSaveAs();
        return;
    }
    SaveProject();
}

void CVexulCreatorDoc::OnProjectSaveAs()
{
    if (!m_bProjectOpen)
        return;
    // The folder's player finds its show by the one name every pack has: Save As chooses the folder.
    CString folder = m_strProjectFolder;
    CString title, text;
    title.LoadString(IDS_SAVE_AS_TITLE);
    text.LoadString(IDS_SAVE_AS_TEXT);
    if (!BrowseForProjectFolder(GetMainWindow(), title, text, folder))
        return;
    folder = Path::WithoutTrailingBackslash(GetFullPath(folder));
    CString pack = Path::Join(folder, kPackName);
    if (FileExists(pack) && !IsSameFile(pack, m_strPackPath) &&
        AfxMessageBox(FormatString(IDS_SAVE_AS_REPLACE_PROJECT, folder), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
            IDYES)
        return;
    if (SaveProjectAs(pack))
        SetPathName(m_strPackPath);
}

void CVexulCreatorDoc::ReportSaveLoadFailure(BOOL bSaving, LPCSTR lpszPathName, DWORD dwError)
{
    if (!bSaving)
    {
        CDocument::ReportSaveLoadFailure(bSaving, lpszPathName, dwError);
        return;
    }
    CString folder = FolderOf(GetFullPath(lpszPathName));
    CString text;
    if (!folder.IsEmpty() && !IsFolder(folder))
        text = FormatString(IDS_SAVE_FOLDER_GONE, lpszPathName, folder.GetString());
    else if (IsReadOnly(lpszPathName))
        text = FormatString(IDS_SAVE_WRITE_PROTECTED, lpszPathName);
    else
    {
        // Only a file that is there stays as it was.
        text = FormatString(FileExists(lpszPathName) ? IDS_SAVE_FAILED_UNCHANGED : IDS_SAVE_FAILED, lpszPathName);
        CString reason = SystemErrorText(dwError);
        if (!reason.IsEmpty())
            text += "\n\n" + reason;
    }
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CVexulCreatorDoc::OnProjectExplore()
{
    if (m_strProjectFolder.IsEmpty())
        return;
    CWnd* main = GetMainWindow();
    AfxShellExecute(AfxGetSafeHwnd(main), "explore", m_strProjectFolder, nullptr, nullptr, SW_SHOWNORMAL);
}

void CVexulCreatorDoc::OnTutorExample()
{
    CWnd* main = GetMainWindow();
    CTutorDlg tutor(main);
    tutor.m_nExample = 1;
    tutor.m_strProjectFolder = m_strProjectFolder;
    if (tutor.DoModal() != IDOK)
        return;
    if (main != nullptr && main->GetSafeHwnd() != nullptr)
    {
        // Beside the tutorial's help, which opens with the new project.
        CRect window, desktop;
        main->GetWindowRect(&window);
        ::GetWindowRect(::GetDesktopWindow(), &desktop);
        int width = window.Width();
        int height = window.Height();
        int d = desktop.Width();
        if (width + 470 < d)
            main->MoveWindow((d - width - 470) / 2, 100, width, height);
        else if (d > 1020)
            main->MoveWindow((d - 1020) / 2, 50, 550, height);
        else
            main->MoveWindow(0, 5, 550, height);
    }
    m_bTutorMode = TRUE;
    m_strTutorFolder = tutor.m_strExampleFolder;
    m_strTutorHelp = tutor.m_strHelpPath;
    if (main != nullptr)
        main->PostMessage(WM_COMMAND, ID_FILE_NEW);
}
