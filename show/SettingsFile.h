// INI-style settings text: CProfileStore reads and writes it through one of four back ends, and
// CSettingsFile is the facade the show model and the slide objects use (strings, integers, colours).
//
// In memory, a text being read is kept as "\r\n" + contents + "\r\n[]\r\n" (the empty section ends the
// last real one) and searched in an upper-case copy: a section is found by "\r\n[NAME]", a key by
// "KEY=" anywhere in the section body, first occurrence. Writers must therefore put every key that is the
// tail of another key of the same section before that longer key, and write each section in one run.
// Sections are found through an index of the text made at the first read, and a section's keys through
// an index of its body made when the section is first read: reading stays proportional to the text.
#pragma once

#include "framework/core/Core.h"
#include "show/MemBuffer.h"

#include <memory>

class CSettingsTextIndex;

class CProfileStore : public CObject
{
    DECLARE_DYNAMIC(CProfileStore)
public:
    enum Mode
    {
        modeWinIni = 0,     // the system's win.ini (Windows only)
        modeIniFile = 1,    // a named private INI file (Windows only)
        modeTextFile = 2,   // a whole text file read into memory
        modeMemory = 3,     // a memory block being read, or a text being built
    };

    CProfileStore();
    ~CProfileStore() override;

    BOOL Open(int mode, const char* name, BOOL bForWriting, const void* block, int size);
    BOOL OpenWinIni();
    BOOL OpenIniFile(const char* name);
    BOOL OpenTextFile(const char* path);
    BOOL OpenMemory(const char* name, BOOL bForWriting, const void* block, int size);

    // Copies the value (or the default) into out, cut to size - 1 characters; returns its length.
    virtual int GetString(const char* section, const char* key, const char* def, char* out, int size);
    virtual int GetInt(const char* section, const char* key, int def);

    BOOL WriteString(const char* section, const char* key, const char* value);
    // A text being built ends with CR LF and two blanks.
    void Finish();
    const char* GetText(int& length) const;

    int GetMode() const { return m_nMode; }
    const CString& GetName() const { return m_strName; }

protected:
    int FindValue(const char* section, const char* key, const char* def, char* out, int size);
    // The value of the key in the text being read (not terminated), or null when it is missing or empty.
    const char* FindEntry(const char* section, const char* key, size_t& length);
    void AppendEntry(const char* section, const char* key, const char* value);
    void SetReadText(const char* contents, int length);

    CString m_strName;
    int m_nMode;
    CString m_strText;
    CString m_strUpperText;
    int m_nBlockSize;
    CMemBuffer m_fileBuffer;
    CString m_strLastSection;
    std::unique_ptr<CSettingsTextIndex> m_pIndex;   // of m_strUpperText, made at the first read
};

class CSettingsFile : public CObject
{
    DECLARE_DYNAMIC(CSettingsFile)
public:
    enum
    {
        VALUE_BUFFER_SIZE = 1024
    };

    CSettingsFile();

    BOOL OpenMemoryText(const char* name, BOOL bForWriting, const void* block, int size);
    void Finish();
    const char* GetText(int& length) const;

    BOOL WriteString(const char* section, const char* key, const char* value);
    BOOL WriteInt(const char* section, const char* key, int value);
    // "#rrggbb" in lower case
    BOOL WriteColor(const char* section, const char* key, COLORREF color);

    // Before the text is opened every read gives its default.
    CString ReadString(const char* section, const char* key, const char* def);
    int ReadInt(const char* section, const char* key, int def);
    // A missing key reads as black; def applies only to a value of 6 characters or fewer.
    COLORREF ReadColor(const char* section, const char* key, COLORREF def);

    // Two hexadecimal digits, upper case ('0'-'9', 'A'-'F'); any other character counts as 0.
    static BYTE ParseHexByte(const char* pair);

    BOOL IsOpen() const { return !m_strName.IsEmpty(); }
    CProfileStore& GetStore() { return m_store; }

protected:
    char m_szValue[VALUE_BUFFER_SIZE];
    CString m_strName;
    CProfileStore m_store;
};
