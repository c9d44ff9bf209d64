// Three small dialogs of the slide editor: a new position for one object, an offset for a group of objects,
// and whether a group of objects is moved or deleted.
#pragma once

#include "framework/win/Framework.h"

// Shows the object's position and asks for a new one; the caller sets m_nX and m_nY and reads them after
// IDOK.
class CSetPositionDlg : public CDialog
{
public:
    explicit CSetPositionDlg(CWnd* pParent = nullptr);

    int m_nCurrentX;
    int m_nNewX;
    int m_nCurrentY;
    int m_nNewY;
    int m_nX;
    int m_nY;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};

// Offsets in pixels; negative values move left or up.
class CMoveObjectsDlg : public CDialog
{
public:
    explicit CMoveObjectsDlg(CWnd* pParent = nullptr);

    int m_nOffsetX;
    int m_nOffsetY;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CEditSelectedDlg : public CDialog
{
public:
    enum
    {
        MOVE_OBJECTS = 0,
        DELETE_OBJECTS = 1
    };

    explicit CEditSelectedDlg(CWnd* pParent = nullptr);

    int m_nChoice;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
