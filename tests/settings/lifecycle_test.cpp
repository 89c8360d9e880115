// Printer events, upgrades and the common UI items, against a real printer
// in the prefix. Wine never sends printer events itself; the tests send them
// as the spooler would.
#include "tests/settings/settings_support.h"

#include "host/platform_kind.h"
#include "host/printer_setup.h"
#include "settings/lifecycle.h"
#include "settings/printername.h"
#include "settings/store.h"

namespace {

const wchar_t EventPrinter[] = HOST_TEST_NAME(L"Events");

class PrinterEventTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AddTestPrinter(EventPrinter); }
    static void TearDownTestSuite() { RemoveTestPrinter(EventPrinter); }
    void SetUp() override { DeleteStored(EventPrinter); }
    void TearDown() override { DeleteStored(EventPrinter); }

    static BOOL Send(const wchar_t *name, INT event)
    {
        return OEMPrinterEvent(const_cast<PWSTR>(name), event, 0, 0);
    }

    // Takes the count away, as a printer that never saw an upgrade lacks
    // it. Wine's spooler has no DeletePrinterData; it reads printer data from
    // the registry, so there the value goes from the printer's key.
    static void ForgetInstallCount(HANDLE printer)
    {
        if (!HostWineVersion()) {
            DeletePrinterDataW(printer, const_cast<PWSTR>(L"NumInstallsSeen"));
            return;
        }
        HKEY key;
        std::wstring path = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + std::wstring(EventPrinter) +
                            L"\\PrinterDriverData";
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"NumInstallsSeen");
            RegCloseKey(key);
        }
    }

    static void ExpectStoredDefaults()
    {
        UserOptions stored;
        ASSERT_EQ(sizeof(stored), ReadStoredValue(EventPrinter, &stored));
        EXPECT_EQ("", RecordDiff(GoldenRecord(), stored));
    }
};

TEST_F(PrinterEventTest, InitializeThroughThePluginStoresDefaultsAndNamesTheDanishModule)
{
    PluginModule plugin;
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    EXPECT_EQ(S_OK, ui->PrinterEvent(const_cast<PWSTR>(EventPrinter), PRINTER_EVENT_INITIALIZE, 0, 0));
    EXPECT_EQ(E_FAIL, ui->PrinterEvent(NULL, PRINTER_EVENT_INITIALIZE, 0, 0));
    ui->Release();

    ExpectStoredDefaults();
    BYTE data[512];
    memset(data, 0xCC, sizeof(data));
    DWORD type = 0;
    ASSERT_EQ(ERROR_SUCCESS, ReadPrinterData(EventPrinter, L"SPLUserModePrinterDriver", &type, data, sizeof(data)));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_STREQ(L"qlx4120umda.dll", reinterpret_cast<wchar_t *>(data));
    DWORD needed = 0;
    HostGetPrinterData(EventPrinter, L"SPLUserModePrinterDriver", &type, NULL, 0, &needed);
    EXPECT_EQ(256u, needed);
}

// The store is keyed by the printer part; the open uses the whole name,
// which no server answers here.
TEST_F(PrinterEventTest, ServerQualifiedNameKeysTheStoreByThePrinterPart)
{
    std::wstring qualified = L"\\\\NOSUCHSERVER\\" + std::wstring(EventPrinter);
    EXPECT_FALSE(Send(qualified.c_str(), PRINTER_EVENT_INITIALIZE));
    EXPECT_STREQ(EventPrinter, CurrentPrinterName);
    ExpectStoredDefaults();
}

TEST_F(PrinterEventTest, ConnectionAndRefreshStoreDefaultsButNoPrinterData)
{
    const wchar_t dataless[] = HOST_TEST_NAME(L"Connection");
    for (INT event : {PRINTER_EVENT_ADD_CONNECTION, PRINTER_EVENT_CACHE_REFRESH}) {
        DeleteStored(dataless);
        EXPECT_TRUE(Send(dataless, event));
        EXPECT_TRUE(StoreKeyExists(dataless)) << "event " << event;
    }
    DeleteStored(dataless);

    UserOptions changed = GoldenRecord();
    changed.duplex = 2;
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&changed, EventPrinter));
    EXPECT_TRUE(Send(EventPrinter, PRINTER_EVENT_ADD_CONNECTION));
    ExpectStoredDefaults();
}

TEST_F(PrinterEventTest, DeletionEventsRemoveTheRecord)
{
    for (INT event : {PRINTER_EVENT_DELETE_CONNECTION, PRINTER_EVENT_DELETE, PRINTER_EVENT_CACHE_DELETE}) {
        ASSERT_TRUE(Send(EventPrinter, PRINTER_EVENT_CACHE_REFRESH));
        EXPECT_TRUE(Send(EventPrinter, event));
        EXPECT_FALSE(StoreKeyExists(EventPrinter)) << "event " << event;
    }
    EXPECT_TRUE(Send(EventPrinter, PRINTER_EVENT_DELETE)) << "deleting twice still succeeds";
}

TEST_F(PrinterEventTest, OtherEventsOnlySetTheCurrentPrinterName)
{
    for (INT event : {0, 7}) {
        lstrcpyW(CurrentPrinterName, L"Before");
        EXPECT_TRUE(Send(L"Server\\" HOST_TEST_NAME(L"Events"), event));
        EXPECT_STREQ(EventPrinter, CurrentPrinterName);
        EXPECT_FALSE(StoreKeyExists(EventPrinter));
    }
}

TEST_F(PrinterEventTest, NamesThatDoNotFitOrNullFailAndChangeNothing)
{
    GuardedPages guard(4096);
    lstrcpyW(CurrentPrinterName, L"Before");
    PWSTR tooLong = guard.Name(L"Server\\" HOST_TEST_NAME(L"Events"), 7 + CURRENT_PRINTER_NAME_UNITS);
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(OEMPrinterEvent(tooLong, PRINTER_EVENT_INITIALIZE, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_STREQ(L"Before", CurrentPrinterName);

    SetLastError(0xdeadbeef);
    EXPECT_FALSE(OEMPrinterEvent(NULL, PRINTER_EVENT_CACHE_REFRESH, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_STREQ(L"Before", CurrentPrinterName);

    // The longest short name still fits; the store then refuses it quietly.
    PWSTR longest = guard.Name(L"Server\\" HOST_TEST_NAME(L"Events"), 7 + CURRENT_PRINTER_NAME_UNITS - 1);
    EXPECT_TRUE(OEMPrinterEvent(longest, PRINTER_EVENT_CACHE_REFRESH, 0, 0));
    EXPECT_EQ(static_cast<size_t>(CURRENT_PRINTER_NAME_UNITS - 1), wcslen(CurrentPrinterName));
}

TEST_F(PrinterEventTest, UpgradesAreCounted)
{
    DRIVER_UPGRADE_INFO_1 info = {const_cast<LPWSTR>(EventPrinter), NULL};
    HANDLE printer = NULL;
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<PWSTR>(EventPrinter), &printer, &defaults));
    DWORD count = 0;
    ForgetInstallCount(printer);
    EXPECT_TRUE(OEMUpgradePrinter(1, reinterpret_cast<PBYTE>(&info)));
    ReadPrinterData(EventPrinter, L"NumInstallsSeen", NULL, &count, sizeof(count));
    EXPECT_EQ(1u, count);

    count = 5;
    SetPrinterDataW(printer, const_cast<PWSTR>(L"NumInstallsSeen"), REG_DWORD, reinterpret_cast<BYTE *>(&count), 4);
    EXPECT_TRUE(OEMUpgradePrinter(1, reinterpret_cast<PBYTE>(&info)));
    DWORD type = 0;
    ReadPrinterData(EventPrinter, L"NumInstallsSeen", &type, &count, sizeof(count));
    EXPECT_EQ(6u, count);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    ClosePrinter(printer);

    EXPECT_TRUE(OEMUpgradePrinter(1, NULL));
    DRIVER_UPGRADE_INFO_1 missing = {const_cast<LPWSTR>(HOST_TEST_NAME(L"No Such Printer")), NULL};
    EXPECT_FALSE(OEMUpgradePrinter(1, reinterpret_cast<PBYTE>(&missing)));
}

TEST(CommonUIPropTest, HidesDriverItemsOnPrinterPropertiesOnly)
{
    OPTITEM items[3];
    ZeroMemory(items, sizeof(items));
    for (OPTITEM &item : items)
        item.Flags = OPTIF_COLLAPSE | OPTIF_DISABLED;
    OPTITEM ours;
    OEMCUIPPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.pDrvOptItems = items;
    param.cDrvOptItems = 3;
    param.cOEMOptItems = 9;

    EXPECT_TRUE(OEMCommonUIProp(OEMCUIP_DOCPROP, &param));
    EXPECT_EQ(0u, param.cOEMOptItems) << "the plug-in adds no items";
    param.pOEMOptItems = &ours;
    EXPECT_TRUE(OEMCommonUIProp(OEMCUIP_DOCPROP, &param));
    EXPECT_EQ(static_cast<DWORD>(OPTIF_COLLAPSE | OPTIF_DISABLED), items[0].Flags);

    EXPECT_TRUE(OEMCommonUIProp(OEMCUIP_PRNPROP, &param));
    for (const OPTITEM &item : items)
        EXPECT_EQ(static_cast<DWORD>(OPTIF_HIDE), item.Flags);

    OEMCUIPPARAM before = param;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(OEMCommonUIProp(3, &param));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_EQ(0, memcmp(&before, &param, sizeof(param)));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(OEMCommonUIProp(OEMCUIP_PRNPROP, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

} // namespace
