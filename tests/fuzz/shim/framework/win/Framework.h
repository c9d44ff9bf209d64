// The window layer as far as show/FontEmbedding.cpp names it, for compiling that file natively in the
// fuzzing build: types and constants, and system calls that find nothing (no fonts, no environment, no
// files). Only its entry reader and file names are fuzzed; nothing here draws or opens a file.
#pragma once

#include "framework/core/Core.h"

#include <vector>

#define CALLBACK
typedef void* HDC;

#define DEFAULT_CHARSET 1
#define FW_NORMAL 400
#define RASTER_FONTTYPE 0x0001
#define DEVICE_FONTTYPE 0x0002
#define TRUETYPE_FONTTYPE 0x0004
#define GDI_ERROR 0xFFFFFFFFu
#define SHGFI_DISPLAYNAME 0x200
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(-1))
#define GENERIC_READ 0x80000000u
#define FILE_SHARE_READ 1u
#define FILE_SHARE_WRITE 2u
#define OPEN_EXISTING 3u
#define FILE_ATTRIBUTE_NORMAL 0x80u

struct LOGFONTA
{
    BYTE lfCharSet;
};
struct TEXTMETRICA
{
};
struct ENUMLOGFONTEXA
{
    LOGFONTA elfLogFont;
    BYTE elfFullName[64], elfStyle[32], elfScript[32];
};
struct OUTLINETEXTMETRICA
{
    UINT otmfsType;
};
struct SHFILEINFOA
{
    char szDisplayName[MAX_PATH];
};
typedef int (*FONTENUMPROCA)(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM);

// clang-format off
inline int EnumFontFamiliesExA(HDC, LOGFONTA*, FONTENUMPROCA, LPARAM, DWORD) { return 0; }
inline UINT GetOutlineTextMetricsA(HDC, UINT, OUTLINETEXTMETRICA*) { return 0; }
inline DWORD GetFontData(HDC, DWORD, DWORD, void*, DWORD) { return GDI_ERROR; }
inline DWORD GetEnvironmentVariableA(const char*, char*, DWORD) { return 0; }
inline ULONG_PTR SHGetFileInfoA(const char*, DWORD, SHFILEINFOA*, UINT, UINT) { return 0; }
inline BOOL RemoveFontResourceA(const char*) { return FALSE; }
inline HANDLE CreateFileA(const char*, DWORD, DWORD, void*, DWORD, DWORD, HANDLE) { return INVALID_HANDLE_VALUE; }
inline BOOL CloseHandle(HANDLE) { return TRUE; }
inline BOOL DeleteFileA(const char*) { return FALSE; }
inline int _access(const char*, int) { return -1; }
// clang-format on

class CFont
{
public:
    BOOL CreateFont(int, int, int, int, int, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, const char*)
    {
        return FALSE;
    }
};

class CDC
{
public:
    HDC GetSafeHdc() const { return nullptr; }
    CFont* SelectObject(CFont*) { return nullptr; }
};
