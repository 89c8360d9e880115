// Printers in the Wine prefix, set up the way an installer and the spooler
// would, so that the plug-in's lifecycle and merge paths meet a real
// spooler. Wine's AddPrinterW loads the driver's configuration module, so
// the driver is installed with a stand-in one (oemhostcfg.dll).
#pragma once

#include <windows.h>

#define HOST_DRIVER_CONFIG L"oemhostcfg.dll"

// Copies configDll into the spooler's driver directory and registers
// driverName with it as driver, data and configuration file. With pluginDll,
// the plug-in is copied too and listed among the driver's files, as a
// driver package's INF lists it.
bool HostInstallDriver(const wchar_t *driverName, const wchar_t *configDll, const wchar_t *pluginDll = NULL);

// Adds a printer on port FILE: with print processor winprint. A printer that
// already exists counts as added.
bool HostAddPrinter(const wchar_t *printerName, const wchar_t *driverName);

bool HostDeletePrinter(const wchar_t *printerName);

// Reads a printer-data value; returns the spooler's status.
DWORD HostGetPrinterData(const wchar_t *printerName, const wchar_t *valueName, DWORD *type, BYTE *data,
                         DWORD size, DWORD *needed);

// The stand-in configuration module beside the running program.
void HostDefaultDriverConfig(wchar_t *path, size_t cchPath);
