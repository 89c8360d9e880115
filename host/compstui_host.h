// Document Properties inside the platform's own common property-sheet UI
// (CommonPropertySheetUIW): the harness's top callback plays the core driver
// and hands the sheet to the plug-in, as the driver does.
#pragma once

#include "host/sheet_host.h"

struct HostCommonSheet {
    IPrintOemUI *ui;
    HostSheet sheet;       // devmode, heap and OEMUIPSPARAM as the core driver keeps them
    LONG result;           // what CommonPropertySheetUIW returned
    DWORD reasonsSeen;     // bit per reason the top callback received
    HRESULT pluginInit;    // the plug-in's answer to INIT
};

// Runs the modal common UI until the user closes it.
LONG HostRunCommonPropertySheet(HostCommonSheet *common, IPrintOemUI *ui, HANDLE hPrinter, HWND owner);
