// The helpers that build the numbered list entries.
#include <string>

#include "settings/textutil.h"
#include "tests/resources/resource_module.h"

namespace {

std::wstring Format(LONG value, int radix)
{
    WCHAR out[INTEGER_TEXT_UNITS + 1];
    out[INTEGER_TEXT_UNITS] = L'#';
    EXPECT_EQ(out, IntegerToText(value, out, radix));
    EXPECT_EQ(L'#', out[INTEGER_TEXT_UNITS]) << "writes at most " << INTEGER_TEXT_UNITS << " units";
    return out;
}

TEST(IntegerToText, FormatsInTheGivenRadix)
{
    EXPECT_EQ(L"0", Format(0, 10));
    EXPECT_EQ(L"64", Format(64, 10));
    EXPECT_EQ(L"-87", Format(-87, 10));
    EXPECT_EQ(L"2147483647", Format(2147483647L, 10));
    EXPECT_EQ(L"-2147483648", Format(-2147483647L - 1, 10));
    EXPECT_EQ(L"ff", Format(255, 16));
    EXPECT_EQ(L"ffffffff", Format(-1, 16)) << "other radices show the bit pattern";
    EXPECT_EQ(L"1111111111111111111", Format(0x7FFFF, 2)) << "19 digits still fit";
    EXPECT_EQ(L"zz", Format(36 * 36 - 1, 36));
}

TEST(IntegerToText, GivesEmptyTextRatherThanAWrongNumber)
{
    EXPECT_EQ(L"", Format(0xFFFFF, 2)) << "20 digits do not fit";
    EXPECT_EQ(L"", Format(-1, 2));
    EXPECT_EQ(L"", Format(5, 1));
    EXPECT_EQ(L"", Format(5, 37));
}

TEST(AppendText, AppendsInPlaceAndReturnsTheDestination)
{
    WCHAR text[32] = L"";
    EXPECT_EQ(text, AppendText(text, L""));
    EXPECT_EQ(std::wstring(L""), text);
    EXPECT_EQ(text, AppendText(text, L"Alle"));
    EXPECT_EQ(text, AppendText(text, L" 4"));
    EXPECT_EQ(std::wstring(L"Alle 4"), text);
}

// The Color page's custom print profiles: string 14 with its trailing blank,
// then the number.
TEST(AppendText, BuildsTheCustomProfileEntries)
{
    for (LONG n = 1; n <= 10; ++n) {
        WCHAR entry[255], number[INTEGER_TEXT_UNITS];
        ASSERT_GT(LoadStringW(ResourceModule(), 14, entry, 255), 0);
        AppendText(entry, IntegerToText(n, number, 10));
        EXPECT_EQ(L"Brugertilpasset " + std::to_wstring(n), entry);
    }
}

} // namespace
