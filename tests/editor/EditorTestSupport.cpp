#include "EditorTestSupport.h"

#include <dlgs.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace editortest
{

BOOL WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return FALSE;
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return written == bytes.size();
}

Bytes ReadFileBytes(const std::string& path)
{
    Bytes bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    BYTE buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

namespace
{

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string ToWindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

}   // namespace

CTempFolder::CTempFolder(const char* prefix)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    static int counter = 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof(name), "%s%s%lu_%d", temp, prefix,
                  static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
    m_path = name;
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_path);
}

std::string AppFolder()
{
    const char* dir = std::getenv("VEXUL_BINARY_DIR");
    return dir ? ToWindowsPath(dir) + "\\app" : std::string();
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

CProcess::CProcess(const std::string& exe, const std::string& folder)
{
    std::string line = "\"" + exe + "\"";
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    m_started = CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.empty() ? nullptr : folder.c_str(), &si, &m_pi) != FALSE;
}

CProcess::~CProcess()
{
    if (!m_started)
        return;
    if (!Ended())
    {
        if (HWND window = FindWindowWithChild(1010))
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        if (!PumpUntil([&] { return Ended(); }))
            TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

bool CProcess::Ended() const
{
    return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
}

HWND CProcess::FindWindowWithChild(int childId) const
{
    struct Search
    {
        DWORD pid;
        int child;
        HWND found;
    } search = {m_pi.dwProcessId, childId, nullptr};
    EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL
        {
            Search* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hWnd, &pid);
            if (pid != s->pid || !IsWindowVisible(hWnd) || !GetDlgItem(hWnd, s->child))
                return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
