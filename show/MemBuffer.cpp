#include "show/MemBuffer.h"

#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CMemBuffer, CObject)

CMemBuffer::CMemBuffer() : m_nSize(0), m_bShowErrors(FALSE)
{
}

CMemBuffer::~CMemBuffer()
{
    Free();
}

BYTE* CMemBuffer::Allocate(int size, BOOL bShowErrors)
{
    m_bShowErrors = bShowErrors;
    Free();
    m_strError.Empty();

    if (size >= 0)
    {
        try
        {
            m_pData.reset(new BYTE[static_cast<size_t>(size)]);   // not zeroed: the caller fills it at once
        }
        catch (const std::bad_alloc&)
        {
            // The standard exception carries no text meant for users; the box below has its own.
        }
    }
    if (m_pData == nullptr)
    {
        m_nSize = 0;
        if (m_bShowErrors)
        {
            CString text = m_strError.IsEmpty() ? CString("Can not allocate enough memory\t") : m_strError;
            AfxCoreMessageBox(text, "Error", MB_OK | MB_ICONERROR);
        }
        return nullptr;
    }
    m_nSize = size;
    return m_pData.get();
}

void CMemBuffer::Free()
{
    m_pData.reset();
    m_nSize = 0;
}

void CMemBuffer::TakeFrom(CMemBuffer& other)
{
    if (&other == this)
        return;
    Free();
    m_pData = std::move(other.m_pData);
    m_nSize = other.m_nSize;
    m_strError = other.m_strError;
    m_bShowErrors = other.m_bShowErrors;
    other.m_nSize = 0;
}

// ---------------------------------------------------------------------------------------------------
// Colour text

CString ColorToHex(COLORREF color)
{
    CString text;
    text.Format("%06X",
                static_cast<unsigned>((GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color)));
    return text;
}

CString ColorToHtml(COLORREF color)
{
    return CString("#") + ColorToHex(color);
}

int HexDigitValue(char ch)
{
    // Only '0'-'9' and 'A'-'F' are meaningful; the stored texts are upper case.
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    return ch - 55;
}

BYTE HexPairToByte(char high, char low)
{
    return static_cast<BYTE>(16 * HexDigitValue(high) + HexDigitValue(low));
}

COLORREF HexToColor(const char* text)
{
    CString hex(text);
    while (hex.GetLength() < 6)
        hex = CString("0") + hex;
    BYTE r = HexPairToByte(hex[0], hex[1]);
    BYTE g = HexPairToByte(hex[2], hex[3]);
    BYTE b = HexPairToByte(hex[4], hex[5]);
    return RGB(r, g, b);
}

COLORREF HtmlToColor(const char* text)
{
    CString html(text);
    if (html.GetLength() < 6)
        return 0;
    return HexToColor(html.Mid(1));
}
