#include "EditorTestSupport.h"

#include <dlgs.h>
#include <shlobj.h>

#include <cstring>

namespace editortest
{

std::string AppFolder()
{
    std::string dir = BinaryDir();
    return dir.empty() ? dir : dir + "\\app";
}

std::string PlainPlayerPath()
{
    std::string folder = AppFolder();
    return folder.empty() ? folder : folder + "\\Vexul.exe";
}

Bytes MakeIconImage(const IconImageSpec& spec)
{
    if (spec.png)
    {
        Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        png.resize(64 + spec.size, 0x5A);
        return png;
    }
    const int size = spec.size;
    const int maskStride = ((size + 31) / 32) * 4;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = size;
    header.biHeight = size * 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = size * size * 4 + maskStride * size;
    Bytes image(sizeof(header) + header.biSizeImage, 0);
    std::memcpy(image.data(), &header, sizeof(header));
    BYTE* pixel = image.data() + sizeof(header);
    for (int i = 0; i < size * size; i++, pixel += 4)
    {
        pixel[0] = GetBValue(spec.colour);
        pixel[1] = GetGValue(spec.colour);
        pixel[2] = GetRValue(spec.colour);
        pixel[3] = 0xFF;
    }
    return image;   // the mask is all zero: every pixel opaque
}

Bytes MakeIconFile(const std::vector<IconImageSpec>& images)
{
    Bytes file = {0, 0, 1, 0, static_cast<BYTE>(images.size()), 0};
    std::vector<Bytes> data;
    for (const auto& spec : images)
        data.push_back(MakeIconImage(spec));
    DWORD offset = static_cast<DWORD>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); i++)
    {
        BYTE entry[16] = {};
        entry[0] = static_cast<BYTE>(images[i].size & 0xFF);
        entry[1] = static_cast<BYTE>(images[i].size & 0xFF);
        entry[4] = 1;
        entry[6] = 32;
        DWORD size = static_cast<DWORD>(data[i].size());
        std::memcpy(entry + 8, &size, 4);
        std::memcpy(entry + 12, &offset, 4);
        file.insert(file.end(), entry, entry + 16);
        offset += size;
    }
    for (const auto& d : data)
        file.insert(file.end(), d.begin(), d.end());
    return file;
}

Bytes ReadResource(const std::string& program, LPCSTR type, LPCSTR name)
{
    Bytes bytes;
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return bytes;
    if (HRSRC resource = FindResourceA(module, name, type))
    {
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
        if (data)
            bytes.assign(data, data + SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return bytes;
}

std::string ItemText(HWND hDlg, int id)
{
    HWND item = GetDlgItem(hDlg, id);
    int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(item, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void SetItemText(HWND hDlg, int id, const std::string& text)
{
    SetDlgItemTextA(hDlg, id, text.c_str());
}

bool IsItemEnabled(HWND hDlg, int id)
{
    return IsWindowEnabled(GetDlgItem(hDlg, id)) != FALSE;
}

HDROP MakeDrop(const std::string& path)
{
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void PressButton(HWND hDlg, int id)
{
    SendMessageA(GetDlgItem(hDlg, id), BM_CLICK, 0, 0);
}

std::vector<std::string> ComboTexts(HWND hDlg, int id)
{
    std::vector<std::string> texts;
    HWND combo = GetDlgItem(hDlg, id);
    char className[16] = {};
    GetClassNameA(combo, className, sizeof(className));
    const bool list = lstrcmpiA(className, "ListBox") == 0;
    int count = static_cast<int>(SendMessageA(combo, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        char text[256] = {};
        SendMessageA(combo, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

void SelectItem(HWND hDlg, int id, const std::string& text)
{
    HWND control = GetDlgItem(hDlg, id);
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    const bool list = lstrcmpiA(className, "ListBox") == 0;
    SendMessageA(control, list ? LB_SELECTSTRING : CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

HWND FileNameBox(HWND hDlg)
{
    HWND edit = GetDlgItem(hDlg, edt1);
    return edit != nullptr ? edit : GetDlgItem(hDlg, cmb13);
}

}   // namespace editortest
