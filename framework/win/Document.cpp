// Documents (views, title and path, the safe save, the save question) and document templates.
#include "framework/win/Framework.h"

#include <cstring>

CString SystemErrorText(DWORD dwError)
{
    if (dwError == 0)
        return CString();
    char text[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError,
                                    0, text, sizeof(text), nullptr);
    CString reason(text, static_cast<int>(length));
    reason.TrimRight();
    return reason;
}

namespace
{

// The part of a path after its last separator, '/' counting as one too.
CString FileTitle(const CString& path)
{
    CString backslashed = path;
    backslashed.Replace('/', '\\');
    return Path::FileNameOf(backslashed);
}
}   // namespace

// ---- CDocument ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views that outlive their document must not reach it any more.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != nullptr;)
        m_viewList.GetNext(pos)->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = GetFullPath(lpszPathName);
    SetTitle(FileTitle(m_strPathName));
    CWinApp* app = AfxGetApp();
    if (bAddToMRU && app != nullptr && !m_strPathName.IsEmpty())
        app->AddToRecentFileList(m_strPathName);
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != nullptr)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return m_viewList.GetNext(rPosition);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
        OnCloseDocument();
    else
        UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
    {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd == nullptr)
            continue;
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CWinApp* app = AfxGetApp();
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
    {
        DWORD error = ::GetLastError();
        if (app != nullptr)
            ++app->m_nOpenFailures;
        ReportSaveLoadFailure(FALSE, lpszPathName, error);
        return FALSE;   // nothing was touched
    }
    DeleteContents();
    SetModifiedFlag(TRUE);   // while loading: a half-read document must not look saved
    CArchive ar(&file, CArchive::load);
    Serialize(ar);
    bool ok = ar.Close();
    file.Close();
    if (!ok)
    {
        if (app != nullptr)
            ++app->m_nOpenFailures;
        ReportSaveLoadFailure(FALSE, lpszPathName, ERROR_INVALID_DATA);
        // The contents are gone: the document must not keep the old path, or a save would overwrite the
        // old file with what little was read.
        DeleteContents();
        m_strPathName.Empty();
        SetModifiedFlag(FALSE);
        if (m_pDocTemplate != nullptr)
            m_pDocTemplate->SetDefaultTitle(this);
        UpdateAllViews(nullptr);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    CSafeSaveFile file;
    if (!file.Open(lpszPathName))
    {
        ReportSaveLoadFailure(TRUE, lpszPathName, file.GetFailure());
        return FALSE;
    }
    bool ok;
    {
        CWaitCursor wait;
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ok = ar.Close();
    }
    if (!ok || !file.Commit())
    {
        DWORD error = file.GetFailure();
        file.Abort();
        ReportSaveLoadFailure(TRUE, lpszPathName, error != 0 ? error : ERROR_WRITE_FAULT);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadFailure(BOOL bSaving, LPCSTR lpszPathName, DWORD dwError)
{
    CString text;
    if (bSaving)
        text.Format("%s\ncould not be saved. The file on disk is unchanged.", lpszPathName);
    else
        text.Format("%s\ncould not be opened.", lpszPathName);
    CString reason = SystemErrorText(dwError);
    if (!reason.IsEmpty())
        text += "\n\n" + reason;
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Each frame that shows the document goes; its views leave the list as they are destroyed.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = m_viewList.GetHead();
        CFrameWnd* pFrame = pView->m_hWnd != nullptr ? pView->GetParentFrame() : nullptr;
        if (pFrame != nullptr)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else if (pView->m_hWnd != nullptr)
            pView->DestroyWindow();
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);   // a view without a window to destroy
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString prompt;
    prompt.Format("Save changes to %s?",
                  m_strPathName.IsEmpty() ? m_strTitle.GetString() : m_strPathName.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Another frame that still shows the document keeps it open without a question.
    for (POSITION pos = GetFirstViewPosition(); pos != nullptr;)
    {
        CView* pView = GetNextView(pos);
        CFrameWnd* pOther = pView->m_hWnd != nullptr ? pView->GetParentFrame() : nullptr;
        if (pOther != nullptr && pOther != pFrame)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    if (newName.IsEmpty())
    {
        newName = m_strPathName;
        if (newName.IsEmpty())
        {
            // Offer the title with the template's extension.
            for (int i = 0; i < m_strTitle.GetLength(); ++i)
            {
                if (strchr("\\/:*?\"<>|", m_strTitle[i]) == nullptr)
                    newName += m_strTitle[i];
            }
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                newName.Find('.') < 0)
                newName += ext;
        }
        CWinApp* app = AfxGetApp();
        if (app == nullptr ||
            !app->DoPromptFileName(newName, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, FALSE,
                                   m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CDocTemplate ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    CString all;
    if (!AfxLoadString(m_nIDResource, all))
        return FALSE;
    int start = 0;
    for (int i = 0; i < static_cast<int>(index); ++i)
    {
        int next = all.Find('\n', start);
        if (next < 0)
            return FALSE;
        start = next + 1;
    }
    int end = all.Find('\n', start);
    rString = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* pDoc = AfxCreateObjectOf<CDocument>(m_pDocClass);
    if (pDoc != nullptr)
        AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* pFrame = AfxCreateObjectOf<CFrameWnd>(m_pFrameClass);
    if (pFrame == nullptr ||
        !pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;   // the frame went with its window
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;)
    {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

// ---- CSingleDocTemplate ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return reinterpret_cast<POSITION>(m_pOnlyDoc);
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = reinterpret_cast<CDocument*>(rPos);
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName))
        title = "Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (pDocument != nullptr)
    {
        POSITION pos = pDocument->GetFirstViewPosition();
        CView* pView = pos != nullptr ? pDocument->GetNextView(pos) : nullptr;
        pFrame = pView != nullptr && pView->m_hWnd != nullptr ? pView->GetParentFrame() : nullptr;
        // The file that is open already: its frame comes to the front, nothing is read again.
        if (lpszPathName != nullptr && *lpszPathName != '\0' &&
            pDocument->GetPathName().CompareNoCase(GetFullPath(lpszPathName)) == 0 && pFrame != nullptr)
        {
            pFrame->ActivateFrame();
            return pDocument;
        }
        if (!pDocument->SaveModified())
            return nullptr;   // the user keeps the current document
    }
    else
    {
        pDocument = CreateNewDocument();
        if (pDocument == nullptr)
        {
            AfxMessageBox("A new document could not be created.", MB_ICONEXCLAMATION);
            return nullptr;
        }
        bCreated = TRUE;
    }

    if (pFrame == nullptr)
    {
        // The document must survive a frame that fails on the way.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr)
        {
            AfxMessageBox("The window for the document could not be created.", MB_ICONEXCLAMATION);
            if (bCreated)
                delete pDocument;
            return nullptr;
        }
    }

    BOOL ok;
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        ok = pDocument->OnNewDocument();
    }
    else
    {
        CWaitCursor wait;
        ok = pDocument->OnOpenDocument(lpszPathName);
        if (ok)
            pDocument->SetPathName(lpszPathName);
    }
    if (!ok)
    {
        if (bCreated)
        {
            // The new document and its frame go together.
            pDocument->m_bAutoDelete = FALSE;
            pFrame->DestroyWindow();
            delete pDocument;
        }
        return nullptr;
    }

    CWinApp* app = AfxGetApp();
    if (bCreated && app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
