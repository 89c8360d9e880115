// Building the sheet: the five pages go to the common property-sheet UI
// through its callback, and the results it reports come back through here.
#include "pages/sheet.h"

#include "diag/tracelog.h"
#include "platform/module.h"
#include "pages/pages.h"
#include "pages/sheet_record.h"
#include "resources/resource.h"

struct PageDescription {
    WORD templateId;
    DLGPROC dialogProc;
};

static const PageDescription SheetPages[PAGE_COUNT] = {
    {IDD_FILE_PAGE, CFileDlgProc},   {IDD_COLOR_PAGE, CColorDlgProc},
    {IDD_OTHER_PAGE, COtherDlgProc}, {IDD_TRAY_PAGE, CTrayDlgProc},
    {IDD_INFO_PAGE, BRIVELDocDocInfoPSDlgProc},
};

// Returns -1, with the thread's last error set, when no page could be
// added because the sheet's block is missing or cannot be allocated.
static LONG AddSheetPages(PPROPSHEETUI_INFO info)
{
    POEMUIPSPARAM param = reinterpret_cast<POEMUIPSPARAM>(info->lParamInit);
    if (!param) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    PageUserData *data =
        static_cast<PageUserData *>(HeapAlloc(param->hOEMHeap, HEAP_ZERO_MEMORY, sizeof(PageUserData)));
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return -1;
    }
    data->hComPropSheet = info->hComPropSheet;
    data->pfnComPropSheet = info->pfnComPropSheet;
    param->pOEMUserData = data;
    StartSheetRecord(param);

    // With dwFlags 0 each tab shows its template's caption.
    PROPSHEETPAGEW page;
    ZeroMemory(&page, sizeof(page));
    page.dwSize = QLX_PROPSHEETPAGEW_V2_SIZE;
    page.dwFlags = 0;
    page.hInstance = ModuleInstance;
    page.lParam = reinterpret_cast<LPARAM>(param);

    LONG result = 0;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        page.pszTemplate = MAKEINTRESOURCEW(SheetPages[i].templateId);
        page.pfnDlgProc = SheetPages[i].dialogProc;
        data->pageHandles[i] = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                                     reinterpret_cast<LPARAM>(&page), 0);
        if (data->pageHandles[i])
            result = 1;
    }
    return result;
}

LONG OEMDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    // The host never passes these NULL; a bad caller gets a failure, not a
    // crash in the process that hosts us.
    if (!pPSUIInfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG result;
    switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_INIT:
        result = AddSheetPages(pPSUIInfo);
        // Without the block nothing was added, and the host's Result stays.
        if (result < 0)
            return 0;
        TraceLog("OEMDocumentPropertySheets(PROPSHEETUI_REASON_INIT):\n");
        break;
    case PROPSHEETUI_REASON_DESTROY:
        result = 1;
        TraceLog("OEMDocumentPropertySheets(PROPSHEETUI_REASON_DESTROY):\n");
        break;
    case PROPSHEETUI_REASON_SET_RESULT:
        // Without its result block the call fails like any other bad
        // argument: with the reason in the last error.
        if (!lParam)
            SetLastError(ERROR_INVALID_PARAMETER);
        result = lParam ? static_cast<LONG>(reinterpret_cast<const SETRESULT_INFO *>(lParam)->Result) : 0;
        TraceLog("OEMDocumentPropertySheets(PROPSHEETUI_REASON_SET_RESULT):\n");
        break;
    default:
        result = 0;
        TraceLog("OEMDocumentPropertySheets()\n");
        break;
    }
    pPSUIInfo->Result = result;
    return result;
}
