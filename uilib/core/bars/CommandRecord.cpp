#include "uilib/core/bars/CommandRecord.h"

IMPLEMENT_DYNAMIC(CUXCommandRecord, CObject)

CUXCommandRecord::~CUXCommandRecord()
{
    SetIcons(nullptr, nullptr);
    SetButtonData(nullptr);
}

void CUXCommandRecord::SetIcons(HICON icon, HICON icon2)
{
    if (m_hIcon != nullptr && m_hIcon != icon && m_hIcon != icon2)
        ::DestroyIcon(m_hIcon);
    if (m_hIcon2 != nullptr && m_hIcon2 != m_hIcon && m_hIcon2 != icon && m_hIcon2 != icon2)
        ::DestroyIcon(m_hIcon2);
    m_hIcon = icon;
    m_hIcon2 = icon2;
}

void CUXCommandRecord::SetButtonData(const CUXToolButtonData* data)
{
    if (m_bOwnsButtonData)
        delete m_pButtonData;
    m_pButtonData = data != nullptr ? new CUXToolButtonData(*data) : nullptr;
    m_bOwnsButtonData = m_pButtonData != nullptr;
}

std::unique_ptr<CUXCommandRecord> CUXCommandRecord::Clone() const
{
    std::unique_ptr<CUXCommandRecord> copy(new CUXCommandRecord);
    copy->m_strText = m_strText;
    copy->m_nID = m_nID;
    copy->m_strDescription = m_strDescription;
    copy->m_nOwnerValue = m_nOwnerValue;
    copy->SetIcons(m_hIcon != nullptr ? ::CopyIcon(m_hIcon) : nullptr, nullptr);
    copy->SetButtonData(m_pButtonData);
    return copy;
}

IMPLEMENT_DYNAMIC(CUXCommandCategory, CObject)

CUXCommandRecord* CUXCommandCategory::Find(UINT nID) const
{
    for (const std::unique_ptr<CUXCommandRecord>& record : m_commands)
        if (record != nullptr && static_cast<UINT>(record->m_nID) == nID)
            return record.get();
    return nullptr;
}

CUXCommandRecord* CUXCommandCategory::Add(std::unique_ptr<CUXCommandRecord> record)
{
    if (record == nullptr)
        return nullptr;
    m_commands.push_back(std::move(record));
    return m_commands.back().get();
}
