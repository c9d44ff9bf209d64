// Rewrites a program's version block in place: the file version numbers and the string values. Values are
// written into the room they already have (cut to it, padded with blanks), so the block never changes its
// size or layout. Every length and offset is checked against the block before it is used.
#pragma once

#include "framework/win/Framework.h"

#include <vector>

class CVersionPatcher
{
public:
    enum
    {
        MAX_BLOCK_SIZE = 4000,
    };

    CVersionPatcher();

    // Takes a copy of a version block. FALSE when it is empty, larger than MAX_BLOCK_SIZE or not a
    // well-formed block with fixed file information and a string table.
    BOOL Load(const void* block, DWORD size);

    // The file version becomes numbers[0].numbers[1].numbers[2].numbers[3]; the product version stays.
    void SetFileVersion(const int (&numbers)[4]);
    // Sets every value of that key (code page 1252 text, cut to the value's room). FALSE when no value has
    // that key.
    BOOL SetValue(const char* key, const char* text);
    // The first value of that key without its blank padding; empty when missing.
    CString GetValue(const char* key) const;
    // The characters a value of that key can hold (its width less the terminator); -1 when missing.
    int GetValueRoom(const char* key) const;

    const BYTE* GetData() const { return m_block.data(); }
    DWORD GetSize() const { return static_cast<DWORD>(m_block.size()); }

private:
    struct CValue
    {
        CString key;
        size_t valueOffset;   // first character of the value
        int width;            // characters including the terminator
    };

    // Reads the structure header at offset within [offset, limit): its length, value length, type and the
    // offset just past its key (aligned to 4). FALSE when any of it leaves the limit.
    BOOL ReadHeader(size_t offset, size_t limit, size_t& end, WORD& valueLength, CString& key,
                    size_t& afterKey) const;
    // Reads one string table at offset and collects its values; tableEnd receives its end.
    BOOL ReadStringTable(size_t offset, size_t limit, size_t& tableEnd);

    std::vector<BYTE> m_block;
    size_t m_fixedOffset;
    std::vector<CValue> m_values;
};
