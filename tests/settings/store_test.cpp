// The store on Wine's real registry.
#include "tests/settings/settings_support.h"

#include <sddl.h>

#include <vector>

#include "host/platform_kind.h"
#include "settings/keysecurity.h"
#include "settings/store.h"

namespace {

const wchar_t StoreName[] = HOST_TEST_NAME(L"Store");

class StoreTest : public ::testing::Test {
protected:
    // Also before each test: a run that failed half-way must not leave a
    // key that fails the next run. "Office,Left,Right" is a key only when
    // the cut went wrong.
    void SetUp() override { DeleteKeys(); }
    void TearDown() override { DeleteKeys(); }
    static void DeleteKeys()
    {
        for (const wchar_t *name : {StoreName, HOST_TEST_NAME(L"Store,Left"), HOST_TEST_NAME(L"Office,Left,Right"),
                                    HOST_TEST_NAME(L"Office,Left"), HOST_TEST_NAME(L"Office")})
            DeleteStored(name);
    }

    // A record ending at a guard page, filled with a stale pattern.
    UserOptions *GuardedRecord()
    {
        UserOptions *record = static_cast<UserOptions *>(guard.End(sizeof(UserOptions)));
        memset(record, 0x77, sizeof(*record));
        return record;
    }

    void ExpectDefaults(const UserOptions *record)
    {
        EXPECT_EQ("", RecordDiff(GoldenRecord(), *record));
    }

    GuardedPages guard{sizeof(UserOptions) + 4096};
};

TEST_F(StoreTest, WrittenRecordComesBackByteForByteReservedBytesIncluded)
{
    UserOptions written = FilledRecord(0x5A);
    written.initialized = USER_OPTIONS_MARKER;
    // The name ends at the guard page too: nothing may read past its end.
    GuardedPages nameGuard(64);
    PWSTR name = nameGuard.Name(StoreName, wcslen(StoreName));
    EXPECT_EQ(ERROR_SUCCESS, SetUserInfo(&written, name));
    UserOptions *read = GuardedRecord();
    EXPECT_EQ(ERROR_SUCCESS, GetUserInfo(read, name));
    EXPECT_EQ("", RecordDiff(written, *read));
}

TEST_F(StoreTest, KeyNameIsCutAtTheLastComma)
{
    const UserOptions &record = GoldenRecord();
    EXPECT_EQ(ERROR_SUCCESS, SetUserInfo(&record, HOST_TEST_NAME(L"Office,Left,Right")));
    EXPECT_TRUE(StoreKeyExists(HOST_TEST_NAME(L"Office,Left")));
    EXPECT_FALSE(StoreKeyExists(HOST_TEST_NAME(L"Office,Left,Right")));
    EXPECT_EQ(ERROR_SUCCESS, SetUserInfo(&record, HOST_TEST_NAME(L"Office")));
    EXPECT_TRUE(StoreKeyExists(HOST_TEST_NAME(L"Office")));
    EXPECT_EQ(ERROR_SUCCESS, DeleteUserInfo(HOST_TEST_NAME(L"Office,Left,Other")));
    EXPECT_FALSE(StoreKeyExists(HOST_TEST_NAME(L"Office,Left")));
}

TEST_F(StoreTest, MissingKeyGivesDefaultsAndCreatesNothing)
{
    UserOptions *read = GuardedRecord();
    EXPECT_EQ(ERROR_INVALID_DATA, GetUserInfo(read, StoreName));
    ExpectDefaults(read);
    EXPECT_FALSE(StoreKeyExists(StoreName));
}

TEST_F(StoreTest, UnusableStoredValuesGiveDefaultsAndTheQueryStatus)
{
    UserOptions bad = GoldenRecord();
    bad.initialized = 12346;
    bad.jobAction = 4;
    WriteStoredValue(StoreName, &bad, sizeof(bad));
    UserOptions *read = GuardedRecord();
    EXPECT_EQ(ERROR_SUCCESS, GetUserInfo(read, StoreName)) << "wrong marker";
    ExpectDefaults(read);

    BYTE longer[sizeof(UserOptions) + 64];
    memcpy(longer, &GoldenRecord(), sizeof(UserOptions));
    WriteStoredValue(StoreName, longer, sizeof(longer));
    read = GuardedRecord();
    EXPECT_EQ(ERROR_MORE_DATA, GetUserInfo(read, StoreName)) << "longer than a record";
    ExpectDefaults(read);

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(StoreName).c_str(), 0, KEY_ALL_ACCESS,
                                           &key));
    RegDeleteValueW(key, STORE_VALUE_NAME);
    RegCloseKey(key);
    read = GuardedRecord();
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetUserInfo(read, StoreName)) << "no value";
    ExpectDefaults(read);
}

// A valid marker at the front of a short value must not let stale caller
// bytes pass for the rest of the record.
TEST_F(StoreTest, ShortStoredValueGivesFullDefaultsAndInvalidData)
{
    UserOptions shortValue = FilledRecord(0x11);
    shortValue.initialized = USER_OPTIONS_MARKER;
    WriteStoredValue(StoreName, &shortValue, sizeof(UserOptions) - 4);
    UserOptions *read = GuardedRecord();
    EXPECT_EQ(ERROR_INVALID_DATA, GetUserInfo(read, StoreName));
    ExpectDefaults(read);
}

// One read under an exact key says what it found, as the admins' tool
// reports it, and leaves the full default whenever the record is not valid.
// The key is taken whole: a comma in it is no cut.
TEST_F(StoreTest, ReadUnderAnExactKeySaysWhatItFound)
{
    const wchar_t *key = HOST_TEST_NAME(L"Office,Left");
    UserOptions unmarked = GoldenRecord();
    unmarked.initialized = 1;
    BYTE longer[sizeof(UserOptions) + 8] = {};
    memcpy(longer, &GoldenRecord(), sizeof(UserOptions));
    UserOptions valid = GoldenRecord();
    valid.duplex = 2;
    const struct {
        const char *what;
        const void *value; // NULL: no key at all
        DWORD size;
        StoredState state;
        DWORD readSize;
    } rows[] = {
        {"no key", NULL, 0, STORED_NO_KEY, 0},
        {"a valid record", &valid, sizeof(valid), STORED_VALID, sizeof(valid)},
        {"no marker", &unmarked, sizeof(unmarked), STORED_UNMARKED, sizeof(unmarked)},
        {"eight bytes too long", longer, sizeof(longer), STORED_WRONG_SIZE, sizeof(longer)},
        {"four bytes short", &valid, sizeof(valid) - 4, STORED_WRONG_SIZE, sizeof(valid) - 4},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        DeleteStored(key);
        if (row.value)
            WriteStoredValue(key, row.value, row.size);
        UserOptions *record = GuardedRecord();
        StoredRead read = {static_cast<StoredState>(0xdead), static_cast<LONG>(0xdeadbeef), 0xdeadbeef, true};
        ReadRecordAt(key, record, &read);
        EXPECT_EQ(row.state, read.state);
        EXPECT_EQ(row.readSize, read.size);
        EXPECT_EQ(row.value != NULL, read.keyOpened);
        if (row.state == STORED_VALID)
            EXPECT_EQ("", RecordDiff(valid, *record));
        else
            ExpectDefaults(record);
    }
    EXPECT_FALSE(StoreKeyExists(HOST_TEST_NAME(L"Office"))) << "the key was cut at its comma";

    // Written and deleted under the exact key too.
    ASSERT_EQ(ERROR_SUCCESS, WriteRecordAt(key, &valid));
    EXPECT_TRUE(StoreKeyExists(key));
    EXPECT_EQ(ERROR_SUCCESS, DeleteRecordAt(key));
    EXPECT_FALSE(StoreKeyExists(key));
}

TEST_F(StoreTest, NamesThatDoNotFitAreRefusedWithoutOverrun)
{
    const UserOptions &record = GoldenRecord();
    PWSTR tooLong = guard.Name(StoreName, 256);
    UserOptions read;
    memset(&read, 0x77, sizeof(read));
    EXPECT_EQ(ERROR_INVALID_DATA, GetUserInfo(&read, tooLong));
    ExpectDefaults(&read);
    EXPECT_EQ(ERROR_INVALID_DATA, SetUserInfo(&record, tooLong));
    EXPECT_EQ(ERROR_INVALID_DATA, DeleteUserInfo(tooLong));

    // 255 characters fit the name, but a key name of 240 does not fit the path.
    PWSTR keyTooLong = guard.Name(StoreName, 240);
    EXPECT_EQ(ERROR_INVALID_DATA, SetUserInfo(&record, keyTooLong));
    EXPECT_FALSE(StoreKeyExists(std::wstring(keyTooLong)));

    PWSTR longest = guard.Name(HOST_TEST_NAME(L"Store,"), 255);
    EXPECT_EQ(ERROR_SUCCESS, SetUserInfo(&record, longest));
    EXPECT_TRUE(StoreKeyExists(StoreName));

    PWSTR fits = guard.Name(HOST_TEST_PREFIX, 239, L'k');
    EXPECT_EQ(ERROR_SUCCESS, SetUserInfo(&record, fits));
    EXPECT_EQ(ERROR_SUCCESS, DeleteUserInfo(fits));
}

TEST_F(StoreTest, NullArgumentsFailWithInvalidData)
{
    UserOptions read;
    EXPECT_EQ(ERROR_INVALID_DATA, GetUserInfo(&read, NULL));
    ExpectDefaults(&read);
    EXPECT_EQ(ERROR_INVALID_DATA, GetUserInfo(NULL, StoreName));
    EXPECT_EQ(ERROR_INVALID_DATA, SetUserInfo(NULL, StoreName));
    EXPECT_EQ(ERROR_INVALID_DATA, DeleteUserInfo(NULL));
    EXPECT_FALSE(StoreKeyExists(StoreName));
}

TEST_F(StoreTest, DeletingAMissingKeyReportsThePlatformError)
{
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteUserInfo(StoreName));
}

// Wine ignores the security given to RegCreateKeyExW, so the descriptor is
// checked as built.
TEST(KeySecurityTest, EveryoneMaySaveOnlySystemAndAdministratorsControlTheKey)
{
    KeySecurity security;
    memset(&security, 0xCC, sizeof(security));
    ASSERT_TRUE(BuildKeySecurity(&security));
    EXPECT_EQ(sizeof(SECURITY_ATTRIBUTES), security.attributes.nLength);
    EXPECT_EQ(sizeof(void *) == 4 ? 12u : 24u, security.attributes.nLength);
    EXPECT_FALSE(security.attributes.bInheritHandle);
    ASSERT_TRUE(IsValidSecurityDescriptor(security.attributes.lpSecurityDescriptor));

    BOOL present = FALSE, defaulted = TRUE;
    PACL acl = NULL;
    ASSERT_TRUE(GetSecurityDescriptorDacl(security.attributes.lpSecurityDescriptor, &present, &acl, &defaulted));
    ASSERT_TRUE(present);
    ASSERT_TRUE(acl != NULL) << "a NULL DACL lets anyone take the key over";
    EXPECT_FALSE(defaulted);
    ASSERT_EQ(3u, acl->AceCount);

    PSID everyone = NULL, system = NULL, admins = NULL;
    ASSERT_TRUE(ConvertStringSidToSidW(L"S-1-1-0", &everyone));
    ASSERT_TRUE(ConvertStringSidToSidW(L"S-1-5-18", &system));
    ASSERT_TRUE(ConvertStringSidToSidW(L"S-1-5-32-544", &admins));

    bool seen[3] = {false, false, false};
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE *ace = NULL;
        ASSERT_TRUE(GetAce(acl, i, reinterpret_cast<void **>(&ace)));
        ASSERT_EQ(ACCESS_ALLOWED_ACE_TYPE, ace->Header.AceType);
        EXPECT_EQ(0, ace->Header.AceFlags) << "nothing inherits";
        PSID sid = &ace->SidStart;
        if (EqualSid(sid, everyone)) {
            seen[0] = true;
            EXPECT_EQ(static_cast<ACCESS_MASK>(KEY_QUERY_VALUE | KEY_SET_VALUE), ace->Mask);
        } else {
            seen[EqualSid(sid, system) ? 1 : 2] = true;
            EXPECT_TRUE(EqualSid(sid, system) || EqualSid(sid, admins));
            EXPECT_EQ(static_cast<ACCESS_MASK>(KEY_ALL_ACCESS), ace->Mask);
            EXPECT_EQ(static_cast<ACCESS_MASK>(WRITE_DAC | WRITE_OWNER | DELETE),
                      ace->Mask & (WRITE_DAC | WRITE_OWNER | DELETE));
        }
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    LocalFree(everyone);
    LocalFree(system);
    LocalFree(admins);
}

// Windows keeps the security a key is created with, which Wine ignores: on
// Windows the key's own entries must be the built ones. Entries the key
// inherits from its parent follow them, marked as inherited.
TEST(KeySecurityTest, NewKeyKeepsTheBuiltEntries)
{
    if (HostWineVersion())
        GTEST_SKIP() << "Wine ignores the security a key is created with";
    DeleteStored(StoreName);
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&GoldenRecord(), StoreName));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(StoreName).c_str(), 0, READ_CONTROL, &key));
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, NULL, &size);
    std::vector<BYTE> stored(size ? size : 1);
    LONG status = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, stored.data(), &size);
    RegCloseKey(key);
    DeleteStored(StoreName);
    ASSERT_EQ(ERROR_SUCCESS, status);

    KeySecurity built;
    ASSERT_TRUE(BuildKeySecurity(&built));
    BOOL present = FALSE, defaulted = FALSE;
    PACL storedAcl = NULL, builtAcl = NULL;
    ASSERT_TRUE(GetSecurityDescriptorDacl(stored.data(), &present, &storedAcl, &defaulted));
    ASSERT_TRUE(present && storedAcl != NULL);
    ASSERT_TRUE(GetSecurityDescriptorDacl(built.attributes.lpSecurityDescriptor, &present, &builtAcl, &defaulted));
    DWORD own = 0;
    for (DWORD i = 0; i < storedAcl->AceCount; ++i) {
        ACE_HEADER *ace = NULL;
        ASSERT_TRUE(GetAce(storedAcl, i, reinterpret_cast<void **>(&ace)));
        if (ace->AceFlags & INHERITED_ACE)
            continue;
        ACE_HEADER *expected = NULL;
        ASSERT_LT(own, static_cast<DWORD>(builtAcl->AceCount)) << "the key has entries of its own that were not built";
        ASSERT_TRUE(GetAce(builtAcl, own++, reinterpret_cast<void **>(&expected)));
        ASSERT_EQ(expected->AceSize, ace->AceSize) << "entry " << i;
        EXPECT_EQ(0, memcmp(expected, ace, ace->AceSize)) << "entry " << i;
    }
    EXPECT_EQ(static_cast<DWORD>(builtAcl->AceCount), own);
}

} // namespace
