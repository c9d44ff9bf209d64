// Damaged packs and show texts, made by a seeded generator: reading them must never crash nor touch
// memory outside its blocks (the host build runs this under AddressSanitizer and UBSan).
#include "show/BmpLayout.h"
#include "show/EffectNames.h"
#include "show/MemBuffer.h"
#include "show/ProjectPack.h"
#include "show/SettingsFile.h"
#include "show/ShowText.h"

#include "ShowDataTestUtil.h"
#include "support/BmpFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

using namespace showdata_test;

namespace
{

// splitmix64: the same numbers on every platform.
class Rng
{
public:
    explicit Rng(uint64_t seed) : m_state(seed) {}
    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }

private:
    uint64_t m_state;
};

const char kShowText[] =
    "\r\n\r\n[SHOW]\r\nINTERNET-1=http://www.vexul.example\r\nVERSION=020401\r\n"
    "\r\n[WINDOW]\r\nWIDTH=640\r\nHEIGHT=480\r\nTITLE=Demo\r\n"
    "\r\n[BACKGROUND]\r\nCOLOR=#3a6ea5\r\n"
    "\r\n[SHEET00]\r\nIMAGE-FILE=back.jpg\r\nFADE_IN=COVER-FROM-LEFT\r\nFADE_OUT=NONE\r\nDELAY=3000\r\n"
    "OBJ00=TEXT00\r\nTEXT00_X=10\r\nTEXT00_TEXT=Hello\r\nTEXT00_COLOR=#ff0000\r\nTEXT00_ANIMATION=TYPEWRITER\r\n"
    "OBJ01=IMAGE01\r\nIMAGE01_FILE=pic.bmp\r\nIMAGE01_TRANSPCOLOR=#FFFFFF\r\n"
    "OBJ02=FRAME02\r\nFRAME02_FILLCOLOR=#00ff00\r\nFRAME02_ANIMATION=FROM_LEFT\r\n"
    "\r\n[AUTOSTART]\r\nENABLE=0\r\nFILE=\r\n\r\n  ";

std::string RandomBytes(Rng& rng, int length)
{
    std::string s(static_cast<size_t>(length), '\0');
    for (char& c : s)
        c = static_cast<char>(rng.Next());
    return s;
}

Bytes SeedPack(Rng& rng)
{
    std::vector<PackEntry> entries;
    entries.push_back({ShowText::ENTRY_NAME, Padded(kShowText)});
    int extra = rng.Below(5);
    for (int i = 0; i < extra; ++i)
        entries.push_back({"pic" + std::to_string(i) + ".bmp", Padded(RandomBytes(rng, rng.Below(700)))});
    return BuildPack(entries);
}

void Damage(Rng& rng, Bytes& image)
{
    int edits = 1 + rng.Below(4);
    for (int e = 0; e < edits; ++e)
    {
        size_t size = image.size();
        switch (rng.Below(8))
        {
        case 0:   // any byte
            if (size > 0)
                image[static_cast<size_t>(rng.Below(static_cast<int>(size)))] =
                    static_cast<unsigned char>(rng.Next());
            break;
        case 1:   // a byte of the header, count block or first records
            if (size > 0)
                image[static_cast<size_t>(rng.Below(static_cast<int>(size < 300 ? size : 300)))] =
                    static_cast<unsigned char>(rng.OneIn(2) ? '0' + rng.Below(10) : rng.Next());
            break;
        case 2:
        {   // a length, count or size field gets other digits
            const size_t fields[] = {0, 32, 40, 48, 88, 96, 136, 144, 184};
            size_t at = fields[rng.Below(9)];
            if (at + 8 <= size)
            {
                std::string digits =
                    Digits8(rng.OneIn(2) ? rng.Below(600) : static_cast<long>(rng.Next() % 100000000));
                memcpy(&image[at], digits.data(), 8);
            }
            break;
        }
        case 3:   // truncated
            image.resize(static_cast<size_t>(rng.Below(static_cast<int>(size) + 1)));
            break;
        case 4:
        {   // bytes inserted
            size_t at = static_cast<size_t>(rng.Below(static_cast<int>(size) + 1));
            std::string bytes = RandomBytes(rng, 1 + rng.Below(40));
            image.insert(image.begin() + static_cast<long>(at), bytes.begin(), bytes.end());
            break;
        }
        case 5:
        {   // bytes removed
            if (size == 0)
                break;
            size_t at = static_cast<size_t>(rng.Below(static_cast<int>(size)));
            size_t count = static_cast<size_t>(1 + rng.Below(40));
            if (count > size - at)
                count = size - at;
            image.erase(image.begin() + static_cast<long>(at), image.begin() + static_cast<long>(at + count));
            break;
        }
        case 6:
        {   // garbage appended
            std::string bytes = RandomBytes(rng, rng.Below(600));
            image.insert(image.end(), bytes.begin(), bytes.end());
            break;
        }
        default:   // a name field without terminator
            if (size >= 48 + 40)
                memset(&image[48 + 16], 'N', 24);
            break;
        }
    }
}

const char* const kSections[] = {"SHOW",      "WINDOW", "BACKGROUND", "SHEET00", "SHEET05",
                                 "AUTOSTART", "",       "[",          "]",       "SHEET00]\r\n"};
const char* const kKeys[] = {"VERSION", "WIDTH", "COLOR", "DELAY", "TEXT00_TEXT", "OBJ00", "IMAGE01_TRANSPCOLOR",
                             "FILE",    "",      "=",     "X",     "\r\n"};

// Reads a random choice of values from a settings text, as the show reader would.
void ReadSomeValues(Rng& rng, CSettingsFile& file)
{
    const int sections = static_cast<int>(sizeof(kSections) / sizeof(kSections[0]));
    const int keys = static_cast<int>(sizeof(kKeys) / sizeof(kKeys[0]));
    for (int lookup = 0; lookup < 24; ++lookup)
    {
        const char* section = kSections[rng.Below(sections)];
        const char* key = kKeys[rng.Below(keys)];
        CString s = file.ReadString(section, key, "default");
        EXPECT_LT(s.GetLength(), CSettingsFile::VALUE_BUFFER_SIZE);
        file.ReadInt(section, key, rng.Below(100));
        file.ReadColor(section, key, RGB(1, 2, 3));
        HtmlToColor(s);
        HexToColor(s);
        int number = 0;
        ShowText::ParseObjectValue(s, number);
    }
    char small[3];
    CProfileStore& store = file.GetStore();
    for (int size = 0; size <= 3; ++size)
        store.GetString("SHEET00", "TEXT00_TEXT", "abcdef", size > 0 ? small : nullptr, size);
}

}   // namespace

TEST(DamagedData, Packs)
{
    CMessageBoxRecorder boxes;
    Rng rng(20041202);
    int readWhole = 0;
    for (int round = 0; round < 3000; ++round)
    {
        Bytes image = SeedPack(rng);
        Damage(rng, image);

        // An exact-size copy: reading one byte too far is caught by the sanitizers.
        std::unique_ptr<BYTE[]> exact(new BYTE[image.size() + 1]);
        if (!image.empty())
            memcpy(exact.get(), image.data(), image.size());
        CMemFile file(exact.get(), static_cast<UINT>(image.size()));
        CArchive ar(&file, CArchive::load);
        std::unique_ptr<CProjectPack> pack(new CProjectPack);
        BOOL whole = pack->Read(ar);
        readWhole += whole ? 1 : 0;

        int count = pack->GetEntryCount();
        ASSERT_GE(count, 0);
        ASSERT_LE(count, 500);
        if (whole)
        {
            EXPECT_GE(count, 1);
        }
        for (int i = -1; i <= count; ++i)
        {
            CString name;
            if (!pack->GetEntryName(i, name))
                continue;
            EXPECT_LE(name.GetLength(), 24);
            int size = -1;
            BYTE* data = pack->GetEntryData(name, size);
            ASSERT_NE(nullptr, data);
            ASSERT_GE(size, 0);
            if (size > 0)
            {
                EXPECT_LE(static_cast<size_t>(size), image.size());
            }
            CSettingsFile text;
            text.OpenMemoryText(ShowText::ENTRY_NAME, FALSE, data, size);
            if (rng.OneIn(4))
                ReadSomeValues(rng, text);
        }
        pack->RemoveEntry(ShowText::ENTRY_NAME);
        pack->AddData("extra.bin", "abc", 3);
    }
    // The damage leaves some packs whole (edits in the data only), most not.
    EXPECT_GT(readWhole, 0);
    EXPECT_LT(readWhole, 3000);
    EXPECT_EQ(0u, boxes.Count());
}

TEST(DamagedData, ShowTexts)
{
    Rng rng(19991231);
    const std::string seed(kShowText);
    const char alphabet[] = "[]=\r\n#0123456789ABCDEFabcdef SHEETOBJ_\xE4\xDF\xFF";
    for (int round = 0; round < 3000; ++round)
    {
        std::string text;
        if (rng.OneIn(3))
        {
            int length = rng.Below(400);
            for (int i = 0; i < length; ++i)
                text += rng.OneIn(30) ? '\0' : alphabet[rng.Below(static_cast<int>(sizeof(alphabet)) - 1)];
        }
        else
        {
            text = seed;
            int edits = 1 + rng.Below(6);
            for (int e = 0; e < edits && !text.empty(); ++e)
            {
                size_t at = static_cast<size_t>(rng.Below(static_cast<int>(text.size())));
                switch (rng.Below(3))
                {
                case 0: text[at] = alphabet[rng.Below(static_cast<int>(sizeof(alphabet)) - 1)]; break;
                case 1: text.erase(at, static_cast<size_t>(1 + rng.Below(20))); break;
                default:
                {
                    int run = 1 + (rng.OneIn(20) ? rng.Below(3000) : rng.Below(30));   // now and then a long value
                    text.insert(at, std::string(static_cast<size_t>(run), alphabet[rng.Below(5)]));
                    break;
                }
                }
            }
        }

        // Exactly the text's bytes, no terminator: the reader must stop at the block's end.
        std::unique_ptr<char[]> block(new char[text.size() + 1]);
        memcpy(block.get(), text.data(), text.size());
        int size = static_cast<int>(text.size());
        if (rng.OneIn(10))
            size = -rng.Below(5);
        CSettingsFile file;
        const char* data = size > 0 || rng.OneIn(2) ? block.get() : nullptr;
        file.OpenMemoryText(ShowText::ENTRY_NAME, FALSE, data, size);
        ReadSomeValues(rng, file);

        CEffectNames effects;
        CTextAnimNames textAnim;
        CFillAnimNames fill;
        CString key = file.ReadString("SHEET00", "FADE_IN", "NONE");
        effects.SelectByText('I', key);
        textAnim.SelectByText('I', key);
        fill.SelectByKey(key);
        CString name;
        effects.GetText('E', name);
        EXPECT_FALSE(name.IsEmpty());
    }
}

TEST(DamagedData, BmpHeaders)
{
    const std::vector<BYTE> bmp = MakeSolidBmp(5, 3, RGB(1, 2, 3));   // rows of 16 bytes
    BmpLayout layout;
    ASSERT_TRUE(ParseBmpLayout(bmp.data(), bmp.size(), layout));
    EXPECT_EQ(54u, layout.bitsOffset);
    EXPECT_EQ(5, layout.width);
    EXPECT_EQ(3, layout.height);
    EXPECT_FALSE(ParseBmpLayout(bmp.data(), bmp.size() - 1, layout));   // the last row cut short
    // Damaged headers: whatever is taken, its rows lie within the data.
    Rng rng(20050305);
    for (int round = 0; round < 3000; ++round)
    {
        std::vector<BYTE> damaged = bmp;
        for (int e = 1 + rng.Below(4); e > 0; --e)
            damaged[static_cast<size_t>(rng.Below(54))] = static_cast<BYTE>(rng.OneIn(3) ? 0xFF : rng.Below(256));
        damaged.resize(damaged.size() - static_cast<size_t>(rng.OneIn(4) ? rng.Below(60) : 0));
        if (!ParseBmpLayout(damaged.data(), damaged.size(), layout))
            continue;
        const size_t bitCount = damaged[28] | (damaged[29] << 8);
        const size_t stride = (static_cast<size_t>(layout.width) * bitCount + 31) / 32 * 4;
        EXPECT_LE(layout.bitsOffset + stride * static_cast<size_t>(layout.height), damaged.size()) << round;
    }
}

TEST(DamagedData, NameTablesWithRandomSelections)
{
    Rng rng(7);
    CEffectNames effects;
    CInsertAnimNames insert;
    for (int round = 0; round < 1000; ++round)
    {
        effects.m_nSelected = static_cast<int>(rng.Next() % 64) - 32;
        insert.m_nSelected = static_cast<int>(rng.Next() % 64) - 32;
        CString text;
        effects.GetText("IGEX"[rng.Below(4)], text);
        insert.GetText(text);
        insert.GetKey(text);
        effects.ResetIterator('E');
        for (int i = 0; i < 30; ++i)
            effects.NextCoverEffect(text);
        EXPECT_TRUE(text.IsEmpty());
    }
}
