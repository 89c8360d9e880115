// The test variant of the plug-in: built without a language and with the
// trace on, driven through its COM object as the host drives it.
#include "tests/settings/settings_support.h"

#include <commctrl.h>

#include "host/sheet_host.h"

namespace {

const wchar_t VariantPrinter[] = HOST_TEST_NAME(L"Variant");

class VariantTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AddTestPrinter(VariantPrinter); }
    static void TearDownTestSuite() { RemoveTestPrinter(VariantPrinter); }

    void SetUp() override { ASSERT_TRUE(HostLoadPlugin(EnvPath(L"QLX_VARIANT_PLUGIN_DLL").c_str(), &plugin)); }
    void TearDown() override
    {
        HostUnloadPlugin(&plugin);
        DeleteStored(VariantPrinter);
    }

    std::string Log() { return ReadWholeFile(dir.File(L"UILog.txt")); }

    ScratchDirectory dir;
    HostPlugin plugin;
};

TEST_F(VariantTest, InitializeWithoutLanguageStoresDefaultsButNamesNoModule)
{
    EXPECT_EQ(E_FAIL, plugin.ui->PrinterEvent(const_cast<PWSTR>(VariantPrinter), PRINTER_EVENT_INITIALIZE, 0, 0));
    UserOptions stored;
    ASSERT_EQ(sizeof(stored), ReadStoredValue(VariantPrinter, &stored));
    EXPECT_EQ("", RecordDiff(GoldenRecord(), stored));
    BYTE data[256];
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND),
              ReadPrinterData(VariantPrinter, L"SPLUserModePrinterDriver", NULL, data, sizeof(data)));

    std::string log = Log();
    EXPECT_NE(std::string::npos, log.find(":Entered OEMPrinterEvent = 3\r\n"));
    const std::string printer(VariantPrinter, VariantPrinter + wcslen(VariantPrinter));
    EXPECT_NE(std::string::npos, log.find(":OEMPrinterEvent(" + printer + "), iDriverEvent = 3\r\n"));
    EXPECT_NE(std::string::npos, log.find(":SetUserInfo(pszPrinterName, " + printer + ")...\r\n"));
    EXPECT_NE(std::string::npos, log.find(":OEMPrinterEvent() - SELECTED_LANGUAGE = noLanguage\r\n"));
}

TEST_F(VariantTest, ConvertTracesOnlyHeadersThatDiffer)
{
    PrivateDevmode in, out;
    memset(&in, 0, sizeof(in));
    memset(&out, 0, sizeof(out));
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.pOEMDMIn = &in;
    param.pOEMDMOut = &out;
    param.cbBufSize = sizeof(out);
    EXPECT_EQ(S_OK, plugin.ui->DevMode(OEMDM_CONVERT, &param));
    EXPECT_EQ(std::string::npos, Log().find("Bad version"));

    in.header.dwVersion = 2;
    EXPECT_EQ(S_OK, plugin.ui->DevMode(OEMDM_CONVERT, &param));
    EXPECT_NE(std::string::npos, Log().find(":OEMDevMode() - Bad version of OEMDM\r\n"));
    EXPECT_EQ(2u, out.header.dwVersion);
}

TEST_F(VariantTest, EveryFixedPointIsTraced)
{
    // The host's whole round with the trace on: a printer event, the
    // devmode requests of Document Properties, the common UI, a sheet left
    // from the Info page and cancelled, and the sheet's results.
    EXPECT_EQ(S_OK, plugin.ui->PrinterEvent(const_cast<PWSTR>(VariantPrinter), 0, 0, 0));
    PrivateDevmode in, out;
    memset(&in, 0, sizeof(in));
    memset(&out, 0, sizeof(out));
    OEMDMPARAM param = DevmodeParam(&in, &out, sizeof(out));
    EXPECT_EQ(S_OK, plugin.ui->DevMode(OEMDM_CONVERT, &param));
    OEMCUIPPARAM items;
    ZeroMemory(&items, sizeof(items));
    EXPECT_EQ(S_OK, plugin.ui->CommonUIProp(OEMCUIP_DOCPROP, &items));

    HostSheet sheet = {};
    ASSERT_TRUE(HostOpenDocumentProperties(&sheet, plugin.ui, NULL, L"Spor"));
    PropSheet_SetCurSel(sheet.window, NULL, 4);
    HostPumpSheet(&sheet);
    PropSheet_SetCurSel(sheet.window, NULL, 0);
    HostPumpSheet(&sheet);
    PropSheet_PressButton(sheet.window, PSBTN_CANCEL);
    for (int i = 0; i < 3; ++i)
        HostPumpSheet(&sheet);
    HostEndSheet(&sheet);

    SETRESULT_INFO result = {};
    result.cbSize = sizeof(result);
    result.Result = CPSUI_OK;
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof(info);
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    EXPECT_EQ(S_OK, plugin.ui->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&result)));
    info.Reason = PROPSHEETUI_REASON_GET_ICON;
    EXPECT_EQ(E_FAIL, plugin.ui->DocumentPropertySheets(&info, 0));

    const char *const lines[] = {
        "Entered OEMPrinterEvent = 0",
        "OEMPrinterEvent(" HOST_TEST_PREFIX_NARROW "Variant), iDriverEvent = 0",
        "OEMDevMode(OEMDM_CONVERT)",
        "OEMCommonUIProp()",
        "OEMDevMode(OEMDM_SIZE)",
        "OEMDevMode(OEMDM_DEFAULT)",
        "OEMDevMode(OEMDM_MERGE)",
        "OEMDevMode(" HOST_TEST_PREFIX_NARROW "Variant)",
        "OEMDocumentPropertySheets(PROPSHEETUI_REASON_INIT):",
        "Entering GetUserInfo()...",
        "GetUserInfo(pszPrinterName, " HOST_TEST_PREFIX_NARROW "Variant)...",
        "Entering SetUserInfo()...",
        "SetUserInfo(pszPrinterName, " HOST_TEST_PREFIX_NARROW "Variant)...",
        "BRIVELDocDocInfoPSDlgProc(WM_NOTIFY): ",
        "Cancel button hit...",
        "OEMDocumentPropertySheets(PROPSHEETUI_REASON_DESTROY):",
        "OEMDocumentPropertySheets(PROPSHEETUI_REASON_SET_RESULT):",
        "OEMDocumentPropertySheets()",
    };
    std::string log = Log();
    for (const char *line : lines)
        EXPECT_NE(std::string::npos, log.find(std::string(":") + line)) << line;
}

} // namespace
