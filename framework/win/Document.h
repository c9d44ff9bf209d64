// Documents and document templates.
//
// A document holds what the user edits and the views that show it; a template knows the classes of the
// document, its frame and its view, and the texts of its document string (title, filter, extension), and
// creates them together. The single-document template keeps one document and reuses it for every New and
// Open. Documents are written through one safe path (CSafeSaveFile): a failed save leaves the old file byte
// for byte, tells the user and keeps the document modified.
//
// Commands reach a document after its active view and before its template and the application (see
// CFrameWnd). The document itself takes Save (ID_FILE_SAVE) and Save As (ID_FILE_SAVE_AS).
#pragma once

#include "framework/win/Wnd.h"

class CView;
class CFrameWnd;
class CDocument;

// The system's reason for an error code, without its line end; empty when it has none.
CString SystemErrorText(DWORD dwError);
class CDocTemplate;

// What a frame needs to create its view for a document (passed through window creation).
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // The title shown in the frames (the file name, or the template's name for a new document).
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    // The full path of the document's file (empty while it has none). Setting it also sets the title and,
    // when asked, puts the path at the top of the application's recent-file list.
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // ---- views ----
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    virtual void OnChangedViewList();   // base: without views (and with m_bAutoDelete) the document closes

    // ---- life ----
    // Base: empties the document and leaves it untitled and unmodified.
    virtual BOOL OnNewDocument();
    // Base: reads the file through Serialize. A file that cannot be opened leaves the document as it was;
    // one that cannot be read leaves it emptied and untitled (never the old path over the emptied contents).
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Base: writes the file through Serialize and the safe path; on failure the user is told, the old file
    // stays, the document stays modified and FALSE comes back.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Closes every frame showing the document, empties it and, with m_bAutoDelete, deletes it.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // A modified document asks "Save changes to ...?" (Yes/No/Cancel): Yes saves (FALSE when the save fails),
    // No goes on without saving, Cancel answers FALSE.
    virtual BOOL SaveModified();
    // Asked before a frame closes: the last frame of a document asks SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves under lpszPathName, or asks for a name when it is null (Save As); bReplace makes the new name the
    // document's. FALSE when cancelled or failed.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    // Save: under the document's path, or through Save As when it has none or its file is read-only.
    virtual BOOL DoFileSave();

    // The document's own map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;   // deleted when its last view goes
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    // Tells the user that a file could not be read or written (the system's reason when there is one).
    virtual void ReportSaveLoadFailure(BOOL bSaving, LPCSTR lpszPathName, DWORD dwError);
    // The frames that show the document now get its title.
    void UpdateFrameCounts();

    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    CList<CView*, CView*> m_viewList;

    friend class CDocTemplate;
    friend class CSingleDocTemplate;
    DECLARE_MESSAGE_MAP()
};

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // The parts of the document string (string resource nIDResource, parts separated by '\n').
    enum DocStringIndex
    {
        windowTitle,       // the frame's title
        docName,           // the title of a new document ("Untitled" when empty)
        fileNewName,       // the name the New command would offer
        filterName,        // the file dialog's filter text, e.g. "Shows (*.vxl)"
        filterExt,         // the extension with its dot, e.g. ".vxl"
        regFileTypeId,     // the registry's file type id
        regFileTypeName,   // the registry's file type name
    };

    ~CDocTemplate() override;
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // FALSE (rString empty) when the part is absent.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // Opens a file (or makes a new document when lpszPathName is null) and shows it; null when the user
    // kept the current document or the file could not be opened.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual CDocument* CreateNewDocument();
    // A frame (with its view) of the template's classes for the document; null when it cannot be made.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual BOOL SaveAllModified();   // FALSE when the user cancelled
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource;   // document string, menu, accelerators and icon of the frame
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
};

// One document at a time: New and Open reuse it (after asking to save its changes).
class CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    CDocument* m_pOnlyDoc = nullptr;
};
