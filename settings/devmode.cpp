#include "settings/devmode.h"

BOOL OEMDevMode(DWORD, POEMDMPARAM)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
