// The .reg reader and writer in-process: files as regedit writes them, as
// admins edit them by hand and as other tools save them, and the files the
// reader must refuse before import writes anything.
#include <string>
#include <vector>

#include "recordtext/regfile.h"
#include "settings/useroptions.h"
#include "tests/support/record_support.h"
#include "tests/support/test_support.h"

namespace {

// Records that differ from the default and from each other in a few bytes,
// the comment beyond ASCII, so that a byte read from the wrong place or a
// record read under the wrong key shows.
UserOptions Record(LONG mark)
{
    UserOptions record = DefaultRecord();
    record.duplex = 1;
    record.mediaType = mark;
    lstrcpyW(record.comment, L"Kontor \u00e6\u00f8\u00e5");
    return record;
}

const UserOptions Site = Record(4), Branch = Record(7);

// ------------------------------------------------------- the files' texts

const std::wstring V5 = L"Windows Registry Editor Version 5.00\r\n";
const std::wstring V4 = L"REGEDIT4\r\n";

std::wstring Key(const std::wstring &name)
{
    return L"[HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\" + name + L"]\r\n";
}

// The hex list of bytes, perLine to a line (0: all on one) with continued
// lines indented as given.
std::wstring Hex(const BYTE *bytes, size_t count, size_t perLine, const std::wstring &indent = L"  ")
{
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += perLine && i % perLine == 0 ? L",\\\r\n" + indent : L",";
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::wstring Hex(const UserOptions &record, size_t perLine = 25, const std::wstring &indent = L"  ")
{
    return Hex(reinterpret_cast<const BYTE *>(&record), sizeof(record), perLine, indent);
}

std::wstring Value(const UserOptions &record, size_t perLine = 25)
{
    return L"\"User Info\"=hex:" + Hex(record, perLine) + L"\r\n";
}

std::string Utf8Text(const std::wstring &text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], length, NULL, NULL);
    return utf8;
}

enum Encoding { UTF16_BOM, UTF8_BOM, UTF8 };

std::vector<BYTE> Encoded(const std::wstring &text, Encoding encoding)
{
    if (encoding == UTF16_BOM)
        return RegFileBytes(text);
    std::vector<BYTE> bytes;
    if (encoding == UTF8_BOM)
        bytes = {0xEF, 0xBB, 0xBF};
    std::string utf8 = Utf8Text(text);
    bytes.insert(bytes.end(), utf8.begin(), utf8.end());
    return bytes;
}

struct Expected {
    std::wstring key;
    const UserOptions *record;
};

struct Row {
    const char *what;
    Encoding encoding;
    std::wstring text;
    RegParse result;
    std::vector<Expected> records; // what an accepted file holds
};

const std::wstring Name = L"Kontor \u00e6\u00f8\u00e5";
const UserOptions Unmarked = [] {
    UserOptions record = Site;
    record.initialized = 0;
    return record;
}();

// A value cut short: every byte but the last, or half a byte more.
const std::wstring CutAtByte = L"\"User Info\"=hex:" + Hex(reinterpret_cast<const BYTE *>(&Site), sizeof(Site) - 1, 25);
const std::wstring CutInByte = CutAtByte + L",0";

const Row Rows[] = {
    // Accepted: regedit's own files and what other tools and hand edits make of them.
    {"UTF-16 with BOM, version 5", UTF16_BOM, V5 + L"\r\n" + Key(Name) + Value(Site), REG_PARSED, {{Name, &Site}}},
    {"UTF-8 with BOM", UTF8_BOM, V5 + L"\r\n" + Key(Name) + Value(Site), REG_PARSED, {{Name, &Site}}},
    {"UTF-8 without BOM, REGEDIT4", UTF8, V4 + L"\r\n" + Key(Name) + Value(Site), REG_PARSED, {{Name, &Site}}},
    {"LF line ends, the value on one line", UTF8,
     L"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\A]\n\"User Info\"=hex:" + Hex(Site, 0) + L"\n", REG_PARSED,
     {{L"A", &Site}}},
    {"continuation lines indented with blanks and tabs", UTF16_BOM,
     V5 + Key(L"A") + L"\"User Info\"=hex:" + Hex(Site, 7, L" \t ") + L"\r\n", REG_PARSED, {{L"A", &Site}}},
    {"two keys with records of their own", UTF16_BOM, V5 + Key(L"A") + Value(Site) + L"\r\n" + Key(L"B") + Value(Branch),
     REG_PARSED, {{L"A", &Site}, {L"B", &Branch}}},
    {"comments, each ending in a backslash", UTF16_BOM,
     V5 + L"; copied from \\\\server\\share\\\r\n" + Key(L"A") + L"  ; the driver's key \\\r\n" + Value(Site) +
         L";\\\r\n" + Key(L"B") + Value(Branch) + L"; the end \\",
     REG_PARSED, {{L"A", &Site}, {L"B", &Branch}}},
    {"blank and whitespace-only lines everywhere", UTF16_BOM,
     L"  \r\n\t\r\n" + V5 + L" \t \r\n" + Key(L"A") + L"   \r\n" + Value(Site) + L"\t\r\n\r\n  \r\n" + Key(L"B") +
         Value(Branch) + L"  \r\n \t",
     REG_PARSED, {{L"A", &Site}, {L"B", &Branch}}},
    {"continued into a whitespace-only line", UTF8, V4 + Key(L"A") + L"\"User Info\"=hex:" + Hex(Site) + L",\\\r\n  \r\n",
     REG_PARSED, {{L"A", &Site}}},
    {"a trailing comma in the hex list", UTF16_BOM, V5 + Key(L"A") + L"\"User Info\"=hex:" + Hex(Site) + L",\r\n",
     REG_PARSED, {{L"A", &Site}}},
    {"key root, value name and HEX: in other letter case", UTF16_BOM,
     V5 + L"[hkey_local_machine\\system\\PRINTERS\\A]\r\n\"user info\"=HEX:" + Hex(Site) + L"\r\n" +
         L"[Hkey_Local_Machine\\System\\Printers\\B]\r\n\"USER INFO\"=HEX(3):" + Hex(Branch) + L"\r\n",
     REG_PARSED, {{L"A", &Site}, {L"B", &Branch}}},

    // Refused: anything but whole, marked records under printers' keys.
    {"no version line", UTF16_BOM, Key(L"A") + Value(Site), REG_MALFORMED, {}},
    {"only the version line", UTF16_BOM, V5 + L"\r\n", REG_MALFORMED, {}},
    {"a key without the value", UTF16_BOM, V5 + Key(L"A") + Value(Site) + Key(L"B"), REG_MALFORMED, {}},
    {"a second value in the key", UTF16_BOM, V5 + Key(L"A") + Value(Site) + L"\"Other\"=dword:00000001\r\n",
     REG_MALFORMED, {}},
    {"another value instead", UTF16_BOM, V5 + Key(L"A") + L"\"Other\"=hex:" + Hex(Site) + L"\r\n", REG_MALFORMED, {}},
    {"a string value", UTF16_BOM, V5 + Key(L"A") + L"\"User Info\"=\"text\"\r\n", REG_MALFORMED, {}},
    {"a key outside the printers' keys", UTF16_BOM,
     V5 + L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\r\n" + Value(Site), REG_MALFORMED, {}},
    {"the printers' key under another root", UTF16_BOM,
     V5 + L"[HKEY_CURRENT_USER\\SYSTEM\\Printers\\A]\r\n" + Value(Site), REG_MALFORMED, {}},
    {"the printers' key itself", UTF16_BOM, V5 + L"[HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\]\r\n" + Value(Site),
     REG_MALFORMED, {}},
    {"a key with a subkey path", UTF16_BOM, V5 + Key(L"A\\PrinterDriverData") + Value(Site), REG_MALFORMED, {}},
    {"one key twice, in other letter case", UTF16_BOM, V5 + Key(L"A") + Value(Site) + Key(L"a") + Value(Branch),
     REG_MALFORMED, {}},
    {"a key to delete", UTF16_BOM, V5 + L"[-HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\A]\r\n", REG_MALFORMED, {}},
    {"a hex list cut inside a byte", UTF16_BOM, V5 + Key(L"A") + CutInByte + L"\r\n", REG_MALFORMED, {}},
    {"a hex list cut after a byte", UTF16_BOM, V5 + Key(L"A") + CutAtByte + L"\r\n", REG_WRONG_SIZE, {}},
    {"a hex list cut at a continuation", UTF16_BOM, V5 + Key(L"A") + CutAtByte + L",\\", REG_WRONG_SIZE, {}},
    {"a byte too many", UTF16_BOM, V5 + Key(L"A") + L"\"User Info\"=hex:" + Hex(Site) + L",00\r\n", REG_WRONG_SIZE,
     {}},
    {"a record without the marker", UTF8, V4 + Key(L"A") + Value(Unmarked), REG_UNMARKED, {}},
};

const wchar_t Untouched[] = L"0xdeadbeef";

TEST(RegFile, ReadsRegeditsFilesAndRefusesAllButRecords)
{
    for (const Row &row : Rows) {
        SCOPED_TRACE(row.what);
        std::vector<RegRecord> records(1);
        records[0].key = Untouched;
        std::wstring error = Untouched;
        RegParse result = ParseRegFile(Encoded(row.text, row.encoding), &records, &error);
        ASSERT_EQ(row.result, result) << Utf8Text(error);
        if (result != REG_PARSED) {
            EXPECT_NE(Untouched, error);
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_EQ(Untouched, error);
        ASSERT_EQ(row.records.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_TRUE(records[i].key == row.records[i].key) << i;
            EXPECT_EQ("", RecordDiff(*row.records[i].record, records[i].record)) << i;
        }
    }
}

// The writer's file read back gives the same keys and bytes: comments that
// end in a backslash included, every line of regedit's width.
TEST(RegFile, WrittenRecordsReadBackByteForByte)
{
    std::vector<RegRecord> written = {{Name, Site}, {L"Office, Inc.", Branch}};
    std::wstring text = RegFileText({L"export of \\\\server\\Office\\", L"second line"}, written);
    std::vector<BYTE> bytes = RegFileBytes(text);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(0xFF, bytes[0]);
    EXPECT_EQ(0xFE, bytes[1]);
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find(L"\r\n", start);
        ASSERT_NE(std::wstring::npos, end) << "every line ends in CRLF";
        EXPECT_LE(end - start, 80u) << Utf8Text(text.substr(start, end - start));
    }

    std::vector<RegRecord> read;
    std::wstring error = Untouched;
    ASSERT_EQ(REG_PARSED, ParseRegFile(bytes, &read, &error)) << Utf8Text(error);
    ASSERT_EQ(written.size(), read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_TRUE(read[i].key == written[i].key) << i;
        EXPECT_EQ("", RecordDiff(written[i].record, read[i].record)) << i;
    }
}

} // namespace
