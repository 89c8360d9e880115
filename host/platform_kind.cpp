#include "host/platform_kind.h"

#include <windows.h>

#include "host/plugin_host.h"

typedef const char *(CDECL *WineVersionProc)(void);

const char *HostWineVersion()
{
    static WineVersionProc wineVersion = HostProcAs<WineVersionProc>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"));
    return wineVersion ? wineVersion() : NULL;
}
