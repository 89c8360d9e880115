// Faults from outside while a sheet is open. Each must leave the sheet
// working and lose nothing beyond what the fault itself prevents.
#include <aclapi.h>

#include "bench/robust.h"
#include "settings/store.h"
#include "host/platform_kind.h"
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

#include <commctrl.h>

namespace {

BOOL CALLBACK CountOtherDialogs(HWND window, LPARAM lParam)
{
    std::pair<HWND, int> *state = reinterpret_cast<std::pair<HWND, int> *>(lParam);
    if (window != state->first && IsWindowVisible(window))
        ++state->second;
    return TRUE;
}

class FaultTest : public SheetFixture {
protected:
    // The Color page's grayscale choice, saved by leaving for the Other page.
    void SaveColorChange()
    {
        HWND color = ShowPage(1);
        ClickButton(color, IDC_COLOR_MODE_GRAY);
        ShowPage(2);
        ASSERT_EQ(1, Stored().colorMode);
    }

    // Toggles the Other page's mirror flag and leaves for the Tray page;
    // returns the flag as the page showed it.
    LONG ChangeOtherAndLeave()
    {
        HWND other = ShowPage(2);
        ClickButton(other, IDC_OTHER_MIRROR);
        LONG shown = Checked(other, IDC_OTHER_MIRROR) ? 1 : 0;
        ShowPage(3);
        return shown;
    }

    // The sheet still takes input, shows no message of its own, and OK
    // closes it.
    void ExpectSheetWorks()
    {
        ASSERT_TRUE(IsWindow(sheet.window));
        std::pair<HWND, int> state(sheet.window, 0);
        EnumThreadWindows(GetCurrentThreadId(), CountOtherDialogs, reinterpret_cast<LPARAM>(&state));
        EXPECT_EQ(0, state.second) << "a window other than the sheet is showing";
        HWND file = ShowPage(0);
        ASSERT_TRUE(file != NULL);
        ClickButton(file, IDC_FILE_SPOOL_HOLD);
        EXPECT_TRUE(Checked(file, IDC_FILE_SPOOL_HOLD));
        PressSheetButton(PSBTN_OK);
        EXPECT_TRUE(sheet.window == NULL) << "OK did not close the sheet";
    }

    std::wstring KeyPath() { return StoreKeyPath(StoreKeyName(name.c_str())); }
};

// ------------------------------------------------------------ writes denied

TEST_F(FaultTest, DeniedWritesLeaveTheSheetWorkingAndTheStoreAsItWas)
{
    OpenSheet();
    SaveColorChange();
    UserOptions before = Stored();
    ASSERT_TRUE(DenyKeySetValue(KeyPath(), true));
    HKEY probe;
    ASSERT_EQ(ERROR_ACCESS_DENIED,
              RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath().c_str(), 0, KEY_SET_VALUE, &probe))
        << "the platform does not enforce the key's DACL";

    ChangeOtherAndLeave();
    ExpectSheetWorks();
    UserOptions after = Stored();
    EXPECT_EQ("", RecordDiff(before, after)) << "a denied write changed the store";

    ASSERT_TRUE(DenyKeySetValue(KeyPath(), false));
}

// ------------------------------------------------------- printer deleted

TEST_F(FaultTest, PrinterDeletedWhileItsSheetIsOpen)
{
    OpenSheet();
    SaveColorChange();
    // The spooler tells the plug-in of the deletion through another object,
    // as it would from the printer's removal.
    IPrintOemUI *spooler = plugin.NewObject();
    ASSERT_TRUE(spooler != NULL);
    EXPECT_EQ(S_OK, spooler->PrinterEvent(const_cast<PWSTR>(name.c_str()), PRINTER_EVENT_DELETE, 0, 0));
    spooler->Release();
    UserOptions gone;
    ASSERT_EQ(STORED_NO_KEY, ReadStored(name, &gone)) << "the deletion left the record";

    LONG mirror = ChangeOtherAndLeave();
    UserOptions stored = Stored();
    EXPECT_EQ(USER_OPTIONS_MARKER, stored.initialized);
    EXPECT_EQ(mirror, stored.mirror) << "the page's own save was lost";
    EXPECT_EQ(DefaultRecord().colorMode, stored.colorMode) << "the deleted record came back";
    ExpectSheetWorks();
}

// ---------------------------------------------- record replaced by garbage

struct Garbage {
    const char *what;
    DWORD type;
    DWORD length;
    bool validMarker;
};

class GarbageTest : public FaultTest, public ::testing::WithParamInterface<Garbage> {};

TEST_P(GarbageTest, GarbageBetweenPageVisitsCostsOnlyTheOverwrittenRecord)
{
    const Garbage &garbage = GetParam();
    OpenSheet();
    SaveColorChange();

    Rng rng(0x5EED0000 + garbage.length);
    std::vector<BYTE> bytes(garbage.length);
    rng.Fill(bytes.data(), bytes.size());
    if (bytes.size() >= 2) {
        bytes[0] = garbage.validMarker ? 0x39 : 0x00;
        bytes[1] = garbage.validMarker ? 0x30 : 0x00;
    }
    WriteStoredValue(name, bytes.data(), garbage.length, garbage.type);

    LONG mirror = ChangeOtherAndLeave();
    UserOptions stored = Stored();
    UserOptions defaults = DefaultRecord();
    EXPECT_EQ(USER_OPTIONS_MARKER, stored.initialized);
    EXPECT_EQ(mirror, stored.mirror);
    // Everything but the Other section comes from the full default: the
    // garbage replaced the Color change, and no garbage byte survives.
    EXPECT_EQ(0, memcmp(&defaults, &stored, offsetof(UserOptions, separations)));
    EXPECT_EQ(0, memcmp(&defaults.jobAux0, &stored.jobAux0, sizeof(UserOptions) - offsetof(UserOptions, jobAux0)));
    ExpectSheetWorks();
}

INSTANTIATE_TEST_SUITE_P(Kinds, GarbageTest,
                         ::testing::Values(Garbage{"wrong marker", REG_BINARY, sizeof(UserOptions), false},
                                           Garbage{"too long", REG_BINARY, 3000, true},
                                           Garbage{"too short", REG_BINARY, 100, true},
                                           Garbage{"a number", REG_DWORD, 4, true},
                                           Garbage{"empty", REG_BINARY, 0, false}),
                         [](const ::testing::TestParamInfo<Garbage> &info) {
                             std::string name = info.param.what;
                             for (char &c : name)
                                 if (c == ' ')
                                     c = '_';
                             return name;
                         });

// ------------------------------------------------ GetPrinterDriverW fails

class DriverFailureTest : public FaultTest, public ::testing::WithParamInterface<int> {};

// A handle the spooler refuses: none, one it never gave out, one closed.
HANDLE FailingPrinterHandle(int kind)
{
    if (kind == 0)
        return NULL;
    if (kind == 1)
        return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x7FFF0000));
    HANDLE printer = NULL;
    if (!OpenPrinterW(NULL, &printer, NULL))
        return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x7FFF0004));
    ClosePrinter(printer);
    return printer;
}

TEST_P(DriverFailureTest, MergeKeepsTheNameAndTheSheetSaves)
{
    // Windows' winspool takes a printer handle for the address of its own
    // record, so a made-up or closed one is undefined there; Wine looks the
    // handle up in a table and refuses it.
    if (GetParam() != 0 && !HostWineVersion())
        GTEST_SKIP() << "a made-up or closed printer handle is undefined on Windows";
    HANDLE printer = FailingPrinterHandle(GetParam());
    BYTE area[512];
    DWORD needed = 0;
    ASSERT_FALSE(GetPrinterDriverW(printer, NULL, 1, area, sizeof(area), &needed)) << "the fault is not there";

    ASSERT_TRUE(HostOpenDocumentProperties(&sheet, ui, printer, L"Dokumentegenskaber"));
    EXPECT_EQ(0, memcmp(sheet.defaultDevmode, sheet.devmode, sheet.devmodeSize)) << "the merge must still copy";
    Pump();
    SaveColorChange();
    ExpectSheetWorks();
    EXPECT_EQ(1, Stored().colorMode) << "the pages lost their store key";
}

INSTANTIATE_TEST_SUITE_P(Handles, DriverFailureTest, ::testing::Values(0, 1, 2));

} // namespace
