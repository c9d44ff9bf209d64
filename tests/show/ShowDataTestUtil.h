// Helpers of the show-data tests: pack images built byte by byte, and temporary files.
#pragma once

#include "framework/core/Core.h"

#include "core/TempFolder.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace showdata_test
{

typedef std::vector<unsigned char> Bytes;

inline void AppendText(Bytes& out, const std::string& text)
{
    size_t at = out.size();
    out.resize(at + text.size());
    if (!text.empty())
        memcpy(&out[at], text.data(), text.size());
}

inline std::string Digits8(long value)
{
    char text[32];
    snprintf(text, sizeof(text), "%08ld", value);
    return text;
}

struct PackEntry
{
    std::string name;
    Bytes data;   // the stored bytes, padding included
};

// Stored bytes of data: padded with zeros to (length / 256 + 1) * 256.
inline Bytes Padded(const std::string& data)
{
    Bytes out(data.begin(), data.end());
    out.resize((data.size() / 256 + 1) * 256, 0);
    return out;
}

// A pack image laid out by hand, independent of the writer.
inline Bytes BuildPack(const std::vector<PackEntry>& entries, const std::string& creator = "010203  ")
{
    Bytes out;
    AppendText(out, "00000032");
    AppendText(out, "00      VEXUL___");
    AppendText(out, (creator + "        ").substr(0, 8));
    AppendText(out, "00000016");
    AppendText(out, Digits8(static_cast<long>(entries.size())));
    for (const PackEntry& e : entries)
    {
        AppendText(out, "00000048");
        out.insert(out.end(), 8, 0);
        std::string name = e.name.substr(0, 24);
        AppendText(out, name);
        out.insert(out.end(), 24 - name.size(), 0);
        AppendText(out, Digits8(static_cast<long>(e.data.size())));
    }
    for (const PackEntry& e : entries)
        out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

using ::TempFolder;

inline bool WriteFileBytes(const std::string& path, const Bytes& data)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = data.empty() || fwrite(data.data(), 1, data.size(), f) == data.size();
    return fclose(f) == 0 && ok;
}

inline Bytes ReadFileBytes(const std::string& path)
{
    Bytes data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return data;
    unsigned char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        data.insert(data.end(), buffer, buffer + n);
    fclose(f);
    return data;
}

}   // namespace showdata_test
