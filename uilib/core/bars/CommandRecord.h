// CUXCommandRecord and CUXCommandCategory: a command as the customize dialog shows it and a drag carries it,
// and a named group of such commands.
#pragma once

#include "framework/win/Framework.h"
#include "uilib/core/base/Helpers.h"

#include <memory>
#include <vector>

// A command as the customize dialog shows it and a drag carries it.
class CUXCommandRecord : public CObject
{
    DECLARE_DYNAMIC(CUXCommandRecord)
public:
    CUXCommandRecord() = default;
    ~CUXCommandRecord() override;
    CUXCommandRecord(const CUXCommandRecord&) = delete;
    CUXCommandRecord& operator=(const CUXCommandRecord&) = delete;

    // A deep copy: the texts and the id, a copy of the normal icon, a private copy of the button data.
    virtual std::unique_ptr<CUXCommandRecord> Clone() const;
    // Takes the icons (those held before are destroyed).
    void SetIcons(HICON icon, HICON icon2);
    // Keeps a private copy of the button data (null: none).
    void SetButtonData(const CUXToolButtonData* data);
    // A record without a command id stands for a pop-up (a menu's sub-menu): its key (the owner value), 0 for
    // a command.
    DWORD GetPopupKey() const { return m_nID == 0 ? static_cast<DWORD>(m_nOwnerValue) : 0; }

    CString m_strText;
    int m_nID = 0;
    CString m_strDescription;
    int m_nOwnerValue = 0;
    HICON m_hIcon = nullptr;    // owned
    HICON m_hIcon2 = nullptr;   // owned (the hot icon)
    CUXToolButtonData* m_pButtonData = nullptr;
    BOOL m_bOwnsButtonData = FALSE;
};

// A named group of commands.
class CUXCommandCategory : public CObject
{
    DECLARE_DYNAMIC(CUXCommandCategory)
public:
    CString m_strName;
    int m_nOrderKey = 0;   // categories are listed by it, then by name
    std::vector<std::unique_ptr<CUXCommandRecord>> m_commands;

    // The category's record of a command, or null.
    CUXCommandRecord* Find(UINT nID) const;
    // Adds a record; the category owns it.
    CUXCommandRecord* Add(std::unique_ptr<CUXCommandRecord> record);
};

typedef std::vector<std::unique_ptr<CUXCommandCategory>> CUXCommandCategories;
