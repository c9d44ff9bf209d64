// Test helper: files and folders of the tests, and the build's paths as Wine sees them.
#pragma once

#include "framework/win/Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

BOOL WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes);
// The file's bytes; empty when it cannot be read.
std::vector<BYTE> ReadFileBytes(const std::string& path);

// The Windows temporary folder, ending in a backslash.
std::string TempFolderPath();
// A fresh folder below the Windows temporary folder; empty when none could be made.
std::string MakeTempFolder(const char* prefix);
// Removes the folder with everything in it (read-only files too).
void RemoveFolder(const std::string& folder);

// A fresh folder below the Windows temporary folder, removed with everything in it by the destructor.
class CTempFolder
{
public:
    explicit CTempFolder(const char* prefix) : m_path(MakeTempFolder(prefix)) {}
    ~CTempFolder() { RemoveFolder(m_path); }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// A Unix path as seen from Wine (Z: drive); Windows paths pass unchanged.
std::string ToWindowsPath(const std::string& path);
// The build folder as a Windows path: the one the environment names, else the one that holds this test program
// (build\tests\<area>\test_<area>.exe).
std::string BinaryDir();
// Passes when the build made the file (a program, the help file). Building a test program builds every program
// its tests start, so a missing one is a fault of the run, never a reason to skip.
::testing::AssertionResult IsBuilt(const std::string& path);
