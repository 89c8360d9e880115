// The sheet inside the platform's own common property-sheet UI, which is
// modal and sends reasons of its own.
#include <commctrl.h>

#include "host/compstui_host.h"
#include "host/platform_kind.h"
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class CommonUiTest : public SheetFixture {};

TEST_F(CommonUiTest, PagesWorkInsideTheModalCommonUi)
{
    int pages = -1;
    ModalScript script({{L"*", [&](HWND frame) {
                             pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(frame));
                             PropSheet_SetCurSel(frame, NULL, 1);
                             HWND color = PropSheet_GetCurrentPageHwnd(frame);
                             ClickButton(color, IDC_COLOR_PRINTER_SCREENED);
                             PropSheet_PressButton(frame, PSBTN_OK);
                         }}});
    HostCommonSheet common;
    LONG result = HostRunCommonPropertySheet(&common, ui, NULL, NULL);
    EXPECT_TRUE(script.Finished()) << "the common UI's sheet did not appear";
    EXPECT_EQ(CPSUI_OK, result);
    EXPECT_EQ(S_OK, common.pluginInit);
    EXPECT_EQ(5, pages);
    EXPECT_TRUE(common.reasonsSeen & (1u << PROPSHEETUI_REASON_INIT));
    EXPECT_TRUE(common.reasonsSeen & (1u << PROPSHEETUI_REASON_DESTROY));
    // Wine's common UI never passes a page's result up to the top callback;
    // Windows' passes it to the parent's callback, so there it may be seen.
    if (HostWineVersion()) {
        EXPECT_FALSE(common.reasonsSeen & (1u << PROPSHEETUI_REASON_SET_RESULT)) << "Wine's common UI never sends it";
    }
    EXPECT_EQ(1, Stored().printerMode) << "OK saved the Color page";
}

} // namespace
