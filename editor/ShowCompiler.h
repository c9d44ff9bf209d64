// The show compiler: turns a project into one program by writing the project's pack into the project's
// copy of the player as a resource (PROJECTFILE/FILE_1, language 0), and, when the project asks for it,
// the show's icons (icon group 128 with icons 1 … 4) and its file information (version resource 1). The
// player then plays the pack from its own resources.
//
// Every step reports what went wrong; a compile counts as successful only when every step it was asked
// for succeeded. A resource update that fails part-way is discarded, so the file keeps its old resources.
#pragma once

#include "framework/win/Framework.h"

#include <vector>

class CProjectSettings;

class CShowCompiler
{
public:
    enum Failure
    {
        failNone = 0,
        failSystem,              // resources cannot be updated on this system
        failNoPlayer,            // no player path, or the project's player copy is missing
        failNoProject,           // no pack path, or the pack is missing
        failPlayerReadOnly,      // the player copy may not be written
        failPlayerInUse,         // the player copy is running or cannot be replaced
        failProjectUnreadable,   // the pack cannot be read
        failProjectEmpty,
        failProjectTooLarge,   // larger than CProjectPack::MAX_PACK_SIZE
        failOutOfMemory,
        failNoPlainPlayer,       // the editor's own player is missing
        failPlainPlayerItself,   // the player copy is the editor's own player
        failOpenPlayer,          // the resource update cannot start
        failAddProject,          // the pack cannot be added
        failWritePlayer,         // the changes cannot be written
        failIconFile,            // the icon file is missing or not a usable icon file
        failIconWrite,           // the icons cannot be written
        failVersionInfo,         // the player has no version block that can be rewritten
        failVersionWrite,        // the version block cannot be written
    };

    enum
    {
        MAX_ICON_IMAGES = 4,
        ICON_GROUP_ID = 128,
        VERSION_ID = 1,
        MAX_ICON_FILE_SIZE = 0x400000,    // 4 MB
        MAX_ICON_IMAGE_SIZE = 0x100000,   // 1 MB: more than a 256 x 256 image at 32 bits needs
    };

    CShowCompiler();
    virtual ~CShowCompiler();

    // The player program each compile starts from ("VEXUL.EXE" beside the editor unless set).
    void SetPlainPlayerPath(const char* path) { m_strPlainPlayer = path; }
    const CString& GetPlainPlayerPath() const { return m_strPlainPlayer; }

    // The whole compile: the pack, then the icons when the settings name an icon file (relative names
    // count from the project folder), then the file information when it is switched on. TRUE only when
    // every step asked for succeeded; the message says what happened either way.
    BOOL Compile(const char* playerPath, const char* projectFolder, const char* projectFilePath,
                 const CProjectSettings& settings);

    // Copies the plain player over playerPath and writes the pack into it. Returns the bytes written, 0
    // on failure.
    int WriteProjectResource(const char* playerPath, const char* projectFilePath);
    // Replaces the player's icons by the first four images of an icon file. A refused file changes nothing.
    BOOL ReplaceIcons(const char* playerPath, const char* iconPath);
    // Rewrites the player's version block: the file version numbers, and the texts (cut to their room).
    BOOL RewriteVersion(const char* playerPath, const int (&numbers)[4], const char* copyright,
                        const char* description, const char* company, const char* productVersion);

    // Resources can be written into programs on this system (the NT family).
    static BOOL IsCompileSystem();

    // The outcome of the last call: the failure (failNone after success) and the text for the user.
    Failure GetFailure() const { return m_failure; }
    const CString& GetMessage() const { return m_strMessage; }
    int GetWrittenSize() const { return m_nWrittenSize; }
    const CString& GetCompiledPlayerPath() const { return m_strCompiledPlayer; }
    const CString& GetCompiledProjectPath() const { return m_strCompiledProject; }
    // Shows the message of the last call: the success note, or what failed.
    void Report() const;

protected:
    // The system's resource update, one place for each call (tests make them fail).
    virtual BOOL CheckSystem() const { return IsCompileSystem(); }
    virtual HANDLE BeginUpdate(const char* path);
    virtual BOOL UpdateData(HANDLE update, LPCSTR type, LPCSTR name, const void* data, DWORD size);
    virtual BOOL EndUpdate(HANDLE update, BOOL discard);

private:
    struct CResourceItem
    {
        LPCSTR type;
        LPCSTR name;
        const void* data;
        DWORD size;
    };
    // Messages of the three stages of an update.
    struct CUpdateMessages
    {
        Failure openFailure;
        UINT open;
        Failure writeFailure;
        UINT add;
        UINT write;
    };

    BOOL Fail(Failure failure, UINT messageId, const char* argument = nullptr);
    BOOL FailText(Failure failure, const CString& text);
    BOOL CheckPlayerWritable(const char* playerPath);
    BOOL WriteResources(const char* path, const std::vector<CResourceItem>& items,
                        const CUpdateMessages& messages);
    BOOL ReadProject(const char* projectFilePath, std::vector<BYTE>& data);

    CString m_strPlainPlayer;
    Failure m_failure;
    CString m_strMessage;
    CString m_strCompiledPlayer;
    CString m_strCompiledProject;
    int m_nWrittenSize;
};
