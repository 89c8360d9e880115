#include "host/sheet_host.h"

#include <commctrl.h>

static LONG_PTR CALLBACK HostComPropSheet(HANDLE hComPropSheet, UINT function, LPARAM lParam1, LPARAM lParam2)
{
    HostSheet *sheet = static_cast<HostSheet *>(hComPropSheet);
    switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW: {
        if (sheet->refusePages || sheet->pageCount == ARRAYSIZE(sheet->pages))
            return 0;
        HPROPSHEETPAGE page = CreatePropertySheetPageW(reinterpret_cast<LPCPROPSHEETPAGEW>(lParam1));
        if (!page)
            return 0;
        sheet->pages[sheet->pageCount] = page;
        sheet->pageHandles[sheet->pageCount] = reinterpret_cast<LONG_PTR>(page);
        ++sheet->pageCount;
        HostSay("CPSFUNC_ADD_PROPSHEETPAGEW: page %d added\n", sheet->pageCount);
        return reinterpret_cast<LONG_PTR>(page);
    }
    case CPSFUNC_SET_RESULT: {
        // The common UI hands a page's result to the plug-in's sheet
        // callback, which passes it on to the host.
        SETRESULT_INFO setResult;
        ZeroMemory(&setResult, sizeof(setResult));
        setResult.cbSize = sizeof(setResult);
        setResult.hSetResult = reinterpret_cast<HANDLE>(lParam1);
        setResult.Result = lParam2;
        sheet->info.Reason = PROPSHEETUI_REASON_SET_RESULT;
        HRESULT hr = sheet->ui->DocumentPropertySheets(&sheet->info, reinterpret_cast<LPARAM>(&setResult));
        if (sheet->resultCount < static_cast<int>(ARRAYSIZE(sheet->results))) {
            HostSetResult &r = sheet->results[sheet->resultCount++];
            r.page = lParam1;
            r.result = lParam2;
            r.answer = hr;
        }
        HostSay("CPSFUNC_SET_RESULT: page result %ld, DocumentPropertySheets(SET_RESULT) 0x%08lx\n",
                static_cast<long>(lParam2), static_cast<unsigned long>(hr));
        return 1;
    }
    }
    return 0;
}

bool HostPrepareDevmode(HostSheet *sheet, IPrintOemUI *ui, HANDLE hPrinter)
{
    ZeroMemory(sheet, sizeof(*sheet));
    sheet->ui = ui;
    sheet->heap = HeapCreate(0, 0, 0);
    if (!sheet->heap)
        return false;

    OEMDMPARAM dm;
    ZeroMemory(&dm, sizeof(dm));
    dm.cbSize = sizeof(dm);
    dm.hPrinter = hPrinter;
    HRESULT hr = ui->DevMode(OEMDM_SIZE, &dm);
    HostSay("DevMode(OEMDM_SIZE): 0x%08lx, %lu bytes\n", static_cast<unsigned long>(hr),
            static_cast<unsigned long>(dm.cbBufSize));
    if (FAILED(hr) || dm.cbBufSize < sizeof(OEM_DMEXTRAHEADER))
        return false;
    sheet->devmodeSize = dm.cbBufSize;
    sheet->defaultDevmode = static_cast<BYTE *>(HeapAlloc(sheet->heap, HEAP_ZERO_MEMORY, dm.cbBufSize));
    sheet->devmode = static_cast<BYTE *>(HeapAlloc(sheet->heap, HEAP_ZERO_MEMORY, dm.cbBufSize));
    if (!sheet->defaultDevmode || !sheet->devmode)
        return false;

    dm.pOEMDMOut = sheet->defaultDevmode;
    hr = ui->DevMode(OEMDM_DEFAULT, &dm);
    HostSay("DevMode(OEMDM_DEFAULT): 0x%08lx\n", static_cast<unsigned long>(hr));
    if (FAILED(hr))
        return false;

    dm.pOEMDMIn = sheet->defaultDevmode;
    dm.pOEMDMOut = sheet->devmode;
    hr = ui->DevMode(OEMDM_MERGE, &dm);
    HostSay("DevMode(OEMDM_MERGE): 0x%08lx\n", static_cast<unsigned long>(hr));
    return SUCCEEDED(hr);
}

HRESULT HostAddPages(HostSheet *sheet)
{
    sheet->param.cbSize = sizeof(sheet->param);
    sheet->param.hOEMHeap = sheet->heap;
    sheet->param.pOEMDM = sheet->devmode;

    sheet->info.cbSize = sizeof(sheet->info);
    sheet->info.Version = PROPSHEETUI_INFO_VERSION;
    sheet->info.Flags = PSUIINFO_UNICODE;
    sheet->info.Reason = PROPSHEETUI_REASON_INIT;
    sheet->info.hComPropSheet = sheet;
    sheet->info.pfnComPropSheet = HostComPropSheet;
    sheet->info.lParamInit = reinterpret_cast<LPARAM>(&sheet->param);
    sheet->initResult = sheet->ui->DocumentPropertySheets(&sheet->info, 0);
    HostSay("DocumentPropertySheets(PROPSHEETUI_REASON_INIT): 0x%08lx, %d pages\n",
            static_cast<unsigned long>(sheet->initResult), sheet->pageCount);
    return sheet->initResult;
}

HWND HostShowSheet(HostSheet *sheet, const wchar_t *caption)
{
    if (!sheet->pageCount)
        return NULL;
    PROPSHEETHEADERW header;
    ZeroMemory(&header, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = caption;
    header.nPages = sheet->pageCount;
    header.phpage = sheet->pages;
    sheet->window = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet->window == reinterpret_cast<HWND>(-1))
        sheet->window = NULL;
    return sheet->window;
}

bool HostPumpSheet(HostSheet *sheet)
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (!sheet->window || !PropSheet_IsDialogMessage(sheet->window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // A modeless sheet closed by OK or Cancel has no current page left.
    if (sheet->window && !PropSheet_GetCurrentPageHwnd(sheet->window)) {
        DestroyWindow(sheet->window);
        sheet->window = NULL;
    }
    return sheet->window != NULL;
}

void HostRunSheet(HostSheet *sheet)
{
    while (HostPumpSheet(sheet))
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
}

HRESULT HostEndSheet(HostSheet *sheet)
{
    if (sheet->window) {
        DestroyWindow(sheet->window);
        sheet->window = NULL;
    }
    HRESULT hr = S_OK;
    if (sheet->ui && sheet->info.cbSize) {
        sheet->info.Reason = PROPSHEETUI_REASON_DESTROY;
        hr = sheet->ui->DocumentPropertySheets(&sheet->info, 0);
        HostSay("DocumentPropertySheets(PROPSHEETUI_REASON_DESTROY): 0x%08lx\n", static_cast<unsigned long>(hr));
    }
    if (sheet->heap)
        HeapDestroy(sheet->heap);
    sheet->heap = NULL;
    sheet->devmode = sheet->defaultDevmode = NULL;
    return hr;
}

bool HostOpenDocumentProperties(HostSheet *sheet, IPrintOemUI *ui, HANDLE hPrinter, const wchar_t *caption)
{
    if (!HostPrepareDevmode(sheet, ui, hPrinter))
        return false;
    if (FAILED(HostAddPages(sheet)))
        return false;
    return HostShowSheet(sheet, caption) != NULL;
}
