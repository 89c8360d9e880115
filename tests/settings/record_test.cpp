// The record's default operations against the golden image, byte for byte:
// the image is a stored format shared by both architectures.
#include "settings/recordfields.h"
#include "tests/settings/settings_support.h"

namespace {

const BYTE Marker = 0xA5;

struct ByteRange {
    size_t begin, end;
};

// What each operation writes. Texts count only their first unit, except the
// address, which the default fills whole, and the identity texts (owner 252,
// job password 302, account number 832, secure password 898), which are
// cleared whole.
const ByteRange FileBytes[] = {{4, 16}};
const ByteRange ColorBytes[] = {{16, 72}};
const ByteRange OtherBytes[] = {{72, 140}};
const ByteRange TrayBytes[] = {{140, 142}, {144, 212}};
const ByteRange IdentityBytes[] = {{252, 320}, {832, 924}};
const ByteRange InfoBytes[] = {{252, 322}, {832, 924}};
const ByteRange FullBytes[] = {{0, 2}, {4, 142}, {144, 322}, {832, 926}};

struct Written {
    const ByteRange *ranges;
    size_t count;
    template <size_t N> Written(const ByteRange (&r)[N]) : ranges(r), count(N) {}

    bool Inside(size_t offset) const
    {
        for (size_t i = 0; i < count; ++i)
            if (offset >= ranges[i].begin && offset < ranges[i].end)
                return true;
        return false;
    }
};

// Every byte the operation writes holds its default, every other byte still
// holds the marker.
void ExpectOnlyWritten(const UserOptions &record, const Written &written, const char *operation)
{
    const BYTE *bytes = reinterpret_cast<const BYTE *>(&record);
    const BYTE *golden = reinterpret_cast<const BYTE *>(&GoldenRecord());
    for (size_t i = 0; i < sizeof(record); ++i) {
        if (written.Inside(i))
            EXPECT_EQ(golden[i], bytes[i]) << operation << ", offset " << i;
        else
            EXPECT_EQ(Marker, bytes[i]) << operation << " wrote offset " << i;
    }
}

TEST(RecordDefaults, FullDefaultIsTheGoldenImage)
{
    PrivateDevmode devmode;
    memset(&devmode, 0, sizeof(devmode));
    ResetUserOptions(&devmode);
    EXPECT_EQ(0, memcmp(&GoldenRecord(), &devmode.options, sizeof(UserOptions)));
}

TEST(RecordDefaults, FullDefaultLeavesHeaderReservedBytesAndTextTailsAlone)
{
    PrivateDevmode devmode;
    memset(&devmode, Marker, sizeof(devmode));
    ResetUserOptions(&devmode);
    const BYTE *header = reinterpret_cast<const BYTE *>(&devmode.header);
    for (size_t i = 0; i < sizeof(devmode.header); ++i)
        EXPECT_EQ(Marker, header[i]) << "header byte " << i;
    ExpectOnlyWritten(devmode.options, FullBytes, "ResetUserOptions");
}

TEST(RecordDefaults, EachSectionDefaultWritesOnlyItsOwnFields)
{
    const struct {
        const char *name;
        void (*reset)(UserOptions &);
        Written written;
    } sections[] = {{"ResetFileSection", ResetFileSection, FileBytes},
                    {"ResetColorSection", ResetColorSection, ColorBytes},
                    {"ResetOtherSection", ResetOtherSection, OtherBytes},
                    {"ResetTraySection", ResetTraySection, TrayBytes},
                    {"ResetInfoSection", ResetInfoSection, InfoBytes},
                    {"ClearIdentityFields", ClearIdentityFields, IdentityBytes}};
    for (const auto &section : sections) {
        UserOptions record = FilledRecord(Marker);
        section.reset(record);
        ExpectOnlyWritten(record, section.written, section.name);
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
    record.jobPassword[0] = 0;
    lstrcpyW(record.securePassword, L"ab");
    lstrcpyW(record.comment, L"c");
    UserOptions expected = record;
    ZeroFrom(expected.owner, 1);
    ZeroFrom(expected.jobPassword, 0);
    ZeroFrom(expected.securePassword, 2);
    ScrubIdentityTexts(record);
    EXPECT_EQ(0, memcmp(&expected, &record, sizeof(record)));
}

} // namespace
