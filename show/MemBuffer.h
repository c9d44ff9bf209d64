// CMemBuffer: a heap byte block that can tell the user when memory runs out; and the colour text
// functions ("RRGGBB" and "#RRGGBB" for a COLORREF).
#pragma once

#include "framework/core/Core.h"

#include <memory>

class CMemBuffer : public CObject
{
    DECLARE_DYNAMIC(CMemBuffer)
public:
    CMemBuffer();
    ~CMemBuffer() override;
    CMemBuffer(const CMemBuffer&) = delete;
    CMemBuffer& operator=(const CMemBuffer&) = delete;

    // Frees the old block and allocates size bytes (contents undefined). Returns the block, or null
    // (size 0) when the memory cannot be had; with bShowErrors the user is told in a message box.
    BYTE* Allocate(int size, BOOL bShowErrors);
    void Free();
    // Takes over the other buffer's block, size, error text and flag; the other buffer is left empty,
    // so the block has exactly one owner.
    void TakeFrom(CMemBuffer& other);

    BYTE* GetData() const { return m_pData.get(); }
    int GetSize() const { return m_nSize; }
    const CString& GetErrorText() const { return m_strError; }
    BOOL GetShowErrors() const { return m_bShowErrors; }

protected:
    std::unique_ptr<BYTE[]> m_pData;
    int m_nSize;
    CString m_strError;
    BOOL m_bShowErrors;
};

// Colour text. Colours are COLORREF values (red in the low byte).
CString ColorToHex(COLORREF color);    // "RRGGBB", upper case
CString ColorToHtml(COLORREF color);   // "#RRGGBB", upper case
int HexDigitValue(char ch);            // '0'-'9', 'A'-'F'; upper case only
BYTE HexPairToByte(char high, char low);
COLORREF HexToColor(const char* text);    // "RRGGBB"; shorter texts are zero-filled on the left
COLORREF HtmlToColor(const char* text);   // "#RRGGBB"; black when shorter than 6 characters
