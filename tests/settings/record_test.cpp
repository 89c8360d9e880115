// The record's default operations against the golden image, byte for byte:
// the image is a stored format shared by both architectures.
#include "settings/recordfields.h"
#include "tests/settings/settings_support.h"

namespace {

const BYTE Marker = 0xA5;

// Which fields an operation writes.
typedef bool (*Writes)(const RecordField &field);

// Whether a default writes the record's byte at offset: numbers whole,
// texts up to their default's terminator, identity texts whole (they are
// cleared whole). The golden image below checks the values independently of
// the table.
bool Written(Writes writes, size_t offset)
{
    const RecordField *field = RecordFieldAt(offset);
    if (!field || !writes(*field))
        return false;
    if (field->kind != FIELD_TEXT || field->identity)
        return true;
    return offset - field->offset < (static_cast<size_t>(lstrlenW(field->defaultText)) + 1) * sizeof(WCHAR);
}

// Every byte the operation writes holds its default, every other byte still
// holds the marker.
void ExpectOnlyWritten(const UserOptions &record, Writes writes, const char *operation)
{
    const BYTE *bytes = reinterpret_cast<const BYTE *>(&record);
    const BYTE *golden = reinterpret_cast<const BYTE *>(&GoldenRecord());
    for (size_t i = 0; i < sizeof(record); ++i) {
        if (Written(writes, i))
            EXPECT_EQ(golden[i], bytes[i]) << operation << ", offset " << i;
        else
            EXPECT_EQ(Marker, bytes[i]) << operation << " wrote offset " << i;
    }
}

template <RecordSection section> bool InSection(const RecordField &field)
{
    return field.section == section;
}

TEST(RecordDefaults, FullDefaultIsTheGoldenImage)
{
    PrivateDevmode devmode;
    memset(&devmode, 0, sizeof(devmode));
    ResetUserOptions(&devmode);
    EXPECT_EQ("", RecordDiff(GoldenRecord(), devmode.options));
}

TEST(RecordDefaults, FullDefaultLeavesHeaderReservedBytesAndTextTailsAlone)
{
    PrivateDevmode devmode;
    memset(&devmode, Marker, sizeof(devmode));
    ResetUserOptions(&devmode);
    const BYTE *header = reinterpret_cast<const BYTE *>(&devmode.header);
    for (size_t i = 0; i < sizeof(devmode.header); ++i)
        EXPECT_EQ(Marker, header[i]) << "header byte " << i;
    ExpectOnlyWritten(devmode.options, [](const RecordField &) { return true; }, "ResetUserOptions");
}

TEST(RecordDefaults, EachSectionDefaultWritesOnlyItsOwnFields)
{
    const struct {
        const char *name;
        void (*reset)(UserOptions &);
        Writes writes;
    } sections[] = {{"ResetFileSection", ResetFileSection, InSection<SECTION_FILE>},
                    {"ResetColorSection", ResetColorSection, InSection<SECTION_COLOR>},
                    {"ResetOtherSection", ResetOtherSection, InSection<SECTION_OTHER>},
                    {"ResetTraySection", ResetTraySection, InSection<SECTION_TRAY>},
                    {"ResetInfoSection", ResetInfoSection, InSection<SECTION_INFO>},
                    {"ClearIdentityFields", ClearIdentityFields,
                     [](const RecordField &field) { return field.identity; }}};
    for (const auto &section : sections) {
        UserOptions record = FilledRecord(Marker);
        section.reset(record);
        ExpectOnlyWritten(record, section.writes, section.name);
    }
}

template <size_t N> void ZeroFrom(WCHAR (&text)[N], size_t from)
{
    memset(text + from, 0, (N - from) * sizeof(WCHAR));
}

// A record of an earlier version holds the rest of a longer owner or
// password behind a shorter one; scrubbing zeroes that and keeps the texts,
// leaves a text without a terminator whole, and touches nothing else (the
// comment's tail included).
TEST(RecordDefaults, ScrubbingZeroesOnlyWhatFollowsIdentityTexts)
{
    UserOptions record = FilledRecord(Marker);
    lstrcpyW(record.owner, L"x");
    lstrcpyW(record.jobPassword, L""); // the rest stays as filled
    lstrcpyW(record.securePassword, L"ab");
    lstrcpyW(record.comment, L"c");
    UserOptions expected = record;
    ZeroFrom(expected.owner, 1);
    ZeroFrom(expected.jobPassword, 0);
    ZeroFrom(expected.securePassword, 2);
    ScrubIdentityTexts(record);
    EXPECT_EQ("", RecordDiff(expected, record));
}

} // namespace
