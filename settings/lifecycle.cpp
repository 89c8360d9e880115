#include "settings/lifecycle.h"

BOOL OEMPrinterEvent(PWSTR, INT, DWORD, LPARAM)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL OEMUpgradePrinter(DWORD, PBYTE)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL OEMCommonUIProp(DWORD, POEMCUIPPARAM)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
