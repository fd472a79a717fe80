// The GDI bitmap stand-in: LoadImageA's reader and GetPixel, with files
// that are well-formed, truncated, absurd or of depths it does not read.
#include "testcontrol.h"
#include "tempgamedir.h"
#include "tnlog.h"
#include "wingdi.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::uint8_t> Bytes;

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A bitmap file with a 40-byte header; `rows` are the pixel rows in file
// order, already padded.
Bytes Bitmap(std::int32_t width, std::int32_t height, int bpp, const Bytes& palette, const Bytes& rows,
             std::uint32_t compression = 0)
{
    Bytes b = {'B', 'M'};
    std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size());
    Put32(b, offset + static_cast<std::uint32_t>(rows.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bpp));
    Put32(b, compression);
    Put32(b, static_cast<std::uint32_t>(rows.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, static_cast<std::uint32_t>(palette.size() / 4));
    Put32(b, 0);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

class GdiBitmap : public ::testing::Test {
protected:
    std::string Write(const Bytes& bytes, const std::string& name = "test")
    {
        std::string path = TempGameDir::UniquePath("gdi_bitmap_" + name + ".bmp");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // Loads the bytes and reads every pixel as the engine does; empty when
    // the load fails.
    std::vector<COLORREF> Load(const Bytes& bytes, int* width = nullptr, int* height = nullptr)
    {
        std::string path = Write(bytes);
        HANDLE bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        std::remove(path.c_str());
        if (!bitmap)
            return {};
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        BITMAP info = {};
        EXPECT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectA(bitmap, sizeof(info), &info));
        std::vector<COLORREF> pixels;
        for (int y = 0; y < info.bmHeight; ++y)
            for (int x = 0; x < info.bmWidth; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        EXPECT_EQ(CLR_INVALID, GetPixel(dc, info.bmWidth, 0));
        EXPECT_EQ(CLR_INVALID, GetPixel(dc, 0, -1));
        SelectObject(dc, old);
        DeleteDC(dc);
        EXPECT_EQ(TRUE, DeleteObject(bitmap));
        if (width)
            *width = info.bmWidth;
        if (height)
            *height = info.bmHeight;
        return pixels;
    }
};

} // namespace

TEST_F(GdiBitmap, ReadsTwentyFourBitRowsBottomUpAsWindowsRgb)
{
    // 2 x 2: file rows are bottom first, pixels blue-green-red, rows padded to 4 bytes.
    Bytes rows = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,   // bottom: red, green
                  0xFF, 0x00, 0xFF, 0x01, 0x00, 0xFF, 0, 0};  // top: magenta, near magenta
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = Load(Bitmap(2, 2, 24, {}, rows), &width, &height);
    ASSERT_EQ(4u, pixels.size());
    EXPECT_EQ(2, width);
    EXPECT_EQ(2, height);
    EXPECT_EQ(RGB(255, 0, 255), pixels[0]);
    EXPECT_EQ(RGB(255, 0, 1), pixels[1]);
    EXPECT_EQ(RGB(255, 0, 0), pixels[2]);
    EXPECT_EQ(RGB(0, 255, 0), pixels[3]);
}

TEST_F(GdiBitmap, ReadsPalettedSixteenAndThirtyTwoBitTopDownFiles)
{
    Bytes palette = {0x00, 0x00, 0x00, 0, 0xFF, 0x00, 0xFF, 0};
    std::vector<COLORREF> eight = Load(Bitmap(3, 1, 8, palette, {1, 0, 7, 0}));
    ASSERT_EQ(3u, eight.size());
    EXPECT_EQ(RGB(255, 0, 255), eight[0]);
    EXPECT_EQ(RGB(0, 0, 0), eight[1]);
    EXPECT_EQ(RGB(0, 0, 0), eight[2]); // index beyond the palette reads as black

    std::vector<COLORREF> one = Load(Bitmap(9, 1, 1, palette, {0xA0, 0x80, 0, 0}));
    ASSERT_EQ(9u, one.size());
    EXPECT_EQ(RGB(255, 0, 255), one[0]);
    EXPECT_EQ(RGB(0, 0, 0), one[1]);
    EXPECT_EQ(RGB(255, 0, 255), one[2]);
    EXPECT_EQ(RGB(255, 0, 255), one[8]);

    // 16 bits, 5-5-5: full scale stays full scale, so magenta is still the key.
    Bytes sixteen;
    Put16(sixteen, 0x7C1F);
    Put16(sixteen, 0x0210);
    std::vector<COLORREF> fives = Load(Bitmap(2, 1, 16, {}, sixteen));
    ASSERT_EQ(2u, fives.size());
    EXPECT_EQ(RGB(255, 0, 255), fives[0]);
    EXPECT_EQ(RGB(0, 132, 132), fives[1]);

    // 32 bits, two rows stored top first (negative height).
    Bytes rows;
    Put32(rows, 0x00112233);
    Put32(rows, 0x00445566);
    std::vector<COLORREF> top = Load(Bitmap(1, -2, 32, {}, rows));
    ASSERT_EQ(2u, top.size());
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), top[0]);
    EXPECT_EQ(RGB(0x44, 0x55, 0x66), top[1]);
}

TEST_F(GdiBitmap, RefusesTruncatedAbsurdAndUnsupportedFiles)
{
    Bytes rows(8, 0);
    Bytes good = Bitmap(2, 2, 24, {}, Bytes(16, 0));
    EXPECT_FALSE(Load(good).empty());

    Bytes truncated(good.begin(), good.end() - 1);
    EXPECT_TRUE(Load(truncated).empty());
    EXPECT_TRUE(Load(Bytes(good.begin(), good.begin() + 20)).empty());
    EXPECT_TRUE(Load(Bitmap(100000, 100000, 24, {}, rows)).empty());
    EXPECT_TRUE(Load(Bitmap(0, 2, 24, {}, rows)).empty());
    EXPECT_TRUE(Load(Bitmap(2, 2, 2, {}, rows)).empty());      // no such depth
    EXPECT_TRUE(Load(Bitmap(2, 2, 8, {}, rows, 1)).empty());   // run-length coded
    EXPECT_FALSE(Load(Bitmap(2, 2, 8, Bytes(4, 0), rows)).empty());
    Bytes badOffset = good;
    badOffset[10] = 0xFF;
    badOffset[11] = 0xFF;
    EXPECT_TRUE(Load(badOffset).empty());
    Bytes notBitmap = good;
    notBitmap[0] = 'X';
    EXPECT_TRUE(Load(notBitmap).empty());

    EXPECT_EQ(nullptr, LoadImageA(nullptr, "no/such/file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    std::string path = Write(good);
    testcontrol::FailOnce(testcontrol::Failure::LoadImageA);
    EXPECT_EQ(nullptr, LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    std::remove(path.c_str());
}

// What is wrong with a file is named in the log: a folder where a bitmap
// should be, a size no picture has, and a palette claiming more colours than
// its depth indexes, which is read with the colours that lie before the
// pixels.
TEST_F(GdiBitmap, NamesFoldersAbsurdSizesAndOversizedPalettesInTheLog)
{
    Bytes palette = {0x00, 0x00, 0x00, 0, 0xFF, 0x00, 0xFF, 0};
    Bytes claims = Bitmap(2, 1, 8, palette, {1, 0, 0, 0});
    std::fill(claims.begin() + 46, claims.begin() + 50, 0xFF); // 4 294 967 295 colours
    const std::string folder = TempGameDir::UniquePath("gdi_bitmap_folder.bmp");
    const std::string log = TempGameDir::UniquePath("gdi_bitmap_test.log");
    const struct {
        std::string path;
        bool loads;
        std::string why;
    } cases[] = {
        {Write(claims, "claims"), true, "claims more palette colours than its depth has, the ones before the pixels are used"},
        {Write(Bitmap(0x7FFFFFFF, 2, 24, {}, Bytes(8, 0)), "wide"), false,
         "bad header (larger than any picture of the game, 8192 x 8192 at most)"},
        {folder, false, "a folder, not a bitmap"},
    };
    ASSERT_EQ(0, mkdir(folder.c_str(), 0700));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        OpenLog(log.c_str());
        HANDLE bitmap = LoadImageA(nullptr, c.path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        CloseLog();
        EXPECT_EQ(c.loads, bitmap != nullptr);
        if (bitmap)
            DeleteObject(bitmap);
        EXPECT_EQ("Error: " + c.path + ": " + c.why + "\n", TempGameDir::ReadFile(log));
        std::remove(c.path.c_str());
    }
    EXPECT_EQ((std::vector<COLORREF>{RGB(255, 0, 255), RGB(0, 0, 0)}), Load(claims));
    std::remove(log.c_str());
}

TEST_F(GdiBitmap, ForeignHandlesAreRefused)
{
    int notAHandle = 0;
    EXPECT_EQ(CLR_INVALID, GetPixel(reinterpret_cast<HDC>(&notAHandle), 0, 0));
    EXPECT_EQ(0, GetObjectA(&notAHandle, sizeof(BITMAP), nullptr));
    EXPECT_EQ(FALSE, DeleteObject(&notAHandle));
    EXPECT_EQ(FALSE, DeleteDC(reinterpret_cast<HDC>(&notAHandle)));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CLR_INVALID, GetPixel(dc, 0, 0)); // nothing selected
    EXPECT_EQ(TRUE, DeleteDC(dc));
    EXPECT_EQ(FALSE, DeleteDC(dc));
}

TEST(PngWriter, WritesAValidRgbPngOfThePixels)
{
    std::vector<DWORD> pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF102030, 0xFFFFFFFF, 0xFF000000};
    std::string path = TempGameDir::UniquePath("png_writer_test.png");
    ASSERT_TRUE(testcontrol::SavePNG(path, pixels, 3, 2));
    EXPECT_FALSE(testcontrol::SavePNG(path, pixels, 4, 2));
    std::ifstream file(path, std::ios::binary);
    Bytes png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());

    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png.size(), 8u + 25u);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    auto read32 = [&](std::size_t at) {
        return (std::uint32_t(png[at]) << 24) | (std::uint32_t(png[at + 1]) << 16) | (std::uint32_t(png[at + 2]) << 8) |
               png[at + 3];
    };
    // Walk the chunks, checking each CRC; collect the image data.
    Bytes data;
    std::size_t at = 8;
    std::vector<std::string> types;
    while (at + 12 <= png.size()) {
        std::uint32_t length = read32(at);
        std::string type(png.begin() + at + 4, png.begin() + at + 8);
        types.push_back(type);
        std::uint32_t crc = 0xFFFFFFFFu;
        for (std::size_t i = at + 4; i < at + 8 + length; ++i) {
            crc ^= png[i];
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
        EXPECT_EQ(crc ^ 0xFFFFFFFFu, read32(at + 8 + length)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(3u, read32(at + 8));
            EXPECT_EQ(2u, read32(at + 12));
            EXPECT_EQ(8, png[at + 16]);
            EXPECT_EQ(2, png[at + 17]);
        }
        if (type == "IDAT")
            data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    EXPECT_EQ((std::vector<std::string>{"IHDR", "IDAT", "IEND"}), types);
    // One stored deflate block: filter byte and RGB per row.
    ASSERT_GE(data.size(), 2u + 5u + 14u);
    EXPECT_EQ(1, data[2] & 1);
    Bytes raw(data.begin() + 7, data.begin() + 7 + 14);
    Bytes expected = {0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0x10, 0x20, 0x30};
    EXPECT_EQ(expected, Bytes(raw.begin(), raw.begin() + 14));
}
