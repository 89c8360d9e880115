// The devmode handler, called as the core driver calls it; the merge meets
// a real printer in the prefix.
#include "tests/settings/settings_support.h"

#include "host/platform_kind.h"
#include "platform/module.h"
#include "settings/devmode.h"
#include "settings/printername.h"

namespace {

const wchar_t DevmodePrinter[] = HOST_TEST_NAME(L"Devmode");

PrivateDevmode Filled(BYTE fill)
{
    PrivateDevmode devmode;
    memset(&devmode, fill, sizeof(devmode));
    return devmode;
}

TEST(DevmodeTest, SizeAnswers1448WhateverTheBlockHeld)
{
    OEMDMPARAM param = DevmodeParam(NULL, NULL, 7);
    EXPECT_TRUE(OEMDevMode(OEMDM_SIZE, &param));
    EXPECT_EQ(1448u, param.cbBufSize);
}

TEST(DevmodeTest, DefaultWritesHeaderAndFullDefaultRecord)
{
    BYTE area[2000];
    memset(area, 0, sizeof(PrivateDevmode));
    memset(area + sizeof(PrivateDevmode), 0x33, sizeof(area) - sizeof(PrivateDevmode));
    OEMDMPARAM param = DevmodeParam(NULL, area, sizeof(area));
    ASSERT_TRUE(OEMDevMode(OEMDM_DEFAULT, &param));
    PrivateDevmode *devmode = reinterpret_cast<PrivateDevmode *>(area);
    EXPECT_EQ(2000u, devmode->header.dwSize) << "the host's size goes in unchanged";
    EXPECT_EQ(OEM_SIGNATURE, devmode->header.dwSignature);
    EXPECT_EQ(OEM_SIGNATURE, devmode->header.dwVersion);
    EXPECT_EQ("", RecordDiff(GoldenRecord(), devmode->options));
    EXPECT_EQ(0x33, area[sizeof(PrivateDevmode)]);
}

// Writing the 1448-byte default into a smaller area would overrun it.
TEST(DevmodeTest, DefaultIntoASmallerAreaFailsAndWritesNothing)
{
    GuardedPages guard(100);
    BYTE *area = static_cast<BYTE *>(guard.End(100));
    memset(area, 0x33, 100);
    OEMDMPARAM param = DevmodeParam(NULL, area, 100);
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(OEMDevMode(OEMDM_DEFAULT, &param));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(0x33, area[i]);
}

TEST(DevmodeTest, ConvertAndMergeCopyTheInputWhole)
{
    PrivateDevmode in = Filled(0x42);
    in.header.dwVersion = 1;
    in.options.initialized = 1;
    for (DWORD mode : {OEMDM_CONVERT, OEMDM_MERGE}) {
        PrivateDevmode out = Filled(0x99);
        OEMDMPARAM param = DevmodeParam(&in, &out, sizeof(out));
        EXPECT_TRUE(OEMDevMode(mode, &param));
        EXPECT_EQ(0, memcmp(&in, &out, sizeof(in))) << "mode " << mode;
    }
}

TEST(DevmodeTest, OtherRequestCodesChangeNothing)
{
    PrivateDevmode in = Filled(1), out = Filled(2);
    for (DWORD mode : {0u, 5u}) {
        OEMDMPARAM param = DevmodeParam(&in, &out, sizeof(out));
        EXPECT_TRUE(OEMDevMode(mode, &param));
        EXPECT_EQ(sizeof(out), param.cbBufSize);
        EXPECT_EQ(2, reinterpret_cast<BYTE *>(&out)[100]);
    }
}

TEST(DevmodeTest, NullBlockOrAreasFailWithInvalidParameter)
{
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(OEMDevMode(OEMDM_SIZE, NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    PrivateDevmode out = Filled(2);
    OEMDMPARAM param = DevmodeParam(NULL, &out, sizeof(out));
    EXPECT_FALSE(OEMDevMode(OEMDM_MERGE, &param));
    EXPECT_EQ(2, reinterpret_cast<BYTE *>(&out)[0]);

    PluginModule plugin;
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    EXPECT_EQ(E_FAIL, ui->DevMode(OEMDM_DEFAULT, NULL));
    ui->Release();
}

class MergeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AddTestPrinter(DevmodePrinter); }
    static void TearDownTestSuite() { RemoveTestPrinter(DevmodePrinter); }

    void SetUp() override
    {
        PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW(const_cast<PWSTR>(DevmodePrinter), &printer, &defaults));
    }
    void TearDown() override
    {
        ClosePrinter(printer);
        SetDriverValue(TEST_DRIVER_NAME);
    }

    // Wine's spooler answers level 1 from the printer's own driver value in
    // the registry, so a test can plant any name there. Windows' spooler
    // keeps its printers in memory and installs no driver under a name with
    // backslashes: there only the installed driver's name can be checked.
    static void SetDriverValue(const std::wstring &driver)
    {
        if (!HostWineVersion())
            return;
        std::wstring path = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + std::wstring(DevmodePrinter);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key));
        RegSetValueExW(key, L"Printer Driver", 0, REG_SZ, reinterpret_cast<const BYTE *>(driver.c_str()),
                       static_cast<DWORD>((driver.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    std::wstring MergedName()
    {
        PrivateDevmode in = Filled(4), out = Filled(5);
        OEMDMPARAM param = DevmodeParam(&in, &out, sizeof(out), printer);
        EXPECT_TRUE(OEMDevMode(OEMDM_MERGE, &param));
        EXPECT_EQ(0, memcmp(&in, &out, sizeof(in)));
        return CurrentPrinterName;
    }

    HANDLE printer = NULL;
};

TEST_F(MergeTest, DriverNameBecomesTheCurrentPrinterName)
{
    EXPECT_EQ(TEST_DRIVER_NAME, MergedName());
    if (!HostWineVersion())
        GTEST_SKIP() << "names the spooler cannot be given are planted under Wine only";
    SetDriverValue(L"Vendor\\Family\\QLX Model");
    EXPECT_EQ(L"QLX Model", MergedName());
    SetDriverValue(L"Vendor\\");
    EXPECT_EQ(L"", MergedName());
    std::wstring longName(95, L'd');
    SetDriverValue(longName);
    EXPECT_EQ(longName, MergedName()) << "the whole name is read, however long";
}

TEST_F(MergeTest, UnreadableDriverKeepsTheNameAndStillCopies)
{
    lstrcpyW(CurrentPrinterName, L"Before");
    PrivateDevmode in = Filled(4), out = Filled(5);
    OEMDMPARAM param = DevmodeParam(&in, &out, sizeof(out), NULL);
    EXPECT_TRUE(OEMDevMode(OEMDM_MERGE, &param));
    EXPECT_STREQ(L"Before", CurrentPrinterName);
    EXPECT_EQ(0, memcmp(&in, &out, sizeof(in)));
}

} // namespace
