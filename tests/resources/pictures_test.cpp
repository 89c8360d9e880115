// The bitmaps, the help icon, the version block, and the language every
// resource is filed under.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/resources/expected_pictures.h"
#include "tests/resources/resource_module.h"

namespace {

// A bitmap resource: its header, palette and pixel indices, top row first.
struct Dib {
    BITMAPINFOHEADER header = {};
    std::vector<RGBQUAD> palette;
    std::vector<BYTE> pixels;
    bool ok = false;
};

DWORD Stride(LONG width, WORD bits)
{
    return ((width * bits + 31) / 32) * 4;
}

Dib ReadDib(const BYTE *data, DWORD size, LONG rows)
{
    Dib dib;
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return dib;
    memcpy(&dib.header, data, sizeof dib.header);
    const BITMAPINFOHEADER &h = dib.header;
    if (h.biSize != sizeof h || (h.biBitCount != 4 && h.biBitCount != 8))
        return dib;
    DWORD colours = h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
    DWORD stride = Stride(h.biWidth, h.biBitCount);
    if (size < h.biSize + colours * sizeof(RGBQUAD) + stride * rows)
        return dib;
    const RGBQUAD *palette = reinterpret_cast<const RGBQUAD *>(data + h.biSize);
    dib.palette.assign(palette, palette + colours);
    const BYTE *bits = reinterpret_cast<const BYTE *>(palette + colours);
    for (LONG y = rows - 1; y >= 0; --y)
        for (LONG x = 0; x < h.biWidth; ++x) {
            BYTE byte = bits[y * stride + x * h.biBitCount / 8];
            dib.pixels.push_back(h.biBitCount == 8 ? byte : (x % 2 ? byte & 0x0F : byte >> 4));
        }
    dib.ok = true;
    return dib;
}

Dib Bitmap(WORD id)
{
    ResourceBytes bytes = FindResourceBytes(RT_BITMAP, id);
    const BITMAPINFOHEADER *h = reinterpret_cast<const BITMAPINFOHEADER *>(bytes.data);
    return ReadDib(bytes.data, bytes.size, bytes.size >= sizeof *h ? h->biHeight : 0);
}

bool IsGrey(const RGBQUAD &c)
{
    return c.rgbRed == c.rgbGreen && c.rgbGreen == c.rgbBlue;
}

int Luminance(const RGBQUAD &c)
{
    return (299 * c.rgbRed + 587 * c.rgbGreen + 114 * c.rgbBlue + 500) / 1000;
}

TEST(Pictures, BitmapsAreUncompressedPaletteDibsOfTheirSize)
{
    for (const ExpectedPicture &expected : ExpectedBitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << expected.id);
        ResourceBytes bytes = FindResourceBytes(RT_BITMAP, expected.id);
        Dib dib = Bitmap(expected.id);
        ASSERT_TRUE(dib.ok);
        EXPECT_EQ(expected.width, dib.header.biWidth);
        EXPECT_EQ(expected.height, dib.header.biHeight) << "bottom-up";
        EXPECT_EQ(1, dib.header.biPlanes);
        EXPECT_EQ(expected.bits, dib.header.biBitCount);
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib.header.biCompression);
        EXPECT_EQ(1u << expected.bits, dib.palette.size());
        EXPECT_EQ(sizeof(BITMAPINFOHEADER) + dib.palette.size() * sizeof(RGBQUAD) +
                      Stride(expected.width, expected.bits) * expected.height,
                  bytes.size);
    }
}

TEST(Pictures, GreyEmblemIsTheColourEmblemInGrey)
{
    Dib colour = Bitmap(133), grey = Bitmap(134);
    ASSERT_TRUE(colour.ok && grey.ok);
    ASSERT_EQ(colour.pixels.size(), grey.pixels.size());
    size_t coloured = 0;
    for (size_t i = 0; i < colour.pixels.size(); ++i) {
        const RGBQUAD &c = colour.palette[colour.pixels[i]], &g = grey.palette[grey.pixels[i]];
        ASSERT_TRUE(IsGrey(g)) << "pixel " << i;
        ASSERT_NEAR(Luminance(c), g.rgbRed, 1) << "pixel " << i;
        coloured += IsGrey(c) ? 0 : 1;
    }
    EXPECT_GT(coloured, colour.pixels.size() / 4) << "the emblem itself is in colour";
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Pictures, HelpIconIsOne32By32SixteenColourImage)
{
    ResourceBytes group = FindResourceBytes(RT_GROUP_ICON, 153);
    ASSERT_GE(group.size, 6u + sizeof(GroupIconEntry));
    const WORD *dir = reinterpret_cast<const WORD *>(group.data);
    EXPECT_EQ(1, dir[1]) << "an icon group";
    ASSERT_EQ(1, dir[2]) << "one image";
    GroupIconEntry entry;
    memcpy(&entry, group.data + 6, sizeof entry);
    EXPECT_EQ(32, entry.width);
    EXPECT_EQ(32, entry.height);
    EXPECT_EQ(16, entry.colours);
    EXPECT_EQ(4, entry.bits);

    ResourceBytes image = FindResourceBytes(RT_ICON, entry.id);
    EXPECT_EQ(entry.bytes, image.size);
    Dib dib = ReadDib(image.data, image.size, 32);
    ASSERT_TRUE(dib.ok);
    EXPECT_EQ(32, dib.header.biWidth);
    EXPECT_EQ(64, dib.header.biHeight) << "image and mask";
    EXPECT_EQ(4, dib.header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib.header.biCompression);
    EXPECT_EQ(16u, dib.palette.size());

    HICON icon = static_cast<HICON>(LoadImageW(ResourceModule(), MAKEINTRESOURCEW(153), IMAGE_ICON, 32, 32, 0));
    EXPECT_TRUE(icon != NULL);
    DestroyIcon(icon);
}

std::wstring VersionText(const std::vector<BYTE> &block, const wchar_t *name)
{
    std::wstring path = std::wstring(L"\\StringFileInfo\\040904b1\\") + name;
    wchar_t *text = NULL;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void **>(&text), &length) || !text)
        return L"<missing>";
    return text;
}

TEST(Version, BlockCarriesVersionsFlagsAndTexts)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(PluginPath(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(PluginPath(), 0, size, block.data()));

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    ASSERT_EQ(sizeof *fixed, length);
    EXPECT_EQ(0x00030000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00030000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VS_FF_DEBUG), fixed->dwFileFlags & fixed->dwFileFlagsMask);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);

    WORD *translation = NULL;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                               &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);

    EXPECT_EQ(L"3, 0, 0, 0", VersionText(block, L"FileVersion"));
    EXPECT_EQ(L"4, 0, 0, 0", VersionText(block, L"ProductVersion"));
    EXPECT_EQ(L"qlx4120ui.dll", VersionText(block, L"OriginalFilename"));
    for (const wchar_t *name : {L"CompanyName", L"FileDescription", L"InternalName", L"LegalCopyright",
                                L"ProductName"})
        EXPECT_NE(L"<missing>", VersionText(block, name)) << name;
}

// ------------------------------------------------------------- languages

TEST(Resources, ModuleHoldsExactlyItsPicturesAndTemplatesAllUnderUsEnglish)
{
    ResourceInventory inventory = ReadInventory(ResourceModule());
    EXPECT_EQ(std::set<WORD>{1033}, inventory.languages);
    typedef std::set<ULONG_PTR> Ids;
    EXPECT_EQ((Ids{110, 114, 115, 116, 117, 147, 152}), inventory.names[5]) << "RT_DIALOG";
    EXPECT_EQ((Ids{133, 134, 135, 136, 137, 138, 139, 151}), inventory.names[2]) << "RT_BITMAP";
    EXPECT_EQ((Ids{153}), inventory.names[14]) << "RT_GROUP_ICON";
    EXPECT_EQ((Ids{1}), inventory.names[16]) << "RT_VERSION";
}

} // namespace
