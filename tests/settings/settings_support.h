// Helpers of the settings tests: buffers that end at an inaccessible page,
// the store's registry keys, printers in the prefix and the trace's files.
#pragma once

#include <string>

#include "tests/support/test_support.h"
#include "settings/useroptions.h"

// Committed pages followed by a PAGE_NOACCESS page: whatever is placed at
// the end faults as soon as anyone reads or writes one byte past it.
class GuardedPages {
public:
    explicit GuardedPages(size_t bytes);
    ~GuardedPages();
    GuardedPages(const GuardedPages &) = delete;
    GuardedPages &operator=(const GuardedPages &) = delete;

    void *End(size_t bytes) { return m_end - bytes; }
    // length copies of fill and a terminator, the terminator last before
    // the guard page.
    PWSTR Name(const std::wstring &prefix, size_t length, wchar_t fill = L'x');

private:
    BYTE *m_base;
    BYTE *m_end;
};

// The store's key for a key name, under HKEY_LOCAL_MACHINE.
std::wstring StoreKeyPath(const std::wstring &keyName);
bool StoreKeyExists(const std::wstring &keyName);
void DeleteStoreKey(const std::wstring &keyName);
// Writes "User Info" as the plug-in would not: any size, any type.
void WriteStoredValue(const std::wstring &keyName, const void *data, DWORD size, DWORD type = REG_BINARY);
// Reads "User Info" back; returns its size, 0 when absent.
DWORD ReadStoredValue(const std::wstring &keyName, UserOptions *record);

// The full default record as the tests keep it (default-record.reg).
const UserOptions &GoldenRecord();

// A record with every byte set to fill.
UserOptions FilledRecord(BYTE fill);

// The driver installed once per process with the stand-in configuration
// module, and printers on it that tests add and remove.
#define TEST_DRIVER_NAME HOST_TEST_NAME(L"Test Driver")
void InstallTestDriver();
void AddTestPrinter(const std::wstring &name);
void RemoveTestPrinter(const std::wstring &name);
DWORD ReadPrinterData(const std::wstring &printer, const wchar_t *value, DWORD *type, void *data, DWORD size);

// A scratch directory that becomes the current directory for the test's life.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    std::wstring File(const wchar_t *name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
    wchar_t m_previous[MAX_PATH];
};

// The whole content of a file, "" when it does not exist.
std::string ReadWholeFile(const std::wstring &path);

// Paths the build hands the test program.
std::wstring EnvPath(const wchar_t *variable);
