// Splitting GIF data into frames, playing it through CAniPicture, and the player's image-object loader.
#include "PlayerTestSupport.h"
#include "show/GifFrames.h"
#include "show/AniPicture.h"
#include "show/ImageObj.h"
#include "show/Picture.h"
#include "show/ProjectPack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace playertest;

namespace
{

const std::vector<COLORREF> kPalette = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};

Bytes TwoFrameGif()
{
    return MakeGif(8, 6, kPalette, {{0, 0, 8, 6, 0, 25, 1}, {2, 1, 4, 3, 2, 7, 2}});
}

COLORREF RenderedCentre(IPicture* picture, int width, int height)
{
    DibSurface surface(width, height);
    surface.dc.FillSolidRect(0, 0, width, height, RGB(1, 2, 3));
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    picture->Render(surface.dc.GetSafeHdc(), 0, 0, width, height, 0, h, w, -h, nullptr);
    return surface.At(width / 2, height / 2);
}

}   // namespace

TEST(GifFrames, CountsFramesToTheTrailer)
{
    Bytes one = MakeGif(4, 4, kPalette, {{0, 0, 4, 4, 1, 10, 0}});
    Bytes two = TwoFrameGif();
    EXPECT_EQ(1, CountGifFrames(one.data(), one.size()));
    EXPECT_EQ(2, CountGifFrames(two.data(), two.size()));
}

TEST(GifFrames, HeaderFieldsAndBackground)
{
    Bytes gif = TwoFrameGif();
    GifInfo info = ReadGifInfo(gif.data(), gif.size());
    EXPECT_TRUE(info.isGif);
    EXPECT_TRUE(info.headerComplete);
    EXPECT_EQ(8, info.width);
    EXPECT_EQ(6, info.height);
    EXPECT_EQ(13u + 12u, info.firstBlock);
    EXPECT_TRUE(info.hasBackground);
    EXPECT_EQ(RGB(255, 0, 0), info.background);
}

TEST(GifFrames, EachFrameBecomesAOneFrameGif)
{
    Bytes gif = TwoFrameGif();
    std::vector<GifFrameBlock> frames;
    ASSERT_TRUE(SplitGifFrames(gif.data(), gif.size(), frames));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(25, frames[0].delay);
    EXPECT_EQ(1, frames[0].disposal);
    EXPECT_EQ(7, frames[1].delay);
    EXPECT_EQ(2, frames[1].disposal);
    EXPECT_EQ(2, frames[1].x);
    EXPECT_EQ(1, frames[1].y);
    EXPECT_EQ(4, frames[1].width);
    EXPECT_EQ(3, frames[1].height);
    for (const GifFrameBlock& f : frames)
    {
        // header and global colour table of the original, then the frame, then a trailer
        ASSERT_GT(f.data.size(), 25u);
        EXPECT_TRUE(std::equal(gif.begin(), gif.begin() + 25, f.data.begin()));
        EXPECT_EQ(0x21, f.data[25]);
        EXPECT_EQ(0xF9, f.data[26]);
        EXPECT_EQ(0x3B, f.data.back());
        EXPECT_EQ(1, CountGifFrames(f.data.data(), f.data.size()));
    }
}

TEST(GifFrames, FrameWithoutGraphicControlHasNoDelay)
{
    Bytes gif = MakeGif(4, 4, kPalette, {{0, 0, 4, 4, 0, -1, 0}, {0, 0, 4, 4, 1, 12, 0}});
    std::vector<GifFrameBlock> frames;
    ASSERT_TRUE(SplitGifFrames(gif.data(), gif.size(), frames));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(-1, frames[0].delay);
    EXPECT_EQ(0x2C, frames[0].data[25]);
    EXPECT_EQ(12, frames[1].delay);
}

TEST(GifFrames, AnimatedOnlyWithGifNameAndSeveralFrames)
{
    Bytes two = TwoFrameGif();
    Bytes one = MakeGif(4, 4, kPalette, {{0, 0, 4, 4, 1, 10, 0}});
    EXPECT_TRUE(IsAnimatedGif("spin.gif", two.data(), two.size()));
    EXPECT_TRUE(IsAnimatedGif("C:\\pics\\SPIN.GiF", two.data(), two.size()));
    EXPECT_FALSE(IsAnimatedGif("spin.bmp", two.data(), two.size()));
    EXPECT_FALSE(IsAnimatedGif("gif", two.data(), two.size()));
    EXPECT_FALSE(IsAnimatedGif("still.gif", one.data(), one.size()));
}

TEST(GifFrames, ShortOrDamagedDataIsNotAnimated)
{
    Bytes gif = TwoFrameGif();
    // shorter than header and colour table
    for (size_t n : {0u, 3u, 12u, 13u, 24u})
        EXPECT_FALSE(IsAnimatedGif("a.gif", gif.data(), n)) << n;
    // every truncation walks safely; the count never exceeds the whole
    for (size_t n = 0; n <= gif.size(); ++n)
    {
        int count = CountGifFrames(gif.data(), n);
        EXPECT_LE(count, 2);
        std::vector<GifFrameBlock> frames;
        SplitGifFrames(gif.data(), n, frames);
        EXPECT_EQ(static_cast<size_t>(count), frames.size());
    }
    // an unknown block ends the walk
    Bytes broken = gif;
    broken[25] = 0x99;
    EXPECT_EQ(0, CountGifFrames(broken.data(), broken.size()));
    // not a GIF at all
    Bytes bmp = MakeSolidBmp(4, 4, RGB(1, 2, 3));
    EXPECT_FALSE(ReadGifInfo(bmp.data(), bmp.size()).isGif);
    EXPECT_EQ(0, CountGifFrames(bmp.data(), bmp.size()));
}

TEST(GifFrames, AniPictureLoadsEveryFrame)
{
    Bytes gif = TwoFrameGif();
    CAniPicture picture;
    ASSERT_TRUE(picture.LoadFromMemory(gif.data(), static_cast<DWORD>(gif.size())));
    ASSERT_EQ(2, picture.GetFrameCount());
    EXPECT_TRUE(picture.IsAnimated());
    EXPECT_EQ(8, picture.m_nWidth);
    EXPECT_EQ(6, picture.m_nHeight);
    EXPECT_EQ(25, picture.m_arrFrames[0].nDelay);
    EXPECT_EQ(2, picture.m_arrFrames[1].nX);
    EXPECT_EQ(3, picture.m_arrFrames[1].nHeight);
    ASSERT_NE(nullptr, picture.m_arrFrames[0].pPicture);
    ASSERT_NE(nullptr, picture.m_arrFrames[1].pPicture);
    EXPECT_EQ(RGB(255, 0, 0), RenderedCentre(picture.m_arrFrames[0].pPicture, 8, 6));
    EXPECT_EQ(RGB(0, 0, 255), RenderedCentre(picture.m_arrFrames[1].pPicture, 4, 3));
}

TEST(GifFrames, AniPictureTakesStillPicturesWhole)
{
    Bytes one = MakeGif(5, 3, kPalette, {{0, 0, 5, 3, 1, 10, 0}});
    CAniPicture gif;
    ASSERT_TRUE(gif.LoadFromMemory(one.data(), static_cast<DWORD>(one.size())));
    EXPECT_FALSE(gif.IsAnimated());
    EXPECT_EQ(5, gif.m_nWidth);
    EXPECT_EQ(3, gif.m_nHeight);

    Bytes bmp = MakeSolidBmp(7, 4, RGB(9, 9, 9));
    CAniPicture still;
    ASSERT_TRUE(still.LoadFromMemory(bmp.data(), static_cast<DWORD>(bmp.size())));
    EXPECT_FALSE(still.IsAnimated());
    EXPECT_EQ(7, still.m_nWidth);
    EXPECT_EQ(4, still.m_nHeight);

    Bytes junk(40, 0x5A);
    CAniPicture none;
    EXPECT_FALSE(none.LoadFromMemory(junk.data(), static_cast<DWORD>(junk.size())));
}

TEST(PlayerPictureLoader, AnimatedGifFromThePackPlaysAsAnimation)
{
    Bytes gif = TwoFrameGif();
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("spin.gif", gif.data(), static_cast<int>(gif.size())));
    CImageObj image;
    image.SetDefaults();
    image.m_strFile = "spin.gif";
    image.LoadPicture(&pack);
    EXPECT_TRUE(image.m_bUseAniPicture);
    ASSERT_NE(nullptr, image.m_pAniPicture);
    EXPECT_EQ(2, image.m_pAniPicture->GetFrameCount());
    EXPECT_EQ(8, image.m_nWidth);
    EXPECT_EQ(6, image.m_nHeight);
}

TEST(PlayerPictureLoader, SeveralFramesUnderAnotherNameAreAStill)
{
    Bytes gif = TwoFrameGif();
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("spin.bmp", gif.data(), static_cast<int>(gif.size())));
    CImageObj image;
    image.SetDefaults();
    image.m_strFile = "spin.bmp";
    image.LoadPicture(&pack);
    EXPECT_FALSE(image.m_bUseAniPicture);
    EXPECT_EQ(nullptr, image.m_pAniPicture);
    EXPECT_TRUE(image.m_Picture.IsLoaded());
}

TEST(PlayerPictureLoader, NothingReadLeavesNoPicture)
{
    Bytes bmp = MakeSolidBmp(7, 4, RGB(9, 9, 9));
    Bytes gif = TwoFrameGif();
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("still.bmp", bmp.data(), static_cast<int>(bmp.size())));
    ASSERT_TRUE(pack.AddData("spin.gif", gif.data(), static_cast<int>(gif.size())));
    CImageObj image;
    image.SetDefaults();
    image.m_strFile = "still.bmp";
    image.LoadPicture(&pack);
    ASSERT_TRUE(image.m_Picture.IsLoaded());
    image.m_strFile = "no such picture.bmp";
    image.LoadPicture(&pack);
    EXPECT_FALSE(image.m_Picture.IsLoaded());

    // an animation replaces the still picture entirely, and goes when nothing is read
    image.m_strFile = "still.bmp";
    image.LoadPicture(&pack);
    image.m_strFile = "spin.gif";
    image.LoadPicture(&pack);
    EXPECT_TRUE(image.m_bUseAniPicture);
    EXPECT_FALSE(image.m_Picture.IsLoaded());
    image.m_strFile = "gone.gif";
    image.LoadPicture(&pack);
    EXPECT_FALSE(image.m_bUseAniPicture);
    EXPECT_EQ(nullptr, image.m_pAniPicture);
    EXPECT_FALSE(image.m_Picture.IsLoaded());
}

TEST(GifFrames, SplitsBeyondTheBoundsPlayAsStillPictures)
{
    // Every frame of a split copies the header and the colour table: a GIF of very many (here tiny) frames
    // is not split, and neither is one whose frames would take more memory than any real animation.
    std::vector<GifFrameSpec> specs(kMaxGifFrames, GifFrameSpec{0, 0, 1, 1, 2, 5, 0});
    Bytes most = MakeGif(4, 4, kPalette, specs);
    EXPECT_TRUE(IsAnimatedGif("many.gif", most.data(), most.size()));
    specs.push_back(specs.back());
    Bytes tooMany = MakeGif(4, 4, kPalette, specs);
    EXPECT_EQ(kMaxGifFrames + 1, CountGifFrames(tooMany.data(), tooMany.size()));
    EXPECT_FALSE(IsAnimatedGif("many.gif", tooMany.data(), tooMany.size()));
    std::vector<GifFrameBlock> frames;
    EXPECT_FALSE(SplitGifFrames(tooMany.data(), tooMany.size(), frames));
    EXPECT_TRUE(frames.empty());
    CAniPicture picture;
    ASSERT_TRUE(picture.LoadFromMemory(tooMany.data(), static_cast<DWORD>(tooMany.size())));
    EXPECT_FALSE(picture.IsAnimated());
    EXPECT_EQ(0, picture.GetFrameCount());
    EXPECT_EQ(4, picture.m_nWidth);

    // Two frames whose image data (sub-blocks the walk does not decode) passes the byte bound together.
    Bytes big = MakeGif(4, 4, kPalette, {});
    big.pop_back();   // the trailer
    const size_t chains = kMaxGifSplitBytes / 2 / 256 + 1;
    for (int frame = 0; frame < 2; ++frame)
    {
        Bytes image = {0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0, 2};
        big.insert(big.end(), image.begin(), image.end());
        size_t at = big.size();
        big.resize(at + chains * 256, 0);
        for (size_t i = 0; i < chains; ++i)
            big[at + i * 256] = 255;
        big.push_back(0);
    }
    big.push_back(0x3B);
    EXPECT_EQ(2, CountGifFrames(big.data(), big.size()));
    EXPECT_FALSE(IsGifSplitWithinBounds(big.data(), big.size()));
    EXPECT_FALSE(IsAnimatedGif("big.gif", big.data(), big.size()));
}

TEST(GifFrames, StillGifWithoutTrailerIsEndedBeforeDecoding)
{
    // A still GIF that ends without its trailer, followed by the zeros a pack entry is padded with.
    Bytes gif = MakeGif(6, 4, kPalette, {{0, 0, 6, 4, 2, -1, 0}});
    ASSERT_EQ(0x3B, gif.back());
    gif.pop_back();
    Bytes padded = gif;
    padded.resize(gif.size() + 23, 0);

    std::vector<BYTE> ended;
    ASSERT_TRUE(EndGifWithTrailer(padded.data(), padded.size(), ended));
    EXPECT_EQ(gif.size() + 1, ended.size());
    EXPECT_EQ(0x3B, ended.back());
    EXPECT_FALSE(EndGifWithTrailer(ended.data(), ended.size(), ended));   // ends with one already
    Bytes bmp = MakeSolidBmp(2, 2, RGB(1, 2, 3));
    EXPECT_FALSE(EndGifWithTrailer(bmp.data(), bmp.size(), ended));

    CPicture picture;
    ASSERT_TRUE(picture.LoadFromMemory(padded.data(), static_cast<DWORD>(padded.size())));
    ASSERT_TRUE(picture.IsLoaded());
    EXPECT_EQ(6, picture.GetWidth());
    EXPECT_EQ(RGB(0, 0, 255), RenderedCentre(picture.m_pPicture, 6, 4));

    // The same entry as an image object, loaded the player's way.
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("icon.gif", padded.data(), static_cast<int>(padded.size())));
    CImageObj image;
    image.SetDefaults();
    image.m_strFile = "icon.gif";
    image.LoadPicture(&pack);
    EXPECT_FALSE(image.m_bUseAniPicture);
    EXPECT_TRUE(image.m_Picture.IsLoaded());
    EXPECT_EQ(4, image.m_nHeight);
}

namespace
{

// Composes the frames through the picture's own painting step, one frame at a time, or as a painting does
// that comes after frames fell due.
class CFrameByFramePicture : public CAniPicture
{
public:
    using CAniPicture::ComposeNextFrame;
    void Advance(unsigned frames)
    {
        m_nFramesDue += frames;
        ComposeDueFrames();
    }
};

// A picture of 640 x 421 as some encoders write long clips: a whole first frame, then small partial frames,
// each with a colour table of its own and a transparent index, left in place; every frame's code table fills
// and is used on without a clear code.
struct Clip
{
    Bytes gif;
    std::vector<std::vector<COLORREF>> shown;   // the whole picture after each frame
};

Clip MakeClip(int frames)
{
    const int W = 640, H = 421, kTransparent = 255;
    Clip clip;
    std::vector<COLORREF> canvas(W * H, 0);
    Bytes gif = MakeGifHead(W, H, kPalette);
    for (int f = 0; f < frames; f++)
    {
        const int left = f == 0 ? 0 : 90 * f, top = f == 0 ? 0 : 60 * f;
        const int width = f == 0 ? W : 220, height = f == 0 ? H : 170;
        // Neighbouring entries hold neighbouring colours, as in a frame of a film.
        std::vector<COLORREF> table;
        for (int i = 0; i < 256; i++)
            table.push_back(RGB(i, (i * 3 + f) & 255, (255 - i + 2 * f) & 255));
        std::vector<BYTE> pixels;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
            {
                int index = f > 0 && (x + y) % 5 == 0 ? kTransparent : (x / 3 + y / 5 + 11 * f) % 250;
                pixels.push_back(static_cast<BYTE>(index));
                if (index != kTransparent)
                    canvas[(top + y) * W + left + x] = table[index];
            }
        PutGifControl(gif, 10, 1, f == 0 ? -1 : kTransparent);
        PutGifImage(gif, left, top, width, height, table, EncodeGifKeepingFullTable(pixels, 8));
        clip.shown.push_back(canvas);
    }
    gif.push_back(0x3B);
    clip.gif = gif;
    return clip;
}

// How many pixels of the DC's 640 x 421 area differ from the picture.
int PixelsOff(CDC& dc, const std::vector<COLORREF>& picture)
{
    DibSurface copy(640, 421);
    copy.dc.BitBlt(0, 0, 640, 421, &dc, 0, 0, SRCCOPY);
    int off = 0;
    for (int y = 0; y < 421; y++)
        for (int x = 0; x < 640; x++)
            off += copy.At(x, y) != picture[y * 640 + x];
    return off;
}

}   // namespace

TEST(GifFrames, FramesWhoseCodeTablesFillAreComposedExactly)
{
    Clip clip = MakeClip(4);
    CProjectPack pack;
    ASSERT_TRUE(pack.AddData("clip.gif", clip.gif.data(), static_cast<int>(clip.gif.size())));
    CImageObj image;
    image.SetDefaults();
    image.m_strFile = "clip.gif";
    image.LoadPicture(&pack);
    ASSERT_TRUE(image.m_bUseAniPicture);
    // The loader's picture, composed a frame at a time: every frame is there and each state is exact.
    CFrameByFramePicture picture;
    ASSERT_TRUE(picture.LoadFromMemory(clip.gif.data(), static_cast<DWORD>(clip.gif.size())));
    ASSERT_EQ(image.m_pAniPicture->GetFrameCount(), picture.GetFrameCount());
    ASSERT_EQ(4, picture.GetFrameCount());
    picture.SaveBackground(0, 0, 640, 421, 0, 0);
    ASSERT_TRUE(picture.m_bBackgroundSaved);
    for (int frame = 0; frame < 4; frame++)
    {
        picture.ComposeNextFrame();
        EXPECT_EQ(0, PixelsOff(picture.m_dcComposition, clip.shown[frame])) << frame;
    }

    // Such a frame alone, as a still picture.
    Clip still = MakeClip(1);
    CPicture single;
    ASSERT_TRUE(single.LoadFromMemory(still.gif.data(), static_cast<DWORD>(still.gif.size())));
    DibSurface drawn(640, 421);
    ASSERT_TRUE(single.Render(&drawn.dc, CRect(0, 0, 640, 421)));
    EXPECT_EQ(0, PixelsOff(drawn.dc, still.shown[0]));
}

// GIFs as ImageMagick's layer optimizer writes them (a screen recording with pauses; partial frames that
// restore what was under them, local colour tables, interlacing; every disposal mode with transparent
// sprites), made at build time with every frame as an independent decoder composes it
// (tools/make_gif_references.py): each composed frame of the player's picture, over a slide of a colour no
// frame uses, is that frame exactly, in the first round, in the next one and after a painting that missed
// more than a round.
TEST(GifFrames, EncodedClipsAreComposedFrameByFrameAsAnIndependentDecoderComposesThem)
{
    const COLORREF kSlide = RGB(1, 254, 3);
    for (const char* name : {"recording", "optimizeplus", "disposals"})
    {
        const std::string path = BinaryDir() + "\\tests\\player\\gifs\\" + name;
        const Bytes gif = ReadFileBytes(path + ".gif"), reference = ReadFileBytes(path + ".rgba");
        ASSERT_GE(reference.size(), 12u) << name;
        uint32_t head[3];
        memcpy(head, reference.data(), sizeof(head));
        const int width = static_cast<int>(head[0]), height = static_cast<int>(head[1]);
        const int frames = static_cast<int>(head[2]);
        ASSERT_EQ(12 + size_t(width) * height * 4 * frames, reference.size()) << name;
        CFrameByFramePicture picture;
        ASSERT_TRUE(picture.LoadFromMemory(gif.data(), static_cast<DWORD>(gif.size()))) << name;
        ASSERT_EQ(frames, picture.GetFrameCount()) << name;
        picture.SaveBackground(0, 0, width, height, 0, 0);
        ASSERT_TRUE(picture.m_bBackgroundSaved);
        {
            CDC saved;
            saved.CreateCompatibleDC(&picture.m_dcComposition);
            CBitmap* old = saved.SelectObject(&picture.m_bmpBackground);
            saved.FillSolidRect(0, 0, width, height, kSlide);
            saved.SelectObject(old);
        }
        picture.m_dcComposition.FillSolidRect(0, 0, width, height, kSlide);
        DibSurface composed(width, height);
        for (int step = 0; step <= 2 * frames; step++)
        {
            const int frame = step < 2 * frames ? step % frames : 2;
            picture.Advance(step < 2 * frames ? 1 : 2 * frames + 3);
            composed.dc.BitBlt(0, 0, width, height, &picture.m_dcComposition, 0, 0, SRCCOPY);
            const BYTE* rgba = reference.data() + 12 + size_t(width) * height * 4 * frame;
            int off = 0, worst = 0;
            for (int y = 0; y < height; y++)
                for (int x = 0; x < width; x++, rgba += 4)
                {
                    const COLORREF expected = rgba[3] ? RGB(rgba[0], rgba[1], rgba[2]) : kSlide;
                    const COLORREF shown = composed.At(x, y);
                    const int levels = std::max({std::abs(GetRValue(shown) - GetRValue(expected)),
                                                 std::abs(GetGValue(shown) - GetGValue(expected)),
                                                 std::abs(GetBValue(shown) - GetBValue(expected))});
                    off += levels != 0;
                    worst = std::max(worst, levels);
                }
            EXPECT_EQ(0, off) << name << " step " << step << ", frame " << frame << " of " << frames << ": up to "
                              << worst << " levels off";
        }
    }
}

TEST(GifFrames, ImageDataDecodesWhateverTheEncoderDidWithAFullTable)
{
    std::vector<BYTE> pixels;
    for (int i = 0; i < 120 * 100; i++)
        pixels.push_back(static_cast<BYTE>((i / 7 + i % 13) % 200));
    for (const Bytes& data :
         {EncodeGifKeepingFullTable(pixels, 8), EncodeGifImageData(pixels, 8), EncodeGifIndices(pixels, 8)})
    {
        std::vector<BYTE> decoded;
        size_t used = 0;
        ASSERT_TRUE(DecodeGifImageData(data.data(), data.size(), pixels.size(), decoded, used));
        EXPECT_EQ(data.size(), used);
        EXPECT_EQ(pixels, decoded);
        // Cut short, the data does not decode.
        EXPECT_FALSE(DecodeGifImageData(data.data(), data.size() / 2, pixels.size(), decoded, used));
    }

    // An image too large to be written anew keeps its data, however few bytes would fill it.
    Bytes huge = MakeGifHead(4097, 4097, kPalette);
    PutGifImageHead(huge, 0, 0, 4097, 4097, 0);
    Bytes few = EncodeGifKeepingFullTable(std::vector<BYTE>(4097u * 4097u, 0), 2);
    ASSERT_LT(few.size(), 20000u);
    huge.insert(huge.end(), few.begin(), few.end());
    huge.push_back(0x3B);
    std::vector<BYTE> rewritten;
    ASSERT_TRUE(RewriteGifImageData(huge.data(), huge.size(), rewritten));
    EXPECT_EQ(huge, rewritten);
}
