#include "framework/core/Path.h"

namespace Path
{
namespace
{

int LastBackslash(const CString& path)
{
    return path.ReverseFind('\\');
}

// Where the extension starts in the path, or its length when the file name has none.
int ExtensionStart(const CString& path)
{
    int nameStart = LastBackslash(path) + 1;
    int dot = path.ReverseFind('.');
    return dot > nameStart ? dot : path.GetLength();
}

}   // namespace

CString FolderOf(const char* path)
{
    CString text(path);
    return text.Left(LastBackslash(text));
}

CString FileNameOf(const char* path)
{
    CString text(path);
    return text.Mid(LastBackslash(text) + 1);
}

CString ExtensionOf(const char* path)
{
    CString text(path);
    return text.Mid(ExtensionStart(text));
}

CString WithoutExtension(const char* path)
{
    CString text(path);
    return text.Left(ExtensionStart(text));
}

CString Join(const char* folder, const char* name)
{
    CString path(folder);
    if (!path.IsEmpty() && path.Right(1) != "\\")
        path += '\\';
    return path + CString(name);
}

CString WithTrailingBackslash(const char* folder)
{
    CString text(folder);
    return text.IsEmpty() ? text : Join(text, "");
}

CString WithoutTrailingBackslash(const char* folder)
{
    CString text(folder);
    for (int n = text.GetLength(); n > 1 && text[n - 1] == '\\' && !(n == 3 && text[1] == ':'); n--)
        text = text.Left(n - 1);
    return text;
}

CString RelativeTo(const char* path, const char* folder)
{
    CString text(path);
    CString base = WithTrailingBackslash(folder);
    if (base.IsEmpty() || text.GetLength() <= base.GetLength() ||
        text.Left(base.GetLength()).CompareNoCase(base) != 0)
        return text;
    return text.Mid(base.GetLength());
}

bool IsFull(const char* path)
{
    CString text(path);
    return text.GetLength() > 1 && (text[1] == ':' || text.Left(2) == "\\\\");
}

bool IsRelative(const char* path)
{
    CString text(path);
    return text.Left(1) != "\\" && text.Mid(1, 1) != ":";
}

}   // namespace Path
