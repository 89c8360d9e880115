#include "host/printer_setup.h"

#include <string.h>

#include <initializer_list>

#include "host/plugin_host.h"

// A file copied into the spooler's driver directory for AddPrinterDriver,
// which installs it into the directory's version folder.
struct StagedFile {
    WCHAR path[MAX_PATH];
    bool created; // no file of that name was there before
};

// Copies source into the spooler's driver directory under name.
static bool CopyToDriverDirectory(const wchar_t *source, const wchar_t *name, StagedFile *staged)
{
    staged->created = false;
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(NULL, NULL, 1, reinterpret_cast<BYTE *>(staged->path), sizeof(staged->path),
                                    &needed)) {
        HostSay("GetPrinterDriverDirectoryW failed, error %lu\n", GetLastError());
        return false;
    }
    lstrcatW(staged->path, L"\\");
    lstrcatW(staged->path, name);
    staged->created = GetFileAttributesW(staged->path) == INVALID_FILE_ATTRIBUTES;
    if (!CopyFileW(source, staged->path, FALSE)) {
        HostSay("copying %ls to %ls failed, error %lu\n", source, staged->path, GetLastError());
        return false;
    }
    return true;
}

// Once the driver is installed the copy has served; only a copy this
// program placed is removed.
static void RemoveStagedFile(const StagedFile *staged)
{
    if (staged->created)
        DeleteFileW(staged->path);
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

// Whether both files hold the same bytes.
static bool SameContent(const wchar_t *first, const wchar_t *second)
{
    HANDLE files[2];
    files[0] = CreateFileW(first, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    files[1] = CreateFileW(second, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    bool same = files[0] != INVALID_HANDLE_VALUE && files[1] != INVALID_HANDLE_VALUE &&
                GetFileSize(files[0], NULL) == GetFileSize(files[1], NULL);
    BYTE chunks[2][4096];
    DWORD read[2] = {1, 1};
    while (same && read[0]) {
        same = ReadFile(files[0], chunks[0], sizeof(chunks[0]), &read[0], NULL) &&
               ReadFile(files[1], chunks[1], sizeof(chunks[1]), &read[1], NULL) && read[0] == read[1] &&
               !memcmp(chunks[0], chunks[1], read[0]);
    }
    for (HANDLE file : files)
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    return same;
}

// A driver's file as a path: the spooler may name dependent files without
// their folder, the version folder of its driver directory.
static void DriverFilePath(const wchar_t *file, wchar_t *path, size_t cchPath)
{
    DWORD needed = 0;
    if (wcschr(file, L'\\') ||
        !GetPrinterDriverDirectoryW(NULL, NULL, 1, reinterpret_cast<BYTE *>(path), cchPath * sizeof(wchar_t),
                                    &needed)) {
        lstrcpynW(path, file, static_cast<int>(cchPath));
        return;
    }
    size_t length = lstrlenW(path);
    if (length + 3 + lstrlenW(file) < cchPath) {
        lstrcpyW(path + length, L"\\3\\");
        lstrcpyW(path + length + 3, file);
    }
}

bool HostWouldReplaceDriverFile(const wchar_t *source, const wchar_t *exceptDriver)
{
    const wchar_t *fileName = FileName(source);
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(NULL, NULL, 3, NULL, 0, &needed, &count);
    if (!needed)
        return false;
    BYTE *buffer = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, needed));
    if (!buffer || !EnumPrinterDriversW(NULL, NULL, 3, buffer, needed, &needed, &count))
        count = 0;
    const DRIVER_INFO_3W *drivers = reinterpret_cast<const DRIVER_INFO_3W *>(buffer);
    bool inUse = false;
    for (DWORD i = 0; i < count && !inUse; ++i) {
        if (HostHasTestPrefix(drivers[i].pName) || (exceptDriver && !lstrcmpiW(drivers[i].pName, exceptDriver)))
            continue;
        const wchar_t *named = NULL;
        for (const wchar_t *file : {drivers[i].pDriverPath, drivers[i].pDataFile, drivers[i].pConfigFile})
            if (file && !lstrcmpiW(FileName(file), fileName))
                named = file;
        // A list of names, each ending in a NUL, the list in one more.
        for (const wchar_t *file = drivers[i].pDependentFiles; file && *file; file += lstrlenW(file) + 1)
            if (!lstrcmpiW(FileName(file), fileName))
                named = file;
        wchar_t installed[MAX_PATH];
        if (named) {
            DriverFilePath(named, installed, MAX_PATH);
            inUse = !SameContent(source, installed);
        }
    }
    HeapFree(GetProcessHeap(), 0, buffer);
    return inUse;
}

bool HostInstallDriver(const wchar_t *driverName, const wchar_t *configDll, const wchar_t *pluginDll)
{
    if (pluginDll && HostWouldReplaceDriverFile(pluginDll, driverName)) {
        HostSay("not installing \"%ls\": it would replace the %ls of a driver installed here\n", driverName,
                FileName(pluginDll));
        return false;
    }
    StagedFile config = {}, plugin = {};
    bool staged = CopyToDriverDirectory(configDll, HOST_INSTALLED_CONFIG, &config);
    // A list of files: each name ends in a NUL, the list in one more.
    WCHAR dependent[MAX_PATH + 1] = L"";
    if (staged && pluginDll) {
        staged = CopyToDriverDirectory(pluginDll, FileName(pluginDll), &plugin);
        lstrcpynW(dependent, FileName(pluginDll), MAX_PATH);
        dependent[lstrlenW(dependent) + 1] = 0;
    }

    // Bare file names: the spooler finds them in its driver directory.
    DRIVER_INFO_3W info;
    ZeroMemory(&info, sizeof(info));
    info.cVersion = 3;
    info.pName = const_cast<LPWSTR>(driverName);
    info.pDriverPath = const_cast<LPWSTR>(HOST_INSTALLED_CONFIG);
    info.pDataFile = const_cast<LPWSTR>(HOST_INSTALLED_CONFIG);
    info.pConfigFile = const_cast<LPWSTR>(HOST_INSTALLED_CONFIG);
    info.pDependentFiles = pluginDll ? dependent : NULL;
    bool installed = staged && AddPrinterDriverW(NULL, 3, reinterpret_cast<BYTE *>(&info));
    if (staged && !installed)
        HostSay("AddPrinterDriverW(%ls) failed, error %lu\n", driverName, GetLastError());
    RemoveStagedFile(&config);
    RemoveStagedFile(&plugin);
    if (installed)
        HostSay("installed the printer driver \"%ls\"\n", driverName);
    return installed;
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

bool HostDeleteDriver(const wchar_t *driverName, DWORD version)
{
    LPWSTR name = const_cast<LPWSTR>(driverName);
    return DeletePrinterDriverExW(NULL, NULL, name, DPD_DELETE_UNUSED_FILES | DPD_DELETE_SPECIFIC_VERSION, version) ||
           DeletePrinterDriverW(NULL, NULL, name);
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
