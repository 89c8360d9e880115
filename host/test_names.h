// The names of everything the test programs and the benchmark create on the
// machine they run on: printers, printer drivers, the files those drivers
// are installed with, and the plug-in's records under HKLM\SYSTEM\Printers.
// Each begins with this prefix, which no real printer's name would; the test
// kit's clean-up removes what bears it and never touches anything else.
#pragma once

#include <wchar.h>

#define HOST_TEST_PREFIX_NARROW "QlxKit~"
#define HOST_TEST_PREFIX L"" HOST_TEST_PREFIX_NARROW

// A literal with the prefix: HOST_TEST_NAME(L"Events") is L"QlxKit~Events".
#define HOST_TEST_NAME(name) HOST_TEST_PREFIX name

// Whether a name begins with the prefix. Printer, driver, key and file names
// compare without regard to case on Windows.
inline bool HostHasTestPrefix(const wchar_t *name)
{
    return name && _wcsnicmp(name, HOST_TEST_PREFIX, wcslen(HOST_TEST_PREFIX)) == 0;
}
