// CUXCrc32: the standard CRC-32 (reflected polynomial 0xEDB88320, register inverted before and after each
// run, as zip and PNG use it). Stored tool-bar layouts and the list of the user's own bars carry one, so
// that a damaged or outdated value is recognised and ignored.
#pragma once

#include "framework/core/wintypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CUXCrc32
{
public:
    CUXCrc32() { InitTable(); }

    // Fills the table and sets the running value to 0.
    void InitTable();
    // Runs the bytes through the running value; no bytes leave it as it is.
    void Update(const void* data, size_t length);
    uint32_t GetValue() const { return m_value; }
    // Callers start each checksum from 0.
    void Reset() { m_value = 0; }

    // The checksum of one block.
    static uint32_t Compute(const void* data, size_t length);
    // A stored value: the checksum of the bytes (4 bytes, little-endian), then the bytes.
    static std::vector<uint8_t> Seal(const void* data, size_t length);
    // Whether a stored value is at least 4 bytes long and its first 4 bytes are the checksum of the rest.
    static BOOL IsSealed(const void* data, size_t length);

private:
    uint32_t m_table[256];
    uint32_t m_value = 0;
};
