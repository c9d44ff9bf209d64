#include "uilib/core/base/Crc32.h"

#include <cstring>

void CUXCrc32::InitTable()
{
    for (uint32_t i = 0; i < 256; ++i)
    {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        m_table[i] = value;
    }
    m_value = 0;
}

void CUXCrc32::Update(const void* data, size_t length)
{
    if (length == 0)
        return;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    uint32_t value = ~m_value;
    for (size_t i = 0; i < length; ++i)
        value = (value >> 8) ^ m_table[(value ^ bytes[i]) & 0xFF];
    m_value = ~value;
}

uint32_t CUXCrc32::Compute(const void* data, size_t length)
{
    CUXCrc32 crc;
    crc.Update(data, length);
    return crc.GetValue();
}

std::vector<uint8_t> CUXCrc32::Seal(const void* data, size_t length)
{
    std::vector<uint8_t> value(4 + length);
    if (length != 0)
        std::memcpy(value.data() + 4, data, length);
    uint32_t crc = Compute(data, length);
    for (int i = 0; i < 4; ++i)
        value[static_cast<size_t>(i)] = static_cast<uint8_t>(crc >> (8 * i));
    return value;
}

BOOL CUXCrc32::IsSealed(const void* data, size_t length)
{
    if (data == nullptr || length < 4)
        return FALSE;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    uint32_t stored = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return stored == Compute(bytes + 4, length - 4);
}
