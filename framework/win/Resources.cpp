// Resources by the user's user-interface language (then neutral, then English), and the string loader.
#include "framework/win/Framework.h"

#include <atomic>
#include <vector>

namespace
{
std::atomic<HINSTANCE> g_hInstResource{nullptr};
std::atomic<LANGID> g_uiLanguage{0};

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

// The languages the module holds the resource in. (FindResourceEx cannot tell: under Wine it answers with
// another language's copy, the neutral one first, when the asked language is absent.)
std::vector<LANGID> AvailableLanguages(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType)
{
    std::vector<LANGID> languages;
    ::EnumResourceLanguagesA(hInst, lpszType, lpszName, CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The languages to try, in order, for a user of uiLanguage.
std::vector<LANGID> LanguageOrder(LANGID ui)
{
    std::vector<LANGID> order;
    auto add = [&order](LANGID id)
    {
        for (LANGID have : order)
            if (have == id)
                return;
        order.push_back(id);
    };
    add(ui);
    add(MAKELANGID(PRIMARYLANGID(ui), SUBLANG_DEFAULT));
    add(MAKELANGID(PRIMARYLANGID(ui), SUBLANG_NEUTRAL));
    add(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    add(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    add(MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL));
    return order;
}

HINSTANCE Resolve(HINSTANCE hInst)
{
    return hInst != nullptr ? hInst : AfxGetResourceHandle();
}
}   // namespace

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_hInstance != nullptr)
        return app->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE h = g_hInstResource.load();
    return h != nullptr ? h : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hInstResource.store(hInstResource);
}

LANGID AfxGetUILanguage()
{
    LANGID chosen = g_uiLanguage.load();
    return chosen != 0 ? chosen : ::GetUserDefaultUILanguage();
}

void AfxSetUILanguage(LANGID langId)
{
    g_uiLanguage.store(langId);
}

LANGID AfxFindResourceLanguage(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType)
{
    hInst = Resolve(hInst);
    std::vector<LANGID> available = AvailableLanguages(hInst, lpszName, lpszType);
    if (available.empty())
        return static_cast<LANGID>(0xFFFF);
    for (LANGID lang : LanguageOrder(AfxGetUILanguage()))
        for (LANGID have : available)
            if (have == lang)
                return lang;
    return available.front();   // any language rather than nothing
}

HRSRC AfxFindResource(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType)
{
    hInst = Resolve(hInst);
    LANGID lang = AfxFindResourceLanguage(hInst, lpszName, lpszType);
    if (lang == 0xFFFF)
        return nullptr;
    return ::FindResourceExA(hInst, lpszType, lpszName, lang);
}

const void* AfxLoadResourceData(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType, DWORD* pSize)
{
    hInst = Resolve(hInst);
    if (pSize != nullptr)
        *pSize = 0;
    HRSRC hRes = AfxFindResource(hInst, lpszName, lpszType);
    if (hRes == nullptr)
        return nullptr;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    if (hGlobal == nullptr)
        return nullptr;
    if (pSize != nullptr)
        *pSize = ::SizeofResource(hInst, hRes);
    return ::LockResource(hGlobal);
}

// String nID from one string block (16 strings: each a 16-bit length and UTF-16 characters); false when
// the block does not hold it or is damaged.
static bool StringFromBlock(const WORD* data, DWORD size, UINT nID, CString& rString)
{
    const WORD* end = data + size / sizeof(WORD);
    const WORD* p = data;
    for (UINT i = 0; i < (nID & 15); ++i)
    {
        if (p >= end)
            return false;
        p += 1 + *p;
    }
    if (p >= end || *p == 0)
        return false;
    int length = *p;
    if (length > end - (p + 1))
        return false;   // never read past the block
    const wchar_t* text = reinterpret_cast<const wchar_t*>(p + 1);
    int bytes = ::WideCharToMultiByte(1252, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return false;
    char* buffer = rString.GetBuffer(bytes + 1);
    ::WideCharToMultiByte(1252, 0, text, length, buffer, bytes, nullptr, nullptr);
    rString.ReleaseBuffer(bytes);
    return true;
}

BOOL AfxLoadString(UINT nID, CString& rString, HINSTANCE hInst)
{
    if (nID > 0xFFFF)
        return FALSE;   // string ids are 16 bits (a larger one would make the block's number a pointer)
    hInst = Resolve(hInst);
    // A block may exist in a language without holding this string: then the next language is asked.
    LPCSTR block = MAKEINTRESOURCEA((nID >> 4) + 1);
    LPCSTR type = MAKEINTRESOURCEA(6);   // RT_STRING
    std::vector<LANGID> available = AvailableLanguages(hInst, block, type);
    std::vector<LANGID> order;
    for (LANGID lang : LanguageOrder(AfxGetUILanguage()))
        for (LANGID have : available)
            if (have == lang)
                order.push_back(lang);
    for (LANGID have : available)
        order.push_back(have);
    for (LANGID lang : order)
    {
        HRSRC hRes = ::FindResourceExA(hInst, type, block, lang);
        if (hRes == nullptr)
            continue;
        HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
        const WORD* data = hGlobal == nullptr ? nullptr : static_cast<const WORD*>(::LockResource(hGlobal));
        if (data != nullptr && StringFromBlock(data, ::SizeofResource(hInst, hRes), nID, rString))
            return TRUE;
    }
    return FALSE;
}

int AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf)
{
    if (lpszBuf == nullptr || nMaxBuf == 0)
        return 0;
    lpszBuf[0] = '\0';
    CString text;
    if (!AfxLoadString(nID, text))
        return 0;
    int count = text.GetLength();
    if (count > static_cast<int>(nMaxBuf) - 1)
        count = static_cast<int>(nMaxBuf) - 1;
    memcpy(lpszBuf, text.GetString(), static_cast<size_t>(count));
    lpszBuf[count] = '\0';
    return count;
}

const DLGTEMPLATE* AfxLoadDialogTemplate(HINSTANCE hInst, LPCSTR lpszTemplateName)
{
    return static_cast<const DLGTEMPLATE*>(
        AfxLoadResourceData(hInst, lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */));
}

HMENU AfxLoadMenu(HINSTANCE hInst, LPCSTR lpszMenuName)
{
    const void* data = AfxLoadResourceData(hInst, lpszMenuName, MAKEINTRESOURCEA(4) /* RT_MENU */);
    return data == nullptr ? nullptr : ::LoadMenuIndirectA(data);
}

HACCEL AfxLoadAccelerators(HINSTANCE hInst, LPCSTR lpszTableName)
{
    // The resource holds 8-byte entries (flags, key, command, padding); the last one is flagged 0x80.
    struct StoredAccel
    {
        WORD fFlags;
        WORD wKey;
        WORD wCommand;
        WORD wPadding;
    };
    static_assert(sizeof(StoredAccel) == 8, "accelerator resource entries are 8 bytes");
    DWORD size = 0;
    const StoredAccel* stored = static_cast<const StoredAccel*>(
        AfxLoadResourceData(hInst, lpszTableName, MAKEINTRESOURCEA(9) /* RT_ACCELERATOR */, &size));
    if (stored == nullptr)
        return nullptr;
    std::vector<ACCEL> table;
    for (DWORD i = 0; i < size / sizeof(StoredAccel); ++i)
    {
        table.push_back({static_cast<BYTE>(stored[i].fFlags & 0x7F), stored[i].wKey, stored[i].wCommand});
        if (stored[i].fFlags & 0x80)
            break;
    }
    return table.empty() ? nullptr : ::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

namespace
{

bool VxStringLoader(UINT id, CString& out)
{
    return AfxLoadString(id, out) != FALSE;
}

// The one installation of the string loader, at program start.
struct VxStringLoaderInstallation
{
    VxStringLoaderInstallation() { CString::SetStringLoader(VxStringLoader); }
} g_stringLoaderInstallation;

}   // namespace
