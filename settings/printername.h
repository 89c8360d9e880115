// CurrentPrinterName is the name under which the pages read and write the
// store, not necessarily a printer's: after a devmode merge it is the
// driver's name (so every printer on one driver shares one record), after a
// printer event the printer's short name. The store cuts it at its last
// comma to make the key.
#pragma once

#include <windows.h>

#define CURRENT_PRINTER_NAME_UNITS 308

extern WCHAR CurrentPrinterName[CURRENT_PRINTER_NAME_UNITS];

// The position of the last occurrence of ch in text, or NULL.
const WCHAR *FindLastChar(const WCHAR *text, WCHAR ch);

// The part of a printer's or driver's name behind its last backslash (a
// server's printer is "\\server\name"), or the whole name.
PCWSTR ShortPrinterName(PCWSTR name);

// Sets CurrentPrinterName to ShortPrinterName(name). Returns FALSE and keeps the previous
// value when that part does not fit.
BOOL SetCurrentPrinterName(PCWSTR name);
