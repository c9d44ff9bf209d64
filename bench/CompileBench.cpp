// compile_bench: what compiling a 30 MB project costs compared with writing the same bytes as a resource
// with a bare BeginUpdateResourceA / UpdateResourceA / EndUpdateResourceA round.
//
//   compile_bench [--repeat n]    prints the medians; exit code 0 when the compile is within its target
//
// The compile is the editor's own (CShowCompiler::Compile): it reads the pack file, copies the plain player
// over the project's copy and writes the pack into it. The bare round starts from a copy of the player made
// beforehand and has the bytes in memory already. Both run repeat + 2 times, alternating, warm cache.
#include "bench/BenchClock.h"
#include "editor/FileHelpers.h"
#include "editor/ProjectSettings.h"
#include "editor/ShowCompiler.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const double kTargetRatio = 3.0;
const size_t kPackBytes = 30 * 1000 * 1000;

// The player in the build's application folder, beside this program's folder.
std::string PlainPlayer()
{
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    CString folder;
    GetFolderOfPath(path, folder);
    CString build;
    GetFolderOfPath(folder, build);
    return std::string(build.GetString()) + "\\app\\Vexul.exe";
}

}   // namespace

int main(int argc, char** argv)
{
    const int repeat = RepeatArgument(argc, argv, 3);

    std::string plain = PlainPlayer();
    if (!FileExists(plain.c_str()))
    {
        std::printf("the player %s is not built\n", plain.c_str());
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string folder = std::string(temp) + "vxcompilebench";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string pack = folder + "\\VEXUL.VXL";
    std::string player = folder + "\\VEXUL.EXE";
    std::string bare = folder + "\\BARE.EXE";

    std::vector<BYTE> bytes(kPackBytes);
    unsigned seed = 12345;
    for (BYTE& b : bytes)
    {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<BYTE>(seed >> 16);
    }
    {
        CFile file(pack.c_str(), CFile::modeCreate | CFile::modeWrite);
        if (!file.IsOpen() || !file.Write(bytes.data(), static_cast<UINT>(bytes.size())))
        {
            std::printf("cannot write %s\n", pack.c_str());
            return 2;
        }
    }
    CopyFileA(plain.c_str(), player.c_str(), FALSE);

    CProjectSettings settings;
    std::vector<double> compileMs, bareMs;
    for (int i = 0; i < repeat + 2; ++i)
    {
        CShowCompiler compiler;
        compiler.SetPlainPlayerPath(plain.c_str());
        double start = NowMs();
        BOOL ok = compiler.Compile(player.c_str(), folder.c_str(), pack.c_str(), settings);
        compileMs.push_back(NowMs() - start);
        if (!ok)
        {
            std::printf("compile failed: %s\n", compiler.GetMessage().GetString());
            return 2;
        }

        CopyFileA(plain.c_str(), bare.c_str(), FALSE);
        start = NowMs();
        HANDLE update = BeginUpdateResourceA(bare.c_str(), FALSE);
        ok = update &&
             UpdateResourceA(update, "PROJECTFILE", "FILE_1", 0, bytes.data(), static_cast<DWORD>(bytes.size()));
        ok = update && EndUpdateResourceA(update, !ok) && ok;
        bareMs.push_back(NowMs() - start);
        if (!ok)
        {
            std::printf("bare resource update failed\n");
            return 2;
        }
    }
    DeleteFileA(pack.c_str());
    DeleteFileA(player.c_str());
    DeleteFileA(bare.c_str());
    RemoveDirectoryA(folder.c_str());

    double compile = Median(compileMs), round = Median(bareMs);
    double ratio = compile / round;
    std::printf("compile of a %zu-byte project: median %.1f ms (%d runs)\n", bytes.size(), compile, repeat + 2);
    std::printf("bare resource update round:    median %.1f ms\n", round);
    std::printf("ratio %.2f (target at most %.1f): %s\n", ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "OVER");
    return ratio <= kTargetRatio ? 0 : 1;
}
