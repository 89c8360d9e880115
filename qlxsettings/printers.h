// Printers as the plug-in sees them: which store keys a printer's record
// lives under, and whether the printer's driver carries the plug-in.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#define PLUGIN_FILE_NAME L"qlx4120ui.dll"

struct PrinterTarget {
    std::wstring printer;
    std::wstring driver;
    // The store's key names (under HKLM\SYSTEM\Printers) of the record
    // Document Properties reads, made from the driver's name, and of the one
    // installation stores, made from the printer's: each name behind its
    // last backslash, cut at its last comma.
    std::wstring pagesKey;
    std::wstring installKey;
    // The driver's own copy of the plug-in, "" when its files have none.
    std::wstring driverPlugin;
};

enum PrinterLookup { PRINTER_FOUND, PRINTER_MISSING, PRINTER_NAME_TOO_LONG };

// Opens the printer and resolves its names and keys.
PrinterLookup ResolvePrinter(const std::wstring &name, PrinterTarget *target);

// Every local and connected printer's name, in the spooler's order.
std::vector<std::wstring> LocalPrinterNames();

// The file name of a path, after its last backslash or slash.
std::wstring FileNamePart(const std::wstring &path);

// "HKLM\SYSTEM\Printers\<key>" for messages and .reg files.
std::wstring StoreKeyDisplay(const std::wstring &key);
