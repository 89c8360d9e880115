// oemhostcfg.dll: the stand-in for the core driver's configuration module.
// Wine's AddPrinterW asks it for the printer's default devmode, so it answers
// that and nothing more; the harness plays the core driver itself.
#include <windows.h>
#include <winspool.h>

#include "platform/oemui.h"

extern "C" LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    if (pPSUIInfo)
        return CPSUI_OK;
    DOCUMENTPROPERTYHEADER *header = reinterpret_cast<DOCUMENTPROPERTYHEADER *>(lParam);
    if (!header)
        return -1;
    if (!header->pdmOut || header->fMode == 0)
        return sizeof(DEVMODEW);
    if (header->cbOut < sizeof(DEVMODEW))
        return -1;

    DEVMODEW *devmode = header->pdmOut;
    ZeroMemory(devmode, sizeof(DEVMODEW));
    if (header->pszPrinterName)
        lstrcpynW(devmode->dmDeviceName, header->pszPrinterName, CCHDEVICENAME);
    devmode->dmSpecVersion = DM_SPECVERSION;
    devmode->dmSize = sizeof(DEVMODEW);
    return IDOK;
}
