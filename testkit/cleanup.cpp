#include "testkit/cleanup.h"

#include <windows.h>
#include <winspool.h>
#include <stdio.h>
#include <wchar.h>

#include <string>
#include <vector>

#include "host/printer_setup.h"
#include "host/test_names.h"

namespace {

typedef std::vector<std::wstring> Names;

// The buffer an Enum* call of the spooler asks for, filled; empty when the
// call fails. The spooler answers the size needed on the first call.
template <typename Call> std::vector<BYTE> Enumerate(Call call, DWORD *count)
{
    DWORD needed = 0;
    *count = 0;
    call(NULL, 0, &needed, count);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!call(buffer.data(), needed, &needed, count)) {
        *count = 0;
        buffer.clear();
    }
    return buffer;
}

int Report(bool done, const char *what, const std::wstring &name, DWORD error)
{
    if (done) {
        printf("removed %s \"%ls\"\n", what, name.c_str());
        return 0;
    }
    printf("could not remove %s \"%ls\": error %lu\n", what, name.c_str(), static_cast<unsigned long>(error));
    return 1;
}

int RemovePrinters()
{
    DWORD count;
    std::vector<BYTE> buffer = Enumerate(
        [](BYTE *data, DWORD size, DWORD *needed, DWORD *returned) {
            return EnumPrintersW(PRINTER_ENUM_LOCAL, NULL, 4, data, size, needed, returned);
        },
        &count);
    const PRINTER_INFO_4W *printers = reinterpret_cast<const PRINTER_INFO_4W *>(buffer.data());
    int failures = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HostHasTestPrefix(printers[i].pPrinterName))
            continue;
        PRINTER_DEFAULTSW access = {NULL, NULL, PRINTER_ALL_ACCESS};
        HANDLE printer = NULL;
        bool done = false;
        if (OpenPrinterW(printers[i].pPrinterName, &printer, &access)) {
            done = DeletePrinter(printer) != FALSE;
            ClosePrinter(printer);
        }
        DWORD error = GetLastError();
        failures += Report(done, "printer", printers[i].pPrinterName, error);
    }
    return failures;
}

std::vector<BYTE> InstalledDrivers(DWORD *count)
{
    return Enumerate(
        [](BYTE *data, DWORD size, DWORD *needed, DWORD *returned) {
            return EnumPrinterDriversW(NULL, NULL, 3, data, size, needed, returned);
        },
        count);
}

int RemoveDrivers()
{
    DWORD count;
    std::vector<BYTE> buffer = InstalledDrivers(&count);
    const DRIVER_INFO_3W *drivers = reinterpret_cast<const DRIVER_INFO_3W *>(buffer.data());
    int failures = 0;
    for (DWORD i = 0; i < count; ++i) {
        if (!HostHasTestPrefix(drivers[i].pName))
            continue;
        // Files a spooler without the option to remove them (Wine's) leaves
        // behind go below.
        bool done = HostDeleteDriver(drivers[i].pName, drivers[i].cVersion);
        DWORD error = GetLastError();
        failures += Report(done, "printer driver", drivers[i].pName, error);
    }
    return failures;
}

std::wstring Lower(std::wstring text)
{
    CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Every file an installed driver names, as full lower-case paths.
Names FilesInUse()
{
    Names used;
    DWORD count;
    std::vector<BYTE> buffer = InstalledDrivers(&count);
    const DRIVER_INFO_3W *drivers = reinterpret_cast<const DRIVER_INFO_3W *>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        for (const wchar_t *file : {drivers[i].pDriverPath, drivers[i].pDataFile, drivers[i].pConfigFile,
                                    drivers[i].pHelpFile})
            if (file)
                used.push_back(Lower(file));
        // A list of names, each ending in a NUL, the list in one more.
        for (const wchar_t *file = drivers[i].pDependentFiles; file && *file; file += wcslen(file) + 1)
            used.push_back(Lower(file));
    }
    return used;
}

bool InUse(const Names &used, const std::wstring &path)
{
    std::wstring lower = Lower(path);
    for (const std::wstring &file : used) {
        // Dependent files may be named without their folder.
        if (file == lower)
            return true;
        if (file.find(L'\\') == std::wstring::npos && lower.size() > file.size() &&
            lower.compare(lower.size() - file.size(), file.size(), file) == 0 &&
            lower[lower.size() - file.size() - 1] == L'\\')
            return true;
    }
    return false;
}

// Deletes a file, or a folder with everything in it.
bool DeletePath(const std::wstring &path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileW(path.c_str()) != FALSE;
    }
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
                DeletePath(path + L"\\" + found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

// The entries of folder whose names bear the prefix.
Names PrefixedEntries(const std::wstring &folder)
{
    Names entries;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\" HOST_TEST_PREFIX L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (HostHasTestPrefix(found.cFileName))
            entries.push_back(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return entries;
}

// The copies the harness placed in the driver directory and the files the
// spooler installed from them, unless a driver still names them.
int RemoveDriverFiles()
{
    WCHAR directory[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(NULL, NULL, 1, reinterpret_cast<BYTE *>(directory), sizeof(directory), &needed))
        return 0;
    const Names used = FilesInUse();
    int failures = 0;
    for (const std::wstring &folder : {std::wstring(directory), std::wstring(directory) + L"\\3"}) {
        for (const std::wstring &file : PrefixedEntries(folder)) {
            if (InUse(used, file))
                continue;
            bool done = DeletePath(file);
            DWORD error = GetLastError();
            failures += Report(done, "driver file", file, error);
        }
    }
    return failures;
}

bool DeleteKeyTree(HKEY parent, const std::wstring &name)
{
    // Only what deleting needs: a test may have denied writing values.
    HKEY key;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) == ERROR_SUCCESS) {
        wchar_t child[256];
        // Deleting shifts the indices: always take the first.
        while (RegEnumKeyW(key, 0, child, 256) == ERROR_SUCCESS)
            if (!DeleteKeyTree(key, child))
                break;
        RegCloseKey(key);
    }
    LONG status = RegDeleteKeyW(parent, name.c_str());
    SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
}

int RemoveStoreKeys()
{
    HKEY printers;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\Printers", 0, KEY_READ, &printers) != ERROR_SUCCESS)
        return 0;
    Names names;
    wchar_t name[256];
    for (DWORD i = 0; RegEnumKeyW(printers, i, name, 256) == ERROR_SUCCESS; ++i)
        if (HostHasTestPrefix(name))
            names.push_back(name);
    int failures = 0;
    for (const std::wstring &key : names) {
        bool done = DeleteKeyTree(printers, key);
        DWORD error = GetLastError();
        failures += Report(done, "key", L"HKLM\\SYSTEM\\Printers\\" + key, error);
    }
    RegCloseKey(printers);
    return failures;
}

int RemoveScratchFolders()
{
    wchar_t temp[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, temp);
    if (!length || length >= MAX_PATH)
        return 0;
    // GetTempPath ends in a backslash.
    temp[length - 1] = 0;
    int failures = 0;
    for (const std::wstring &entry : PrefixedEntries(temp)) {
        bool done = DeletePath(entry);
        DWORD error = GetLastError();
        failures += Report(done, "scratch file", entry, error);
    }
    return failures;
}

} // namespace

int KitCleanUp()
{
    // A driver stays while a printer uses it, and its files while it stays.
    return RemovePrinters() + RemoveDrivers() + RemoveDriverFiles() + RemoveStoreKeys() + RemoveScratchFolders();
}
