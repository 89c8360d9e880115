// Assembling the sheet and the protocol every page follows: the store as the
// only channel between pages, Apply, Cancel's wipe, Defaults and the
// changed mark.
#include <algorithm>

#include <commctrl.h>

#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

PROPSHEETUI_INFO InfoFor(WORD reason)
{
    PROPSHEETUI_INFO info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.Reason = reason;
    info.Result = 0x77;
    return info;
}

class SheetTest : public SheetFixture {};

TEST_F(SheetTest, AddsFivePagesInOrderWithTheirTabs)
{
    OpenSheet();
    EXPECT_EQ(S_OK, sheet.initResult);
    EXPECT_EQ(1u, sheet.info.Result);
    ASSERT_EQ(5, sheet.pageCount);

    const wchar_t *expected[] = {L"Fil", L"Farve", L"Andet", L"Bakke", L"Info"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(std::wstring(expected[i]), SheetTabText(sheet.window, i));
    // The block the pages share lives in the host's heap.
    ASSERT_TRUE(sheet.param.pOEMUserData != NULL);
    EXPECT_TRUE(HeapValidate(sheet.heap, 0, sheet.param.pOEMUserData));
}

TEST_F(SheetTest, PageDescriptionIsTheSecondVersionsSize)
{
    static UINT seenSize;
    struct Capture {
        static LONG_PTR CALLBACK Callback(HANDLE, UINT function, LPARAM lParam1, LPARAM)
        {
            if (function == CPSFUNC_ADD_PROPSHEETPAGEW)
                seenSize = reinterpret_cast<const PROPSHEETPAGEW *>(lParam1)->dwSize;
            return 0;
        }
    };
    HANDLE heap = HeapCreate(0, 0, 0);
    OEMUIPSPARAM param = {};
    param.cbSize = sizeof(param);
    param.hOEMHeap = heap;
    PROPSHEETUI_INFO info = InfoFor(PROPSHEETUI_REASON_INIT);
    info.pfnComPropSheet = Capture::Callback;
    info.lParamInit = reinterpret_cast<LPARAM>(&param);

    // Every addition refused: no page, and the sheet fails.
    EXPECT_EQ(E_FAIL, ui->DocumentPropertySheets(&info, 0));
    EXPECT_EQ(0u, info.Result);
    EXPECT_EQ(sizeof(void *) == 4 ? 48u : 88u, seenSize);
    HeapDestroy(heap);
}

TEST_F(SheetTest, ReasonsReportTheirResults)
{
    PROPSHEETUI_INFO info = InfoFor(PROPSHEETUI_REASON_DESTROY);
    EXPECT_EQ(S_OK, ui->DocumentPropertySheets(&info, 0));
    EXPECT_EQ(1u, info.Result);

    SETRESULT_INFO result = {};
    result.cbSize = sizeof(result);
    result.Result = CPSUI_CANCEL;
    info = InfoFor(PROPSHEETUI_REASON_SET_RESULT);
    EXPECT_EQ(E_FAIL, ui->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&result)));
    EXPECT_EQ(0u, info.Result);
    result.Result = CPSUI_OK;
    EXPECT_EQ(S_OK, ui->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&result)));
    EXPECT_EQ(1u, info.Result);

    info = InfoFor(PROPSHEETUI_REASON_GET_ICON);
    EXPECT_EQ(E_FAIL, ui->DocumentPropertySheets(&info, 0));
    EXPECT_EQ(0u, info.Result);
    info = InfoFor(PROPSHEETUI_REASON_BEFORE_INIT);
    EXPECT_EQ(E_FAIL, ui->DocumentPropertySheets(&info, 0));
    EXPECT_EQ(0u, info.Result);
}

TEST_F(SheetTest, AllRefusedPagesFailTheSheet)
{
    ASSERT_TRUE(HostPrepareDevmode(&sheet, ui, NULL));
    sheet.refusePages = true;
    EXPECT_EQ(E_FAIL, HostAddPages(&sheet));
    EXPECT_EQ(0u, sheet.info.Result);
    EXPECT_EQ(0, sheet.pageCount);
}

TEST_F(SheetTest, ApplyReportsOkOncePerCreatedPageWithItsOwnHandle)
{
    OpenSheet();
    ShowPage(1);
    ShowPage(3);
    sheet.resultCount = 0;
    PressSheetButton(PSBTN_APPLYNOW);

    ASSERT_EQ(3, sheet.resultCount) << "File, Color and Tray were created";
    std::vector<LONG_PTR> handles;
    for (int i = 0; i < sheet.resultCount; ++i) {
        EXPECT_EQ(CPSUI_OK, sheet.results[i].result);
        EXPECT_EQ(S_OK, sheet.results[i].answer) << "SET_RESULT passed the result through";
        handles.push_back(sheet.results[i].page);
    }
    for (int page : {0, 1, 3})
        EXPECT_NE(handles.end(), std::find(handles.begin(), handles.end(), sheet.pageHandles[page]));
}

TEST_F(SheetTest, StoreIsTheOnlyChannelBetweenPages)
{
    OpenSheet();
    HWND color = ShowPage(1);
    ClickButton(color, IDC_COLOR_PRINTER_SCREENED);
    HWND other = ShowPage(2); // leaving Color saves its section
    EXPECT_EQ(1, Stored().printerMode);
    ClickButton(other, IDC_OTHER_MIRROR);
    ShowPage(4);
    UserOptions stored = Stored();
    EXPECT_EQ(1, stored.printerMode) << "the Other page's save kept the Color page's choice";
    EXPECT_EQ(1, stored.mirror);
}

TEST_F(SheetTest, LeavingAPageOverwritesOnlyItsOwnSection)
{
    UserOptions planted = DefaultRecord();
    planted.mirror = 1;
    planted.staple = 3;
    lstrcpyW(planted.owner, L"Planted");
    planted.jobAux7 = 9;
    WriteStored(name, planted);

    OpenSheet();
    HWND file = ShowPage(0);
    // Meanwhile another writer changes the Tray section.
    UserOptions changed = planted;
    changed.staple = 1;
    WriteStored(name, changed);
    ClickButton(file, IDC_FILE_SPOOL_HOLD);
    ShowPage(1);

    UserOptions stored = Stored();
    EXPECT_EQ(2, stored.jobAction);
    EXPECT_EQ(1, stored.staple) << "not rolled back to what the page read at creation";
    EXPECT_EQ(1, stored.mirror);
    EXPECT_STREQ(L"Planted", stored.owner);
    EXPECT_EQ(9, stored.jobAux7);
}

TEST_F(SheetTest, CancelWipesIdentityEvenIfInfoWasNeverOpened)
{
    UserOptions planted = DefaultRecord();
    lstrcpyW(planted.owner, L"Ejeren");
    lstrcpyW(planted.jobPassword, L"hemmelig");
    lstrcpyW(planted.comment, L"Til mødet");
    lstrcpyW(planted.accountNumber, L"4711");
    lstrcpyW(planted.securePassword, L"1234");
    planted.securePrint = 1;
    planted.hasJobPassword = 1;
    WriteStored(name, planted);

    OpenSheet();
    HWND color = ShowPage(1);
    ClickButton(color, IDC_COLOR_PRINTER_SCREENED);
    ShowPage(3); // the Color change is saved here
    PressSheetButton(PSBTN_CANCEL);

    UserOptions stored = Stored();
    EXPECT_EQ(1, stored.printerMode) << "sections saved earlier stay";
    EXPECT_STREQ(L"", stored.owner);
    EXPECT_STREQ(L"", stored.jobPassword);
    EXPECT_STREQ(L"", stored.accountNumber);
    EXPECT_STREQ(L"", stored.securePassword);
    EXPECT_EQ(0, stored.securePrint);
    EXPECT_EQ(0, stored.hasJobPassword);
    EXPECT_STREQ(L"Til mødet", stored.comment);
    EXPECT_TRUE(sheet.window == NULL) << "the sheet closed";
}

TEST_F(SheetTest, DefaultsThenCancelLeavesTheSectionAsStored)
{
    UserOptions planted = DefaultRecord();
    planted.gamma = 0;
    planted.printerMode = 1;
    WriteStored(name, planted);

    OpenSheet();
    HWND color = ShowPage(1);
    ClickButton(color, IDC_COLOR_DEFAULTS);
    EXPECT_EQ(3, ListSelection(color, IDC_COLOR_GAMMA));
    EXPECT_EQ(3, DevmodeRecord().gamma) << "Defaults act on the devmode";
    EXPECT_EQ(0, Stored().gamma) << "not on the store";
    PressSheetButton(PSBTN_CANCEL);
    EXPECT_EQ(0, Stored().gamma);
    EXPECT_EQ(1, Stored().printerMode);
}

TEST_F(SheetTest, AnyNotificationFromAListMarksTheSheetChanged)
{
    OpenSheet();
    HWND file = ShowPage(0);
    HWND list = GetDlgItem(file, IDC_FILE_DISPOSITION);
    SendMessageW(file, WM_COMMAND, MAKEWPARAM(IDC_FILE_DISPOSITION, CBN_SETFOCUS), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(1, ChangedCount);
    SendMessageW(file, WM_COMMAND, MAKEWPARAM(IDC_FILE_DISPOSITION, CBN_DROPDOWN), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(2, ChangedCount);
    EXPECT_FALSE(SendMessageW(file, WM_COMMAND, MAKEWPARAM(4242, BN_CLICKED), 0)) << "unknown controls are ignored";
    EXPECT_EQ(2, ChangedCount);
}

TEST_F(SheetTest, OkStoresTheCurrentPageAndReportsEveryCreatedPage)
{
    OpenSheet();
    HWND file = ShowPage(0);
    ClickButton(file, IDC_FILE_PROCESS_HOLD);
    sheet.resultCount = 0;
    PressSheetButton(PSBTN_OK);
    EXPECT_EQ(4, Stored().jobAction);
    EXPECT_EQ(1, sheet.resultCount);
    EXPECT_TRUE(sheet.window == NULL);
}

} // namespace
