// CProjectPack: the container of one show, a flat file of named entries (the show text, images, fonts),
// held whole in memory.
//
// File layout (numbers are 8 ASCII decimal digits, "%08d"); every block but the entry data begins with
// its own length:
//   header     32 bytes: "00000032", "00", six blanks, "VEXUL___", creator id (8 characters)
//   count      16 bytes: "00000016", number of entries
//   directory  48 bytes per entry: "00000048", 8 zero bytes, name (24 bytes, zero padded), stored size
//   data       each entry's stored size of bytes, in directory order, no gaps
// The stored size is the data length rounded up to the next multiple of 256 with at least one byte of
// padding: (length / 256 + 1) * 256. Padding bytes are zeros.
#pragma once

#include "framework/core/Core.h"
#include "show/MemBuffer.h"

class CProjectPack : public CObject
{
    DECLARE_DYNAMIC(CProjectPack)
public:
    enum
    {
        MAX_ENTRIES = 500,
        NAME_LENGTH = 24,
        HEADER_SIZE = 32,
        COUNT_SIZE = 16,
        RECORD_SIZE = 48,
        FIELD_SIZE = 8,
        NAME_OFFSET = 16,
        SIZE_OFFSET = 40,
        SIGNATURE_OFFSET = 16,
        CREATOR_OFFSET = 24,
        PAD_UNIT = 256,
        MAX_STORED_SIZE = 99999999,   // what 8 digits can hold
        MAX_PACK_SIZE = 0x1E00000,    // the largest pack the compiler and the player accept
    };

    CProjectPack();
    ~CProjectPack() override;
    CProjectPack(const CProjectPack&) = delete;
    CProjectPack& operator=(const CProjectPack&) = delete;

    // Closes an open output file and empties the pack.
    void Clear();
    // Takes over the other pack's entries and header without copying their data; the other is left empty.
    void TakeFrom(CProjectPack& other);

    int GetEntryCount() const { return m_nCount; }
    int GetCapacity() const { return MAX_ENTRIES; }
    int GetMaxSize() const { return m_nMaxSize; }

    BOOL GetEntryName(int index, CString& name) const;
    // The entry name of a path: the part after the last backslash, shortened to 24 characters
    // (a long name keeps its extension and 20 characters of its base; ".jpeg" becomes ".jpg").
    static CString MakeEntryName(const char* path);
    // Index of the entry named like path (case-insensitive); -1 when absent.
    int FindEntry(const char* path) const;
    // The entry's data and stored (padded) size; null when absent. The pack keeps owning the data.
    BYTE* GetEntryData(const char* path, int& size);
    const BYTE* GetEntryData(const char* path, int& size) const;
    static int GetStoredSize(int length) { return (length / PAD_UNIT + 1) * PAD_UNIT; }
    // TRUE when the entry named like path holds exactly these bytes (followed by its zero padding).
    BOOL EntryHolds(const char* path, const void* data, size_t length) const;

    // Adds a disk file; an entry of the same name is replaced (the new one goes to the end). On success
    // path becomes the entry name. A failed add leaves the pack as it was.
    BOOL AddFile(CString& path);
    // Adds a copy of a memory block under the entry name of name.
    BOOL AddData(const char* name, const void* data, int length);
    void RemoveEntry(const char* path);

    // Writing: OpenForWrite, Write, Close. Write and Close report whether every byte was written.
    BOOL OpenForWrite(const char* path, const char* creatorId);
    BOOL Write();
    BOOL Close();
    // Writes the whole pack into a file opened by the caller (a safe save file, a memory file). TRUE when
    // every byte was written.
    BOOL WriteTo(CFile& file, const char* creatorId);

    // Reads a whole pack; true only when every entry was read in full. On failure the pack holds the
    // entries read in full before the failing one.
    BOOL Read(CArchive& ar);

    void ReportOutOfMemory();

protected:
    void ResetEntries();
    void SetHeader(const char* creatorId);
    BOOL WriteBlocks(CFile& file);
    // A buffer of the stored size for length bytes, its padding zeroed; null when that size would not fit
    // its 8 digits (silently) or the memory cannot be had (the user is told).
    BYTE* AllocateEntry(CMemBuffer& buffer, ULONGLONG length);
    BOOL AppendEntry(const CString& name, CMemBuffer& data);
    BOOL CanAppend(const CString& name) const;
    BOOL ReadBlock(CArchive& ar, BYTE* block, int blockSize, ULONGLONG& remaining);

    int m_nMaxSize;
    CFile m_outFile;
    CString m_strPath;
    BYTE m_header[HEADER_SIZE];
    BYTE m_countBlock[COUNT_SIZE];
    BYTE m_directory[MAX_ENTRIES][RECORD_SIZE];
    CMemBuffer m_data[MAX_ENTRIES];
    int m_nCount;
    BOOL m_bOutputOpen;
    BOOL m_bWriteFailed;
};
