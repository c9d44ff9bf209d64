#include "win_TestFiles.h"

#include "framework/core/Path.h"

#include <cstdio>
#include <cstdlib>

BOOL WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return FALSE;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

std::vector<BYTE> ReadFileBytes(const std::string& path)
{
    std::vector<BYTE> bytes;
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

std::string TempFolderPath()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    return temp;
}

std::string MakeTempFolder(const char* prefix)
{
    std::string temp = TempFolderPath();
    static int counter = 0;
    for (int i = 0; i < 1000; ++i)
    {
        std::string folder =
            temp + prefix + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (CreateDirectoryA(folder.c_str(), nullptr))
            return folder;
    }
    return std::string();
}

void RemoveFolder(const std::string& folder)
{
    if (folder.empty())
        return;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
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

std::string BinaryDir()
{
    if (const char* dir = std::getenv("VEXUL_BINARY_DIR"))
        return ToWindowsPath(dir);
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    CString dir = self;
    for (int up = 0; up < 3; ++up)
        dir = Path::FolderOf(dir);
    return dir.str();
}

::testing::AssertionResult IsBuilt(const std::string& path)
{
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << " was not built";
}
