#include <gtest/gtest.h>

#include "framework/core/Core.h"

#include <vector>

namespace
{

// A path and the two parts a split makes of it.
struct Split
{
    const char* path;
    const char* first;
    const char* second;
};

void ExpectSplits(const std::vector<Split>& cases, CString (*first)(const char*), CString (*second)(const char*))
{
    for (const Split& c : cases)
    {
        SCOPED_TRACE(c.path ? c.path : "(null)");
        EXPECT_STREQ(first(c.path), c.first);
        EXPECT_STREQ(second(c.path), c.second);
    }
}

}   // namespace

TEST(PathSplit, FolderAndFileNameAtTheLastBackslash)
{
    ExpectSplits(
        {
            {"C:\\Shows\\Demo\\VEXUL.VXL", "C:\\Shows\\Demo", "VEXUL.VXL"},
            {"VEXUL.VXL", "", "VEXUL.VXL"},     // no backslash
            {"C:\\Shows\\", "C:\\Shows", ""},   // trailing backslash
            {"C:\\", "C:", ""},                 // drive root
            {"C:demo.vxl", "", "C:demo.vxl"},
            {"\\\\server\\share", "\\\\server", "share"},   // network share
            {"\\demo.vxl", "", "demo.vxl"},
            {"", "", ""},
            {nullptr, "", ""},
            {"C:\\my.pics\\slide", "C:\\my.pics", "slide"},
        },
        Path::FolderOf, Path::FileNameOf);
}

TEST(PathSplit, ExtensionOnlyFromTheFileName)
{
    ExpectSplits(
        {
            {"C:\\Shows\\demo.vxl", ".vxl", "C:\\Shows\\demo"},
            {"pack.VXL.bak", ".bak", "pack.VXL"},                 // the last dot counts
            {"C:\\my.pics\\slide", "", "C:\\my.pics\\slide"},     // a dot in a folder only
            {"C:\\Shows\\.profile", "", "C:\\Shows\\.profile"},   // a leading dot starts no extension
            {".profile", "", ".profile"},
            {"C:\\Shows\\name.", ".", "C:\\Shows\\name"},
            {"C:\\Shows\\", "", "C:\\Shows\\"},
            {"", "", ""},
            {nullptr, "", ""},
        },
        Path::ExtensionOf, Path::WithoutExtension);
}

TEST(PathJoin, OneBackslashBetween)
{
    EXPECT_STREQ(Path::Join("C:\\Shows", "demo.vxl"), "C:\\Shows\\demo.vxl");
    EXPECT_STREQ(Path::Join("C:\\Shows\\", "demo.vxl"), "C:\\Shows\\demo.vxl");
    EXPECT_STREQ(Path::Join("C:\\", "demo.vxl"), "C:\\demo.vxl");
    EXPECT_STREQ(Path::Join("\\\\server\\share", "pics\\a.bmp"), "\\\\server\\share\\pics\\a.bmp");
    EXPECT_STREQ(Path::Join("", "demo.vxl"), "demo.vxl");
    EXPECT_STREQ(Path::Join(nullptr, "demo.vxl"), "demo.vxl");
    EXPECT_STREQ(Path::Join("C:\\Shows", ""), "C:\\Shows\\");
    EXPECT_STREQ(Path::Join("C:\\Shows", nullptr), "C:\\Shows\\");
    // Split and joined again, a path comes back whole.
    const char* path = "C:\\my.pics\\slide.bmp";
    EXPECT_STREQ(Path::Join(Path::FolderOf(path), Path::FileNameOf(path)), path);
}

TEST(PathJoin, TrailingBackslashes)
{
    ExpectSplits(
        {
            {"C:\\Shows", "C:\\Shows\\", "C:\\Shows"},
            {"C:\\Shows\\\\", "C:\\Shows\\\\", "C:\\Shows"},
            {"C:\\", "C:\\", "C:\\"},   // a drive's root keeps its backslash
            {"C:", "C:\\", "C:"},
            {"\\", "\\", "\\"},
            {"\\\\server\\share\\", "\\\\server\\share\\", "\\\\server\\share"},
            {"", "", ""},
            {nullptr, "", ""},
        },
        Path::WithTrailingBackslash, Path::WithoutTrailingBackslash);
}

TEST(PathJoin, RelativeToAFolder)
{
    EXPECT_STREQ("run.exe", Path::RelativeTo("C:\\Shows\\Demo\\run.exe", "C:\\Shows\\Demo"));
    EXPECT_STREQ("RUN.EXE", Path::RelativeTo("c:\\shows\\DEMO\\RUN.EXE", "C:\\Shows\\Demo"));
    EXPECT_STREQ("sub\\run.exe", Path::RelativeTo("C:\\Shows\\Demo\\sub\\run.exe", "C:\\Shows\\Demo\\"));
    EXPECT_STREQ("a.exe", Path::RelativeTo("C:\\a.exe", "C:\\"));
    EXPECT_STREQ("D:\\Tools\\run.exe", Path::RelativeTo("D:\\Tools\\run.exe", "C:\\Shows\\Demo"));
    EXPECT_STREQ("C:\\Shows\\Demo2\\run.exe", Path::RelativeTo("C:\\Shows\\Demo2\\run.exe", "C:\\Shows\\Demo"));
    EXPECT_STREQ("run.exe", Path::RelativeTo("run.exe", ""));
    EXPECT_STREQ("C:\\Shows\\Demo", Path::RelativeTo("C:\\Shows\\Demo", "C:\\Shows\\Demo"));
}

TEST(PathKind, FullAndRelative)
{
    struct Case
    {
        const char* path;
        bool full;
        bool relative;
    };
    const Case cases[] = {
        {"C:\\Shows\\demo.vxl", true, false},
        {"C:demo.vxl", true, false},
        {"\\\\server\\share", true, false},
        {"\\Shows\\demo.vxl", false, false},   // from the current drive's root
        {"Shows\\demo.vxl", false, true},
        {"demo.vxl", false, true},
        {"\\", false, false},
        {"C", false, true},
        {"", false, true},
        {nullptr, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.path ? c.path : "(null)");
        EXPECT_EQ(Path::IsFull(c.path), c.full);
        EXPECT_EQ(Path::IsRelative(c.path), c.relative);
    }
}
