#include "testkit/cleanup.h"

#include <windows.h>
#include <winspool.h>
#include <stdio.h>
#include <wchar.h>

#include <string>
#include <vector>

#include "host/platform_kind.h"
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

// error is the one the failing call set, read right after that call: the
// calls that tidy up after it (ClosePrinter, FindClose) may set their own.
int Report(DWORD error, const char *what, const std::wstring &name)
{
    if (error == ERROR_SUCCESS) {
        printf("removed %s \"%ls\"\n", what, name.c_str());
        return 0;
    }
    printf("could not remove %s \"%ls\": error %lu\n", what, name.c_str(), static_cast<unsigned long>(error));
    return 1;
}

// ERROR_SUCCESS when the call succeeded, else its error.
DWORD Outcome(BOOL succeeded)
{
    return succeeded ? ERROR_SUCCESS : GetLastError();
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
        DWORD error = Outcome(OpenPrinterW(printers[i].pPrinterName, &printer, &access));
        if (error == ERROR_SUCCESS) {
            error = Outcome(DeletePrinter(printer));
            ClosePrinter(printer);
        }
        failures += Report(error, "printer", printers[i].pPrinterName);
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
        DWORD error = Outcome(HostDeleteDriver(drivers[i].pName, drivers[i].cVersion));
        failures += Report(error, "printer driver", drivers[i].pName);
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

bool DriverDirectory(WCHAR (&directory)[MAX_PATH])
{
    DWORD needed = 0;
    return GetPrinterDriverDirectoryW(NULL, NULL, 1, reinterpret_cast<BYTE *>(directory), sizeof(directory),
                                      &needed) != FALSE;
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

// Deletes a file, or a folder with everything in it. A reparse point (a
// junction, a mount point, a symbolic link) is deleted as the link it is and
// never entered: what it points to lies outside the folder being deleted,
// maybe outside everything the kit made. Returns ERROR_SUCCESS or the error
// of the first call that failed; deleting goes on past a failure so that as
// little as possible is left.
DWORD DeletePath(const std::wstring &path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // Wine 8 resolves a link before deleting: RemoveDirectory would
        // remove the folder it points to when that is empty, and DeleteFile
        // the file. Left alone there, and said so by the error.
        if (HostWineVersion()) {
            printf("left the link \"%ls\": under Wine, deleting it would delete what it points to\n", path.c_str());
            return ERROR_NOT_SUPPORTED;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return Outcome(RemoveDirectoryW(path.c_str()));
        return Outcome(DeleteFileW(path.c_str()));
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        return Outcome(DeleteFileW(path.c_str()));
    }
    DWORD first = ERROR_SUCCESS;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES)
            first = error;
    } else {
        do {
            if (!wcscmp(found.cFileName, L".") || !wcscmp(found.cFileName, L".."))
                continue;
            // The attributes of the entry itself, not of what a link in it
            // points to.
            DWORD error = DeletePath(path + L"\\" + found.cFileName, found.dwFileAttributes);
            if (first == ERROR_SUCCESS)
                first = error;
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    DWORD error = Outcome(RemoveDirectoryW(path.c_str()));
    return first != ERROR_SUCCESS ? first : error;
}

struct Entry {
    std::wstring path;
    DWORD attributes;
};

// The entries of folder whose names bear the prefix, with their own
// attributes as the folder lists them.
std::vector<Entry> PrefixedEntries(const std::wstring &folder)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\" HOST_TEST_PREFIX L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (HostHasTestPrefix(found.cFileName))
            entries.push_back({folder + L"\\" + found.cFileName, found.dwFileAttributes});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return entries;
}

// The copies the harness placed in the driver directory and the files the
// spooler installed from them, unless a driver still names them.
int RemoveDriverFiles()
{
    WCHAR directory[MAX_PATH];
    if (!DriverDirectory(directory))
        return 0;
    const Names used = FilesInUse();
    int failures = 0;
    for (const std::wstring &folder : {std::wstring(directory), std::wstring(directory) + L"\\3"}) {
        for (const Entry &file : PrefixedEntries(folder)) {
            if (InUse(used, file.path))
                continue;
            failures += Report(DeletePath(file.path, file.attributes), "driver file", file.path);
        }
    }
    return failures;
}

// ERROR_SUCCESS or the registry's status for the key itself.
LONG DeleteKeyTree(HKEY parent, const std::wstring &name)
{
    // Only what deleting needs: a test may have denied writing values.
    HKEY key;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) == ERROR_SUCCESS) {
        wchar_t child[256];
        // Deleting shifts the indices: always take the first.
        while (RegEnumKeyW(key, 0, child, 256) == ERROR_SUCCESS)
            if (DeleteKeyTree(key, child) != ERROR_SUCCESS)
                break;
        RegCloseKey(key);
    }
    return RegDeleteKeyW(parent, name.c_str());
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
        DWORD error = static_cast<DWORD>(DeleteKeyTree(printers, key));
        failures += Report(error, "key", L"HKLM\\SYSTEM\\Printers\\" + key);
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
    for (const Entry &entry : PrefixedEntries(temp))
        failures += Report(DeletePath(entry.path, entry.attributes), "scratch file", entry.path);
    return failures;
}

} // namespace

int KitCleanUp()
{
    // A driver stays while a printer uses it, and its files while it stays.
    return RemovePrinters() + RemoveDrivers() + RemoveDriverFiles() + RemoveStoreKeys() + RemoveScratchFolders();
}

bool KitListDriverFiles()
{
    WCHAR directory[MAX_PATH];
    if (!DriverDirectory(directory)) {
        DWORD error = GetLastError();
        fprintf(stderr, "cannot find the printer driver folder: error %lu\n", static_cast<unsigned long>(error));
        return false;
    }
    // No driver at all is an answer too; a failed call is not.
    DWORD count = 0;
    DWORD needed = 0;
    std::vector<BYTE> buffer;
    BOOL listed = EnumPrinterDriversW(NULL, NULL, 3, NULL, 0, &needed, &count);
    DWORD error = listed ? ERROR_SUCCESS : GetLastError();
    if (!listed && error == ERROR_INSUFFICIENT_BUFFER) {
        buffer.resize(needed);
        listed = EnumPrinterDriversW(NULL, NULL, 3, buffer.data(), needed, &needed, &count);
        error = listed ? ERROR_SUCCESS : GetLastError();
    }
    if (!listed) {
        fprintf(stderr, "cannot list the printer drivers: error %lu\n", static_cast<unsigned long>(error));
        return false;
    }
    const DRIVER_INFO_3W *drivers = reinterpret_cast<const DRIVER_INFO_3W *>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        Names files;
        for (const wchar_t *file : {drivers[i].pDriverPath, drivers[i].pDataFile, drivers[i].pConfigFile,
                                    drivers[i].pHelpFile})
            if (file && *file)
                files.push_back(file);
        for (const wchar_t *file = drivers[i].pDependentFiles; file && *file; file += wcslen(file) + 1)
            files.push_back(file);
        // A bare name lies in the driver's version folder.
        for (const std::wstring &file : files) {
            if (file.find(L'\\') == std::wstring::npos)
                printf("%ls\\%lu\\%ls\n", directory, static_cast<unsigned long>(drivers[i].cVersion), file.c_str());
            else
                printf("%ls\n", file.c_str());
        }
    }
    return true;
}
