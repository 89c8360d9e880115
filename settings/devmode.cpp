// The devmode handler. Convert and merge copy the input extension whole: the
// record is one stored format on every architecture, so there is nothing to
// translate, and the pages always reread the store anyway.
#include "settings/devmode.h"

#include "diag/tracelog.h"
#include "platform/module.h"
#include "settings/printername.h"
#include "settings/useroptions.h"

// The driver's name becomes the store key of the pages. The area is as large
// as the spooler asks for; when the name cannot be read the previous key
// stays, which is better than keying the pages by a half-read name.
static void RecordDriverName(HANDLE hPrinter)
{
    DWORD needed = 0;
    GetPrinterDriverW(hPrinter, NULL, 1, NULL, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_1W))
        return;
    BYTE *area = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, needed));
    if (!area)
        return;
    DRIVER_INFO_1W *info = reinterpret_cast<DRIVER_INFO_1W *>(area);
    if (GetPrinterDriverW(hPrinter, NULL, 1, area, needed, &needed) && info->pName)
        SetCurrentPrinterName(info->pName);
    HeapFree(GetProcessHeap(), 0, area);
}

static BOOL DefaultExtension(POEMDMPARAM pOemDMParam)
{
    if (pOemDMParam->cbBufSize < sizeof(PrivateDevmode)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PrivateDevmode *out = static_cast<PrivateDevmode *>(pOemDMParam->pOEMDMOut);
    out->header.dwSize = pOemDMParam->cbBufSize;
    out->header.dwSignature = OEM_SIGNATURE;
    out->header.dwVersion = OEM_SIGNATURE;
    ResetUserOptions(out);
    return TRUE;
}

static void ConvertExtension(POEMDMPARAM pOemDMParam)
{
    const OEM_DMEXTRAHEADER *in = static_cast<const OEM_DMEXTRAHEADER *>(pOemDMParam->pOEMDMIn);
    const OEM_DMEXTRAHEADER *out = static_cast<const OEM_DMEXTRAHEADER *>(pOemDMParam->pOEMDMOut);
    if (pOemDMParam->cbBufSize >= sizeof(OEM_DMEXTRAHEADER) &&
        (in->dwSize != out->dwSize || in->dwSignature != out->dwSignature || in->dwVersion != out->dwVersion))
        TraceLog("OEMDevMode() - Bad version of OEMDM\n");
    CopyMemory(pOemDMParam->pOEMDMOut, pOemDMParam->pOEMDMIn, pOemDMParam->cbBufSize);
}

BOOL OEMDevMode(DWORD dwMode, POEMDMPARAM pOemDMParam)
{
    if (!pOemDMParam) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool needsOut = dwMode == OEMDM_DEFAULT || dwMode == OEMDM_CONVERT || dwMode == OEMDM_MERGE;
    bool needsIn = dwMode == OEMDM_CONVERT || dwMode == OEMDM_MERGE;
    if ((needsOut && !pOemDMParam->pOEMDMOut) || (needsIn && !pOemDMParam->pOEMDMIn)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    switch (dwMode) {
    case OEMDM_SIZE:
        TraceLog("OEMDevMode(OEMDM_SIZE)\n");
        pOemDMParam->cbBufSize = sizeof(PrivateDevmode);
        return TRUE;
    case OEMDM_DEFAULT:
        TraceLog("OEMDevMode(OEMDM_DEFAULT)\n");
        return DefaultExtension(pOemDMParam);
    case OEMDM_CONVERT:
        TraceLog("OEMDevMode(OEMDM_CONVERT)\n");
        ConvertExtension(pOemDMParam);
        return TRUE;
    case OEMDM_MERGE:
        TraceLog("OEMDevMode(OEMDM_MERGE)\n");
        RecordDriverName(pOemDMParam->hPrinter);
        TraceLog("OEMDevMode(%s)\n", CurrentPrinterName);
        CopyMemory(pOemDMParam->pOEMDMOut, pOemDMParam->pOEMDMIn, pOemDMParam->cbBufSize);
        return TRUE;
    }
    return TRUE;
}
