// The harness's Document Properties: it plays the core driver UI (devmode
// size, default and merge; the OEMUIPSPARAM with a private heap) and the
// platform's common property-sheet UI (the pfnComPropSheet callback, one
// modeless PropertySheetW, results passed back through SET_RESULT).
#pragma once

#include "host/plugin_host.h"

struct HostSetResult {
    LONG_PTR page;
    LRESULT result;
    HRESULT answer; // what DocumentPropertySheets(SET_RESULT) returned
};

struct HostSheet {
    IPrintOemUI *ui;
    HANDLE heap;
    BYTE *defaultDevmode; // OEMDM_DEFAULT's output, the merge's input
    BYTE *devmode;        // the sheet's private devmode
    DWORD devmodeSize;
    OEMUIPSPARAM param;
    PROPSHEETUI_INFO info;
    HRESULT initResult;

    // Pages the callback created, in order.
    HPROPSHEETPAGE pages[16];
    LONG_PTR pageHandles[16];
    int pageCount;
    bool refusePages; // the callback refuses every page, as a failing host would

    HostSetResult results[64];
    int resultCount;

    HWND window;
};

// Sizes, defaults and merges the private devmode as the core driver does.
// hPrinter may be NULL; the merge then cannot learn the driver's name.
bool HostPrepareDevmode(HostSheet *sheet, IPrintOemUI *ui, HANDLE hPrinter);

// DocumentPropertySheets(PROPSHEETUI_REASON_INIT) with the harness's
// callback; the pages land in sheet->pages.
HRESULT HostAddPages(HostSheet *sheet);

// Shows the added pages in one modeless property sheet.
HWND HostShowSheet(HostSheet *sheet, const wchar_t *caption);

// Dispatches pending messages; once the sheet has been closed by OK or
// Cancel, destroys it. Returns whether the sheet is still open.
bool HostPumpSheet(HostSheet *sheet);

// Runs the message loop until the user closes the sheet.
void HostRunSheet(HostSheet *sheet);

// Destroys a sheet still open, sends PROPSHEETUI_REASON_DESTROY and frees
// the heap. Returns what DESTROY answered.
HRESULT HostEndSheet(HostSheet *sheet);

// The whole opening: devmode, pages, sheet.
bool HostOpenDocumentProperties(HostSheet *sheet, IPrintOemUI *ui, HANDLE hPrinter, const wchar_t *caption);
