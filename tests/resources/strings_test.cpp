// The Danish string table, loaded from the built plug-in the way the pages
// load it.
#include <algorithm>
#include <set>
#include <string>

#include "tests/resources/expected_strings.h"
#include "tests/resources/resource_module.h"

namespace {

bool StoredString(UINT id, std::wstring *text)
{
    return ::StoredString(ResourceModule(), id, text);
}

TEST(Strings, EveryStringHasItsExactText)
{
    ASSERT_TRUE(ResourceModule() != NULL);
    for (const ExpectedString &expected : ExpectedStrings) {
        std::wstring text;
        ASSERT_TRUE(StoredString(expected.id, &text)) << "string " << expected.id;
        EXPECT_EQ(std::wstring(expected.text), text) << "string " << expected.id;
        EXPECT_EQ(std::wstring::npos, text.find(L'\r')) << "string " << expected.id;
        // The pages load into 255-character buffers; a longer text would be cut.
        EXPECT_LT(text.size(), 255u) << "string " << expected.id;
    }
}

TEST(Strings, TableHoldsExactlyTheseIds)
{
    std::set<UINT> wanted;
    for (const ExpectedString &expected : ExpectedStrings)
        wanted.insert(expected.id);
    ASSERT_EQ(124u, wanted.size());
    EXPECT_EQ(wanted, StoredStringIds(ResourceModule()));

    std::wstring text;
    for (UINT id = 15; id <= 23; ++id)
        EXPECT_FALSE(StoredString(id, &text)) << "string " << id;
    for (UINT id = 32; id <= 60; ++id)
        EXPECT_FALSE(StoredString(id, &text)) << "string " << id;
    EXPECT_FALSE(StoredString(114, &text));
}

// Read without the expected table, so a source read in the wrong code page
// cannot hide behind a table that was typed the same wrong way.
TEST(Strings, DanishLettersAndLineBreaksArriveAsWritten)
{
    std::wstring text;
    ASSERT_TRUE(StoredString(100, &text)); // Præsentation
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(0x00E6, text[2]);
    ASSERT_TRUE(StoredString(6, &text)); // Mørk (2,2)
    EXPECT_EQ(0x00F8, text[1]);
    ASSERT_TRUE(StoredString(10, &text)); // Mere blå (9300)
    EXPECT_EQ(0x00E5, text[7]);
    EXPECT_EQ(10u, text.find(L'9')) << "one UTF-16 unit per letter";

    ASSERT_TRUE(StoredString(116, &text));
    EXPECT_EQ(2, std::count(text.begin(), text.end(), L'\n')) << "the mismatch message has three lines";
    EXPECT_EQ(std::wstring::npos, text.find(L'\\'));
}

} // namespace
