#include "host/printer_setup.h"

#include "host/plugin_host.h"

// Copies source into the spooler's driver directory under name.
static bool CopyToDriverDirectory(const wchar_t *source, const wchar_t *name)
{
    WCHAR target[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(NULL, NULL, 1, reinterpret_cast<BYTE *>(target), sizeof(target), &needed)) {
        HostSay("GetPrinterDriverDirectoryW failed, error %lu\n", GetLastError());
        return false;
    }
    lstrcatW(target, L"\\");
    lstrcatW(target, name);
    if (!CopyFileW(source, target, FALSE)) {
        HostSay("copying %ls to %ls failed, error %lu\n", source, target, GetLastError());
        return false;
    }
    return true;
}

// The plug-in's file name within its path.
static const wchar_t *FileName(const wchar_t *path)
{
    const wchar_t *name = path;
    for (const wchar_t *c = path; *c; ++c)
        if (*c == L'\\' || *c == L'/')
            name = c + 1;
    return name;
}

bool HostInstallDriver(const wchar_t *driverName, const wchar_t *configDll, const wchar_t *pluginDll)
{
    if (!CopyToDriverDirectory(configDll, HOST_DRIVER_CONFIG))
        return false;
    // A list of files: each name ends in a NUL, the list in one more.
    WCHAR dependent[MAX_PATH + 1] = L"";
    if (pluginDll) {
        if (!CopyToDriverDirectory(pluginDll, FileName(pluginDll)))
            return false;
        lstrcpynW(dependent, FileName(pluginDll), MAX_PATH);
        dependent[lstrlenW(dependent) + 1] = 0;
    }

    // Bare file names: the spooler finds them in its driver directory.
    DRIVER_INFO_3W info;
    ZeroMemory(&info, sizeof(info));
    info.cVersion = 3;
    info.pName = const_cast<LPWSTR>(driverName);
    info.pDriverPath = const_cast<LPWSTR>(HOST_DRIVER_CONFIG);
    info.pDataFile = const_cast<LPWSTR>(HOST_DRIVER_CONFIG);
    info.pConfigFile = const_cast<LPWSTR>(HOST_DRIVER_CONFIG);
    info.pDependentFiles = pluginDll ? dependent : NULL;
    if (!AddPrinterDriverW(NULL, 3, reinterpret_cast<BYTE *>(&info))) {
        HostSay("AddPrinterDriverW(%ls) failed, error %lu\n", driverName, GetLastError());
        return false;
    }
    HostSay("installed the printer driver \"%ls\"\n", driverName);
    return true;
}

bool HostAddPrinter(const wchar_t *printerName, const wchar_t *driverName)
{
    PRINTER_INFO_2W info;
    ZeroMemory(&info, sizeof(info));
    info.pPrinterName = const_cast<LPWSTR>(printerName);
    info.pPortName = const_cast<LPWSTR>(L"FILE:");
    info.pDriverName = const_cast<LPWSTR>(driverName);
    info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    HANDLE printer = AddPrinterW(NULL, 2, reinterpret_cast<BYTE *>(&info));
    if (!printer) {
        DWORD error = GetLastError();
        if (error == ERROR_PRINTER_ALREADY_EXISTS)
            return true;
        HostSay("AddPrinterW(%ls) failed, error %lu\n", printerName, error);
        return false;
    }
    ClosePrinter(printer);
    HostSay("added the printer \"%ls\" on FILE:\n", printerName);
    return true;
}

static HANDLE OpenForAdmin(const wchar_t *printerName)
{
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE printer = NULL;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &printer, &defaults))
        return NULL;
    return printer;
}

bool HostDeletePrinter(const wchar_t *printerName)
{
    HANDLE printer = OpenForAdmin(printerName);
    if (!printer)
        return false;
    bool ok = DeletePrinter(printer) != FALSE;
    ClosePrinter(printer);
    HostSay("DeletePrinter(%ls): %s\n", printerName, ok ? "done" : "failed");
    return ok;
}

DWORD HostGetPrinterData(const wchar_t *printerName, const wchar_t *valueName, DWORD *type, BYTE *data,
                         DWORD size, DWORD *needed)
{
    HANDLE printer = OpenForAdmin(printerName);
    if (!printer)
        return GetLastError();
    DWORD status = GetPrinterDataW(printer, const_cast<LPWSTR>(valueName), type, data, size, needed);
    ClosePrinter(printer);
    return status;
}

void HostDefaultDriverConfig(wchar_t *path, size_t cchPath)
{
    DWORD length = GetModuleFileNameW(NULL, path, static_cast<DWORD>(cchPath));
    while (length > 0 && path[length - 1] != L'\\')
        --length;
    path[length] = 0;
    lstrcpynW(path + length, HOST_DRIVER_CONFIG, static_cast<int>(cchPath - length));
}
