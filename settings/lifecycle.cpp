// The printer lifecycle handlers: the store follows the printer's life, the
// spooler learns which rendering module to load, upgrades are counted, and
// the driver's own items leave Printer Properties.
#include "settings/lifecycle.h"

#include "diag/tracelog.h"
#include "settings/language.h"
#include "settings/printername.h"
#include "settings/store.h"

#define RENDERING_MODULE_UNITS 128

static HANDLE OpenPrinterForData(PWSTR pPrinterName)
{
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE printer = NULL;
    if (!OpenPrinterW(pPrinterName, &printer, &defaults))
        return NULL;
    return printer;
}

static void StoreDefaultRecord(PCWSTR shortName)
{
    UserOptions record;
    MakeDefaultRecord(&record);
    SetUserInfo(&record, shortName);
}

// The value is a fixed 128-character field; the units behind the name's
// terminator are zero so that nothing of our stack reaches the registry.
static BOOL RegisterRenderingModule(PWSTR pPrinterName)
{
    HANDLE printer = OpenPrinterForData(pPrinterName);
    if (!printer)
        return FALSE;

    PCWSTR module = RenderingModuleName();
    if (!module) {
        ClosePrinter(printer);
        TraceLog("OEMPrinterEvent() - SELECTED_LANGUAGE = noLanguage\n");
        return FALSE;
    }
    WCHAR field[RENDERING_MODULE_UNITS] = {0};
    lstrcpynW(field, module, RENDERING_MODULE_UNITS);
    DWORD result = SetPrinterDataW(printer, const_cast<PWSTR>(L"SPLUserModePrinterDriver"), REG_SZ,
                                   reinterpret_cast<BYTE *>(field), sizeof(field));
    ClosePrinter(printer);
    return result == ERROR_SUCCESS;
}

BOOL OEMPrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD, LPARAM)
{
    TraceLog("Entered OEMPrinterEvent = %d\n", iDriverEvent);
    // A name that does not fit would key the store by a cut name; refuse it
    // before anything changes.
    if (!pPrinterName || !SetCurrentPrinterName(pPrinterName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    TraceLog("OEMPrinterEvent(%s), iDriverEvent = %d\n", CurrentPrinterName, iDriverEvent);

    switch (iDriverEvent) {
    case PRINTER_EVENT_ADD_CONNECTION:
    case PRINTER_EVENT_CACHE_REFRESH:
        StoreDefaultRecord(CurrentPrinterName);
        break;
    case PRINTER_EVENT_INITIALIZE:
        StoreDefaultRecord(CurrentPrinterName);
        return RegisterRenderingModule(pPrinterName);
    case PRINTER_EVENT_DELETE_CONNECTION:
    case PRINTER_EVENT_DELETE:
    case PRINTER_EVENT_CACHE_DELETE:
        DeleteUserInfo(CurrentPrinterName);
        break;
    }
    return TRUE;
}

BOOL OEMUpgradePrinter(DWORD, PBYTE pDriverUpgradeInfo)
{
    if (!pDriverUpgradeInfo)
        return TRUE;
    HANDLE printer = OpenPrinterForData(reinterpret_cast<DRIVER_UPGRADE_INFO_1 *>(pDriverUpgradeInfo)->pPrinterName);
    if (!printer)
        return FALSE;

    DWORD count = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer, const_cast<PWSTR>(L"NumInstallsSeen"), NULL, reinterpret_cast<BYTE *>(&count),
                        sizeof(count), &needed) == ERROR_SUCCESS)
        ++count;
    else
        count = 1;
    SetPrinterDataW(printer, const_cast<PWSTR>(L"NumInstallsSeen"), REG_DWORD, reinterpret_cast<BYTE *>(&count),
                    sizeof(count));
    ClosePrinter(printer);
    return TRUE;
}

BOOL OEMCommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam)
{
    TraceLog("OEMCommonUIProp()\n");
    if (!pOemCUIPParam || (dwMode != OEMCUIP_DOCPROP && dwMode != OEMCUIP_PRNPROP)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!pOemCUIPParam->pOEMOptItems) {
        pOemCUIPParam->cOEMOptItems = 0;
        return TRUE;
    }
    // Only Printer Properties hides the driver's items; Document Properties
    // keeps them beside our pages.
    if (dwMode == OEMCUIP_PRNPROP) {
        if (pOemCUIPParam->cDrvOptItems && !pOemCUIPParam->pDrvOptItems) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        for (DWORD i = 0; i < pOemCUIPParam->cDrvOptItems; ++i)
            pOemCUIPParam->pDrvOptItems[i].Flags = OPTIF_HIDE;
    }
    return TRUE;
}
