// The name tables' combo-box filling (Windows only; the tables themselves are portable).
#include "show/EffectNames.h"

#include "framework/win/Framework.h"

void CProgramLanguageNames::FillComboBox(CComboBox* pCombo)
{
    if (pCombo == nullptr || pCombo->GetSafeHwnd() == nullptr)
        return;
    pCombo->ResetContent();
    CString names;
    JoinTexts(names);
    // "A|B|C||": one item per name, up to the remainder that begins with "|".
    CString rest = names;
    while (!rest.IsEmpty() && rest[0] != '|')
    {
        int bar = rest.Find('|');
        if (bar < 0)
        {
            pCombo->AddString(rest);
            break;
        }
        pCombo->AddString(rest.Left(bar));
        rest = rest.Mid(bar + 1);
    }
    pCombo->SetCurSel(m_nSelected);
}
