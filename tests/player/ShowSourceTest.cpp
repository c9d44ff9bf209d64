// Where the player's show comes from: its own resource, a pack file, or VEXUL.VXL beside it or in the
// current folder.
#include "PlayerTestSupport.h"
#include "player/ShowSource.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace
{

// A copy of the player program with a FILE_1 resource of the given bytes, loaded as a data module.
class CCompiledCopy
{
public:
    explicit CCompiledCopy(const Bytes& resource)
    {
        m_folder = MakeTempFolder("vxsrc");
        m_path = m_folder + "\\compiled.exe";
        std::string player = PlayerExePath();
        if (player.empty() || !CopyFileA(player.c_str(), m_path.c_str(), FALSE))
            return;
        HANDLE update = BeginUpdateResourceA(m_path.c_str(), FALSE);
        if (!update)
            return;
        BOOL ok = UpdateResourceA(update, "PROJECTFILE", "FILE_1", 0, const_cast<BYTE*>(resource.data()),
                                  static_cast<DWORD>(resource.size()));
        if (!EndUpdateResourceA(update, !ok) || !ok)
            return;
        m_module = LoadLibraryExA(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~CCompiledCopy()
    {
        if (m_module)
            FreeLibrary(m_module);
        RemoveFolder(m_folder);
    }
    HMODULE Module() const { return m_module; }

private:
    std::string m_folder;
    std::string m_path;
    HMODULE m_module = nullptr;
};

Bytes SmallPack(const char* title)
{
    ShowSpec show;
    show.title = title;
    return MakeColourShowPack(show, {RGB(10, 20, 30)});
}

}   // namespace

TEST(ShowSource, PackFileIsReadWhole)
{
    std::string folder = MakeTempFolder("vxsrc");
    std::string path = folder + "\\show one.vxl";
    ASSERT_TRUE(WriteFileBytes(path, SmallPack("From file")));
    CPlayerPack pack;
    EXPECT_TRUE(pack.Load(path.c_str()));
    EXPECT_FALSE(pack.IsFromResource());
    EXPECT_EQ(2, pack.GetEntryCount());
    EXPECT_GE(pack.FindEntry("vexul.ini"), 0);
    RemoveFolder(folder);
}

TEST(ShowSource, MissingOrDamagedPackFails)
{
    std::string folder = MakeTempFolder("vxsrc");
    CPlayerPack pack;
    EXPECT_FALSE(pack.Load((folder + "\\none.vxl").c_str()));
    EXPECT_FALSE(pack.IsOpen());

    Bytes damaged = SmallPack("Damaged");
    damaged.resize(damaged.size() - 300);   // the last entry is cut short
    std::string path = folder + "\\damaged.vxl";
    ASSERT_TRUE(WriteFileBytes(path, damaged));
    EXPECT_FALSE(pack.Load(path.c_str()));

    Bytes garbage(4000, 'x');
    ASSERT_TRUE(WriteFileBytes(path, garbage));
    EXPECT_FALSE(pack.Load(path.c_str()));
    RemoveFolder(folder);
}

TEST(ShowSource, DefaultPathPrefersProgramFolder)
{
    std::string program = MakeTempFolder("vxprog");
    std::string current = MakeTempFolder("vxcur");
    EXPECT_STREQ((current + "\\VEXUL.VXL").c_str(), ChooseDefaultShowPath(program.c_str(), current.c_str()));
    EXPECT_STREQ((current + "\\VEXUL.VXL").c_str(),
                 ChooseDefaultShowPath(program.c_str(), (current + "\\").c_str()));
    ASSERT_TRUE(WriteFileBytes(program + "\\VEXUL.VXL", SmallPack("Beside")));
    EXPECT_STREQ((program + "\\VEXUL.VXL").c_str(), ChooseDefaultShowPath(program.c_str(), current.c_str()));
    RemoveFolder(program);
    RemoveFolder(current);
}

TEST(ShowSource, ResourceSizesThePlayerAccepts)
{
    EXPECT_FALSE(CPlayerPack::IsUsableResourceSize(0));
    EXPECT_FALSE(CPlayerPack::IsUsableResourceSize(256));
    EXPECT_TRUE(CPlayerPack::IsUsableResourceSize(257));
    EXPECT_TRUE(CPlayerPack::IsUsableResourceSize(0x1E00000));
    EXPECT_FALSE(CPlayerPack::IsUsableResourceSize(0x1E00001));
}

TEST(ShowSource, OwnResourceWinsOverThePath)
{
    ASSERT_TRUE(IsBuilt(PlayerExePath()));
    CCompiledCopy copy(SmallPack("Compiled"));
    ASSERT_NE(nullptr, copy.Module());
    std::string folder = MakeTempFolder("vxsrc");
    std::string other = folder + "\\other.vxl";
    ASSERT_TRUE(WriteFileBytes(other, MakeColourShowPack(ShowSpec(), {RGB(1, 1, 1), RGB(2, 2, 2)})));

    CPlayerPack pack;
    pack.SetResourceModule(copy.Module());
    ASSERT_TRUE(pack.Load(other.c_str()));
    EXPECT_TRUE(pack.IsFromResource());
    EXPECT_EQ(2, pack.GetEntryCount());   // the resource's pack, not the file's three entries
    int size = 0;
    BYTE* text = pack.GetEntryData("VEXUL.INI", size);
    ASSERT_NE(nullptr, text);
    EXPECT_NE(nullptr, strstr(reinterpret_cast<char*>(text), "TITLE=Compiled"));

    // Asked for the file first (the editor's test run), the named pack plays; without a path, the own show.
    pack.Clear();
    pack.SetFileFirst(TRUE);
    ASSERT_TRUE(pack.Load(other.c_str()));
    EXPECT_FALSE(pack.IsFromResource());
    EXPECT_EQ(3, pack.GetEntryCount());
    pack.Clear();
    ASSERT_TRUE(pack.Load(""));
    EXPECT_TRUE(pack.IsFromResource());
    RemoveFolder(folder);
}

TEST(ShowSource, SmallResourceIsIgnored)
{
    ASSERT_TRUE(IsBuilt(PlayerExePath()));
    std::string folder = MakeTempFolder("vxsrc");
    std::string path = folder + "\\VEXUL.VXL";
    ASSERT_TRUE(WriteFileBytes(path, SmallPack("File")));
    {
        CCompiledCopy copy(Bytes(256, 'r'));
        ASSERT_NE(nullptr, copy.Module());
        CPlayerPack pack;
        pack.SetResourceModule(copy.Module());
        EXPECT_TRUE(pack.Load(path.c_str()));
        EXPECT_FALSE(pack.IsFromResource());
    }
    {
        CCompiledCopy copy(Bytes(257, 'r'));
        ASSERT_NE(nullptr, copy.Module());
        CPlayerPack pack;
        pack.SetResourceModule(copy.Module());
        EXPECT_TRUE(pack.OpenSource(path.c_str()));
        EXPECT_TRUE(pack.IsFromResource());
        pack.CloseSource();
    }
    RemoveFolder(folder);
}

TEST(ShowSource, LargestPackTheCompilerAcceptsAlsoPlays)
{
    ASSERT_TRUE(IsBuilt(PlayerExePath()));
    CCompiledCopy copy(Bytes(0x1E00000, 'r'));
    ASSERT_NE(nullptr, copy.Module());
    CPlayerPack pack;
    pack.SetResourceModule(copy.Module());
    EXPECT_TRUE(pack.OpenSource("nothing.vxl"));
    EXPECT_TRUE(pack.IsFromResource());
    pack.CloseSource();
}
