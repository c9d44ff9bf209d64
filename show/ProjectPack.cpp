#include "show/ProjectPack.h"

#include <cstdio>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CProjectPack, CObject)

namespace
{

const char kSignature[] = "VEXUL___";

// Writes value as 8 decimal digits, without terminator.
void PutField(BYTE* field, int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%08d", value);
    memcpy(field, text, CProjectPack::FIELD_SIZE);
}

// Reads an 8-digit decimal field; false unless all 8 characters are digits.
bool ParseField(const BYTE* field, int& value)
{
    int result = 0;
    for (int i = 0; i < CProjectPack::FIELD_SIZE; ++i)
    {
        if (field[i] < '0' || field[i] > '9')
            return false;
        result = result * 10 + (field[i] - '0');
    }
    value = result;
    return true;
}

}   // namespace

CProjectPack::CProjectPack() : m_nMaxSize(MAX_PACK_SIZE), m_nCount(0), m_bOutputOpen(FALSE), m_bWriteFailed(FALSE)
{
    memset(m_header, 0, sizeof(m_header));
    memset(m_countBlock, 0, sizeof(m_countBlock));
    memset(m_directory, 0, sizeof(m_directory));
}

CProjectPack::~CProjectPack()
{
    Clear();
}

void CProjectPack::Clear()
{
    if (m_bOutputOpen)
    {
        m_outFile.Close();
        m_bOutputOpen = FALSE;
    }
    m_strPath.Empty();
    memset(m_header, 0, sizeof(m_header));
    ResetEntries();
}

void CProjectPack::TakeFrom(CProjectPack& other)
{
    if (&other == this)
        return;
    Clear();
    m_strPath = other.m_strPath;
    m_nMaxSize = other.m_nMaxSize;
    memcpy(m_header, other.m_header, sizeof(m_header));
    memcpy(m_countBlock, other.m_countBlock, sizeof(m_countBlock));
    memcpy(m_directory, other.m_directory, sizeof(m_directory));
    for (int i = 0; i < other.m_nCount; i++)
        m_data[i].TakeFrom(other.m_data[i]);
    m_nCount = other.m_nCount;
    other.Clear();
}

void CProjectPack::ResetEntries()
{
    memset(m_countBlock, 0, sizeof(m_countBlock));
    memset(m_directory, 0, sizeof(m_directory));
    for (CMemBuffer& buffer : m_data)
        buffer.Free();
    m_nCount = 0;
}

BOOL CProjectPack::GetEntryName(int index, CString& name) const
{
    if (index < 0 || index >= m_nCount)
        return FALSE;
    const char* field = reinterpret_cast<const char*>(m_directory[index] + NAME_OFFSET);
    const void* zero = memchr(field, 0, NAME_LENGTH);
    int length = zero ? static_cast<int>(static_cast<const char*>(zero) - field) : NAME_LENGTH;
    if (length == 0)
        return FALSE;
    name = CString(field, length);
    return TRUE;
}

CString CProjectPack::MakeEntryName(const char* path)
{
    CString name(path);
    if (!Path::FolderOf(name).IsEmpty())   // a backslash after the first character
        name = Path::FileNameOf(name);
    if (name.GetLength() > NAME_LENGTH)
    {
        CString ext = Path::ExtensionOf(name);
        if (!ext.IsEmpty())
        {
            if (ext.CompareNoCase(".JPEG") == 0)
                ext = ".jpg";
            name = Path::WithoutExtension(name).Left(20) + ext;
        }
    }
    return name.Left(NAME_LENGTH);
}

int CProjectPack::FindEntry(const char* path) const
{
    if (m_nCount == 0)
        return -1;
    CString wanted = MakeEntryName(path);
    wanted.MakeUpper();
    for (int i = 0; i < m_nCount; ++i)
    {
        CString name;   // stays empty for an unnamed entry
        GetEntryName(i, name);
        name.MakeUpper();
        if (name == wanted)
            return i;
    }
    return -1;
}

BYTE* CProjectPack::GetEntryData(const char* path, int& size)
{
    return const_cast<BYTE*>(static_cast<const CProjectPack*>(this)->GetEntryData(path, size));
}

const BYTE* CProjectPack::GetEntryData(const char* path, int& size) const
{
    int index = FindEntry(path);
    if (index < 0)
    {
        size = 0;
        return nullptr;
    }
    size = m_data[index].GetSize();
    return m_data[index].GetData();
}

BOOL CProjectPack::CanAppend(const CString& name) const
{
    return m_nCount < MAX_ENTRIES || FindEntry(name) >= 0;
}

BOOL CProjectPack::AddFile(CString& path)
{
    CString name = MakeEntryName(path);
    if (!CanAppend(name))
        return FALSE;

    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    ULONGLONG length = file.GetLength();

    // The new data is complete before the pack changes.
    CMemBuffer buffer;
    BYTE* data = AllocateEntry(buffer, length);
    if (data == nullptr)
        return FALSE;
    int dataLength = static_cast<int>(length);
    int total = 0;
    while (total < dataLength)
    {
        UINT got = file.Read(data + total, static_cast<UINT>(dataLength - total));
        if (got == 0)
            break;
        total += static_cast<int>(got);
    }
    file.Close();
    if (total != dataLength)
        return FALSE;

    if (!AppendEntry(name, buffer))
        return FALSE;
    path = name;
    return TRUE;
}

BOOL CProjectPack::EntryHolds(const char* path, const void* data, size_t length) const
{
    int size = 0;
    const BYTE* stored = GetEntryData(path, size);
    if (stored == nullptr || length > static_cast<size_t>(MAX_STORED_SIZE) ||
        size != GetStoredSize(static_cast<int>(length)) || (length > 0 && memcmp(stored, data, length) != 0))
        return FALSE;
    for (int i = static_cast<int>(length); i < size; i++)
        if (stored[i] != 0)
            return FALSE;
    return TRUE;
}

BOOL CProjectPack::AddData(const char* name, const void* data, int length)
{
    if (length < 0 || (data == nullptr && length > 0))
        return FALSE;
    CString entryName = MakeEntryName(name);
    if (!CanAppend(entryName))
        return FALSE;

    CMemBuffer buffer;
    BYTE* block = AllocateEntry(buffer, static_cast<ULONGLONG>(length));
    if (block == nullptr)
        return FALSE;
    if (length > 0)
        memcpy(block, data, static_cast<size_t>(length));
    return AppendEntry(entryName, buffer);
}

BYTE* CProjectPack::AllocateEntry(CMemBuffer& buffer, ULONGLONG length)
{
    if (length > static_cast<ULONGLONG>(MAX_STORED_SIZE - PAD_UNIT))
        return nullptr;   // its stored size would not fit 8 digits
    int dataLength = static_cast<int>(length);
    int stored = GetStoredSize(dataLength);
    BYTE* block = buffer.Allocate(stored, TRUE);
    if (block == nullptr)
    {
        ReportOutOfMemory();
        return nullptr;
    }
    memset(block + dataLength, 0, static_cast<size_t>(stored - dataLength));
    return block;
}

BOOL CProjectPack::AppendEntry(const CString& name, CMemBuffer& data)
{
    RemoveEntry(name);
    if (m_nCount >= MAX_ENTRIES)
        return FALSE;
    BYTE* record = m_directory[m_nCount];
    memset(record, 0, RECORD_SIZE);
    PutField(record, RECORD_SIZE);
    int nameLength = name.GetLength() < NAME_LENGTH ? name.GetLength() : NAME_LENGTH;
    memcpy(record + NAME_OFFSET, name.GetString(), static_cast<size_t>(nameLength));
    PutField(record + SIZE_OFFSET, data.GetSize());
    m_data[m_nCount].TakeFrom(data);
    ++m_nCount;
    return TRUE;
}

void CProjectPack::RemoveEntry(const char* path)
{
    int index = FindEntry(path);
    if (index < 0)
        return;
    for (int i = index; i + 1 < m_nCount; ++i)
    {
        memcpy(m_directory[i], m_directory[i + 1], RECORD_SIZE);
        m_data[i].TakeFrom(m_data[i + 1]);
    }
    --m_nCount;
    memset(m_directory[m_nCount], 0, RECORD_SIZE);
    m_data[m_nCount].Free();
}

void CProjectPack::SetHeader(const char* creatorId)
{
    // The whole header, whatever a pack read earlier held.
    memset(m_header, ' ', sizeof(m_header));
    PutField(m_header, HEADER_SIZE);
    memcpy(m_header + 8, "00", 2);
    memcpy(m_header + SIGNATURE_OFFSET, kSignature, FIELD_SIZE);
    CString creator(creatorId);
    memcpy(m_header + CREATOR_OFFSET, creator.GetString(),
           static_cast<size_t>(creator.GetLength() < FIELD_SIZE ? creator.GetLength() : FIELD_SIZE));
}

BOOL CProjectPack::OpenForWrite(const char* path, const char* creatorId)
{
    if (m_bOutputOpen)
    {
        m_outFile.Close();
        m_bOutputOpen = FALSE;
    }
    m_strPath = path;
    m_bWriteFailed = FALSE;
    SetHeader(creatorId);

    m_bOutputOpen = m_outFile.Open(path, CFile::modeCreate | CFile::modeWrite) ? TRUE : FALSE;
    if (!m_bOutputOpen)
        m_bWriteFailed = TRUE;
    return m_bOutputOpen;
}

BOOL CProjectPack::Write()
{
    if (!m_bOutputOpen || !WriteBlocks(m_outFile))
    {
        m_bWriteFailed = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CProjectPack::WriteTo(CFile& file, const char* creatorId)
{
    SetHeader(creatorId);
    return WriteBlocks(file);
}

BOOL CProjectPack::WriteBlocks(CFile& file)
{
    // Header, count and directory go out as one block; each entry's data is written from where the pack
    // holds it, in one piece.
    std::vector<BYTE> head(static_cast<size_t>(HEADER_SIZE + COUNT_SIZE + m_nCount * RECORD_SIZE));
    BYTE* at = head.data();
    memcpy(at, m_header, HEADER_SIZE);
    PutField(at, HEADER_SIZE);
    at += HEADER_SIZE;
    PutField(m_countBlock, COUNT_SIZE);
    PutField(m_countBlock + FIELD_SIZE, m_nCount);
    memcpy(at, m_countBlock, COUNT_SIZE);
    at += COUNT_SIZE;
    for (int i = 0; i < m_nCount; ++i, at += RECORD_SIZE)
    {
        memcpy(at, m_directory[i], RECORD_SIZE);
        PutField(at, RECORD_SIZE);
    }
    bool ok = file.Write(head.data(), static_cast<UINT>(head.size()));
    for (int i = 0; ok && i < m_nCount; ++i)
    {
        if (m_data[i].GetSize() > 0)
            ok = file.Write(m_data[i].GetData(), static_cast<UINT>(m_data[i].GetSize()));
    }
    return ok ? TRUE : FALSE;
}

BOOL CProjectPack::Close()
{
    if (m_bOutputOpen)
    {
        if (!m_outFile.Flush())
            m_bWriteFailed = TRUE;
        m_outFile.Close();
        m_bOutputOpen = FALSE;
    }
    return m_bWriteFailed ? FALSE : TRUE;
}

// Reads one length-prefixed block of blockSize bytes (its length field included). A block announcing
// fewer bytes fails; one announcing more keeps its own bytes and skips the rest.
BOOL CProjectPack::ReadBlock(CArchive& ar, BYTE* block, int blockSize, ULONGLONG& remaining)
{
    if (remaining < static_cast<ULONGLONG>(FIELD_SIZE) || ar.Read(block, FIELD_SIZE) != FIELD_SIZE)
        return FALSE;
    remaining -= FIELD_SIZE;
    int length = 0;
    if (!ParseField(block, length) || length < blockSize)
        return FALSE;
    ULONGLONG rest = static_cast<ULONGLONG>(length - FIELD_SIZE);
    if (rest > remaining)
        return FALSE;
    UINT own = static_cast<UINT>(blockSize - FIELD_SIZE);
    if (ar.Read(block + FIELD_SIZE, own) != own)
        return FALSE;
    remaining -= own;
    rest -= own;
    BYTE scratch[1024];
    while (rest > 0)
    {
        UINT chunk = rest > sizeof(scratch) ? static_cast<UINT>(sizeof(scratch)) : static_cast<UINT>(rest);
        if (ar.Read(scratch, chunk) != chunk)
            return FALSE;
        remaining -= chunk;
        rest -= chunk;
    }
    return TRUE;
}

BOOL CProjectPack::Read(CArchive& ar)
{
    ResetEntries();
    memset(m_header, 0, sizeof(m_header));

    CFile* file = ar.GetFile();
    if (!ar.IsLoading() || file == nullptr)
        return FALSE;
    // What the source still holds: the archive hands its buffered bytes back to the file first.
    ar.Flush();
    ULONGLONG length = file->GetLength();
    ULONGLONG position = file->GetPosition();
    ULONGLONG remaining = length > position ? length - position : 0;

    if (!ReadBlock(ar, m_header, HEADER_SIZE, remaining))
        return FALSE;
    if (memcmp(m_header + SIGNATURE_OFFSET, kSignature, FIELD_SIZE) != 0)
        return FALSE;
    if (!ReadBlock(ar, m_countBlock, COUNT_SIZE, remaining))
        return FALSE;
    int count = 0;
    if (!ParseField(m_countBlock + FIELD_SIZE, count) || count < 1 || count > MAX_ENTRIES)
        return FALSE;

    // Without the whole directory the data cannot be told apart: no entry is kept.
    int sizes[MAX_ENTRIES];
    for (int i = 0; i < count; ++i)
    {
        if (!ReadBlock(ar, m_directory[i], RECORD_SIZE, remaining) ||
            !ParseField(m_directory[i] + SIZE_OFFSET, sizes[i]))
        {
            memset(m_directory, 0, sizeof(m_directory));
            return FALSE;
        }
    }

    for (int i = 0; i < count; ++i)
    {
        bool ok = static_cast<ULONGLONG>(sizes[i]) <= remaining;
        if (ok)
        {
            BYTE* data = m_data[i].Allocate(sizes[i], TRUE);
            if (data == nullptr)
            {
                ReportOutOfMemory();
                ok = false;
            }
            else
            {
                ok = ar.Read(data, static_cast<UINT>(sizes[i])) == static_cast<UINT>(sizes[i]);
                remaining -= static_cast<ULONGLONG>(sizes[i]);
            }
        }
        if (!ok)
        {
            m_data[i].Free();
            for (int j = i; j < count; ++j)
                memset(m_directory[j], 0, RECORD_SIZE);
            return FALSE;
        }
        m_nCount = i + 1;
    }
    return TRUE;
}

void CProjectPack::ReportOutOfMemory()
{
    AfxCoreMessageBox("Out of Memory", nullptr, MB_OK);
}
