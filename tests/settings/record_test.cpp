// The record's default operations against the golden image, byte for byte:
// the image is a stored format shared by both architectures.
#include "tests/settings/settings_support.h"

namespace {

const BYTE Marker = 0xA5;

struct ByteRange {
    size_t begin, end;
};

// What each operation writes. Texts count only their first unit, except the
// address, which the default fills whole.
const ByteRange FileBytes[] = {{4, 16}};
const ByteRange ColorBytes[] = {{16, 72}};
const ByteRange OtherBytes[] = {{72, 140}};
const ByteRange TrayBytes[] = {{140, 142}, {144, 212}};
const ByteRange InfoBytes[] = {{252, 254}, {302, 304}, {320, 322}, {832, 834}, {898, 900}, {916, 924}};
const ByteRange FullBytes[] = {{0, 2}, {4, 142}, {144, 252}, {252, 254}, {302, 304}, {320, 322},
                               {832, 834}, {898, 900}, {916, 926}};

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
                    {"ResetInfoSection", ResetInfoSection, InfoBytes}};
    for (const auto &section : sections) {
        UserOptions record = FilledRecord(Marker);
        section.reset(record);
        ExpectOnlyWritten(record, section.written, section.name);
    }
}

} // namespace
