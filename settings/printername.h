// The name under which the pages read and write the store: the driver's name
// after a devmode merge, the printer's short name after a printer event.
#pragma once

#include <windows.h>

#define CURRENT_PRINTER_NAME_UNITS 308

extern WCHAR CurrentPrinterName[CURRENT_PRINTER_NAME_UNITS];

// The position of the last occurrence of ch in text, or NULL.
const WCHAR *FindLastChar(const WCHAR *text, WCHAR ch);

// Sets CurrentPrinterName to the part of name behind its last backslash, or
// to the whole name when it has none. Returns FALSE and keeps the previous
// value when that part does not fit.
BOOL SetCurrentPrinterName(PCWSTR name);
