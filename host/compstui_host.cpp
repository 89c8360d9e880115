#include "host/compstui_host.h"

extern "C" LONG APIENTRY CommonPropertySheetUIW(HWND hWndOwner, PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam,
                                                LPDWORD pResult);

static HostCommonSheet *ActiveCommonSheet;

// The common UI calls this as a stdcall PFNPROPSHEETUI; MinGW's typedef
// lacks the convention, so the pointer is converted where it is handed over.
static LONG WINAPI HostTopSheetCallback(PPROPSHEETUI_INFO info, LPARAM lParam)
{
    HostCommonSheet *common = ActiveCommonSheet;
    if (!info || !common)
        return -1;
    if (info->Reason < 32)
        common->reasonsSeen |= 1u << info->Reason;

    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
        // The driver gives the plug-in its own block with the common UI's
        // sheet handle and callback.
        common->sheet.info = *info;
        common->sheet.param.cbSize = sizeof(common->sheet.param);
        common->sheet.param.hOEMHeap = common->sheet.heap;
        common->sheet.param.pOEMDM = common->sheet.devmode;
        common->sheet.info.lParamInit = reinterpret_cast<LPARAM>(&common->sheet.param);
        common->pluginInit = common->ui->DocumentPropertySheets(&common->sheet.info, 0);
        HostSay("CommonPropertySheetUIW INIT: plug-in answered 0x%08lx\n",
                static_cast<unsigned long>(common->pluginInit));
        info->Result = 1;
        return SUCCEEDED(common->pluginInit) ? 1 : -1;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        PROPSHEETUI_INFO_HEADER *header = reinterpret_cast<PROPSHEETUI_INFO_HEADER *>(lParam);
        header->pTitle = const_cast<LPTSTR>(L"Dokumentegenskaber");
        header->Flags = 0;
        header->hInst = GetModuleHandleW(NULL);
        return 1;
    }
    case PROPSHEETUI_REASON_DESTROY:
        common->sheet.info.Reason = PROPSHEETUI_REASON_DESTROY;
        common->ui->DocumentPropertySheets(&common->sheet.info, 0);
        return 1;
    }
    return 1;
}

LONG HostRunCommonPropertySheet(HostCommonSheet *common, IPrintOemUI *ui, HANDLE hPrinter, HWND owner)
{
    common->ui = ui;
    common->result = -1;
    common->reasonsSeen = 0;
    common->pluginInit = E_FAIL;
    if (!HostPrepareDevmode(&common->sheet, ui, hPrinter))
        return -1;
    ActiveCommonSheet = common;
    DWORD result = 0;
    PFNPROPSHEETUI callback = reinterpret_cast<PFNPROPSHEETUI>(reinterpret_cast<void (*)(void)>(HostTopSheetCallback));
    common->result = CommonPropertySheetUIW(owner, callback, 0, &result);
    HostSay("CommonPropertySheetUIW returned %ld\n", static_cast<long>(common->result));
    ActiveCommonSheet = NULL;
    // DESTROY was already sent by the common UI; only the heap is left.
    common->sheet.info.cbSize = 0;
    HostEndSheet(&common->sheet);
    return common->result;
}
