// Helpers of the settings tests: the pinned default record, printers in
// the prefix and the trace's files.
#pragma once

#include <string>

#include "tests/support/record_support.h"
#include "tests/support/test_support.h"

// The full default record as the tests keep it (default-record.reg).
const UserOptions &GoldenRecord();

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
