// oemhost.exe: plays the printer's core driver UI against a plug-in DLL and
// says what it did. Usage: oemhost <command> <plug-in dll> [arguments].
#include <stdio.h>
#include <string.h>

#include "host/crash_report.h"
#include "host/compstui_host.h"
#include "host/plugin_host.h"
#include "host/printer_setup.h"
#include "host/record_decoder.h"
#include "host/sheet_host.h"
#include "host/sheet_tour.h"
#include "settings/printername.h"
#include "settings/store.h"

#define HOST_DRIVER_NAME L"QLX 4120 Color Server"

static int CommandInfo(const wchar_t *dll)
{
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin))
        return 1;

    HostDriverUi driverUi;
    HostPluginInfo info;
    bool ok = HostQueryPluginInfo(plugin.ui, &driverUi, &info);
    if (ok) {
        char text[5] = {static_cast<char>(info.signature >> 24), static_cast<char>(info.signature >> 16),
                        static_cast<char>(info.signature >> 8), static_cast<char>(info.signature), 0};
        printf("plug-in signature 0x%08lX (\"%s\"), interface version 0x%08lX, version 0x%08lX\n",
               static_cast<unsigned long>(info.signature), text, static_cast<unsigned long>(info.interfaceVersion),
               static_cast<unsigned long>(info.version));
    }
    HostUnloadPlugin(&plugin);
    return ok ? 0 : 1;
}

static int DecodeRecord(const wchar_t *dll, const UserOptions *record)
{
    HMODULE strings = DecoderLoadStrings(dll);
    DecoderPrintRecord(record, strings, stdout);
    if (strings)
        FreeLibrary(strings);
    return 0;
}

// Sizes a private devmode and asks for a default one, as the core driver does
// before it opens Document Properties, then decodes its record.
static int CommandDevmode(const wchar_t *dll)
{
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin))
        return 1;
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    HRESULT hr = plugin.ui->DevMode(OEMDM_SIZE, &param);
    printf("DevMode(OEMDM_SIZE): 0x%08lx, %lu bytes\n", static_cast<unsigned long>(hr),
           static_cast<unsigned long>(param.cbBufSize));
    PrivateDevmode devmode;
    bool ok = SUCCEEDED(hr) && param.cbBufSize == sizeof(devmode);
    if (ok) {
        param.pOEMDMOut = &devmode;
        hr = plugin.ui->DevMode(OEMDM_DEFAULT, &param);
        printf("DevMode(OEMDM_DEFAULT): 0x%08lx, header size %lu, signature 0x%08lX, version 0x%08lX\n",
               static_cast<unsigned long>(hr), static_cast<unsigned long>(devmode.header.dwSize),
               static_cast<unsigned long>(devmode.header.dwSignature),
               static_cast<unsigned long>(devmode.header.dwVersion));
        ok = SUCCEEDED(hr);
    }
    HostUnloadPlugin(&plugin);
    return ok ? DecodeRecord(dll, &devmode.options) : 1;
}

static HRESULT SendPrinterEvent(const wchar_t *dll, const wchar_t *printer, INT event, const char *eventName)
{
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin))
        return E_FAIL;
    HRESULT hr = plugin.ui->PrinterEvent(const_cast<PWSTR>(printer), event, 0, 0);
    printf("PrinterEvent(%ls, %s): 0x%08lx\n", printer, eventName, static_cast<unsigned long>(hr));
    HostUnloadPlugin(&plugin);
    return hr;
}

// Installs the driver and a printer in the prefix, then sends the event the
// spooler sends a freshly installed printer's driver.
static int CommandInstall(const wchar_t *dll, const wchar_t *printer)
{
    wchar_t config[MAX_PATH];
    HostDefaultDriverConfig(config, MAX_PATH);
    if (!HostInstallDriver(HOST_DRIVER_NAME, config, dll) || !HostAddPrinter(printer, HOST_DRIVER_NAME))
        return 1;
    if (FAILED(SendPrinterEvent(dll, printer, PRINTER_EVENT_INITIALIZE, "PRINTER_EVENT_INITIALIZE")))
        return 1;
    WCHAR module[128];
    DWORD type = 0, needed = 0;
    DWORD status = HostGetPrinterData(printer, L"SPLUserModePrinterDriver", &type,
                                      reinterpret_cast<BYTE *>(module), sizeof(module), &needed);
    if (status != ERROR_SUCCESS) {
        printf("printer data SPLUserModePrinterDriver: error %lu\n", static_cast<unsigned long>(status));
        return 1;
    }
    printf("printer data SPLUserModePrinterDriver = \"%ls\" (%lu bytes)\n", module,
           static_cast<unsigned long>(needed));
    return 0;
}

static int CommandUpgrade(const wchar_t *dll, const wchar_t *printer)
{
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin))
        return 1;
    DRIVER_UPGRADE_INFO_1 info = {const_cast<LPWSTR>(printer), NULL};
    HRESULT hr = plugin.ui->UpgradePrinter(1, reinterpret_cast<PBYTE>(&info));
    printf("UpgradePrinter(%ls): 0x%08lx\n", printer, static_cast<unsigned long>(hr));
    HostUnloadPlugin(&plugin);
    DWORD count = 0, type = 0, needed = 0;
    if (HostGetPrinterData(printer, L"NumInstallsSeen", &type, reinterpret_cast<BYTE *>(&count), sizeof(count),
                           &needed) == ERROR_SUCCESS)
        printf("printer data NumInstallsSeen = %lu\n", static_cast<unsigned long>(count));
    return SUCCEEDED(hr) ? 0 : 1;
}

// The printer goes, and with it the driver install put in, so that the
// prefix holds no driver with an older copy of the plug-in afterwards.
static int CommandDelete(const wchar_t *dll, const wchar_t *printer)
{
    HRESULT hr = SendPrinterEvent(dll, printer, PRINTER_EVENT_DELETE, "PRINTER_EVENT_DELETE");
    bool deleted = SUCCEEDED(hr) && HostDeletePrinter(printer);
    bool driverGone = HostDeleteDriver(HOST_DRIVER_NAME);
    printf("DeletePrinterDriver(%ls): %s\n", HOST_DRIVER_NAME, driverGone ? "done" : "failed");
    return deleted && driverGone ? 0 : 1;
}

// Reads the stored record through the plug-in's store, under the key the
// printer events use for the name.
static int CommandShow(const wchar_t *dll, const wchar_t *printer)
{
    WCHAR path[STORE_PATH_UNITS];
    PCWSTR key = UserInfoKeyPath(ShortPrinterName(printer), path);
    UserOptions record;
    StoredRead read;
    ReadRecordAt(key, &record, &read);
    if (read.state != STORED_VALID) {
        printf("HKLM\\%ls \"User Info\": no valid record (error %ld, %lu bytes)\n", key ? path : printer,
               static_cast<long>(read.status), static_cast<unsigned long>(read.size));
        return 1;
    }
    printf("HKLM\\%ls \"User Info\" (%lu bytes):\n", path, static_cast<unsigned long>(read.size));
    return DecodeRecord(dll, &record);
}

static int CommandDecode(const wchar_t *dll, const wchar_t *file)
{
    UserOptions record;
    size_t size = 0;
    if (!DecoderReadFile(file, &record, &size)) {
        printf("%ls holds no record (%lu bytes found)\n", file, static_cast<unsigned long>(size));
        return 1;
    }
    printf("%ls:\n", file);
    return DecodeRecord(dll, &record);
}

// Document Properties as the core driver opens it. With a picture folder the
// sheet runs by itself: it shows each page in turn, saves a picture of each,
// and presses OK. Without one it waits for the user.
static int CommandSheet(const wchar_t *dll, const wchar_t *printer, const wchar_t *pictureFolder)
{
    // The merge learns the driver's name from the printer, and the pages key
    // the store by it.
    HANDLE hPrinter = NULL;
    if (printer && !OpenPrinterW(const_cast<LPWSTR>(printer), &hPrinter, NULL)) {
        printf("OpenPrinterW(%ls): error %lu\n", printer, static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin)) {
        if (hPrinter)
            ClosePrinter(hPrinter);
        return 1;
    }
    // The core driver captions the sheet in the system's language; the
    // harness names only the printer, so that the pictures of every
    // language build look alike around the plug-in's own pages.
    HostSheet sheet;
    bool ok = HostOpenDocumentProperties(&sheet, plugin.ui, hPrinter, printer ? printer : L"QLX 4120");
    if (ok && pictureFolder)
        ok = HostTourSheet(&sheet, plugin.module, pictureFolder);
    else if (ok)
        HostRunSheet(&sheet);
    HostEndSheet(&sheet);
    HostUnloadPlugin(&plugin);
    if (hPrinter)
        ClosePrinter(hPrinter);
    return ok ? 0 : 1;
}

// The same sheet inside the platform's common property-sheet UI.
static int CommandCommonUi(const wchar_t *dll)
{
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin))
        return 1;
    HostCommonSheet common;
    LONG result = HostRunCommonPropertySheet(&common, plugin.ui, NULL, NULL);
    HostUnloadPlugin(&plugin);
    return result > 0 ? 0 : 1;
}

static void Usage()
{
    printf("usage: oemhost <command> <plug-in dll> [arguments]\n"
           "  info     load the plug-in, publish a driver interface, ask GetInfo, unload\n"
           "  devmode  size and default a private devmode, decode its record\n"
           "  install  <printer>  install the driver and a printer, send PRINTER_EVENT_INITIALIZE\n"
           "  upgrade  <printer>  send UpgradePrinter, show NumInstallsSeen\n"
           "  delete   <printer>  send PRINTER_EVENT_DELETE and delete the printer\n"
           "  show     <printer>  decode the record stored for a printer\n"
           "  decode   <file>     decode a record file, a devmode extension or a reg export\n"
           "  sheet    [printer|-] [picture folder]\n"
           "           open Document Properties, merging with the printer's handle; with a folder,\n"
           "           picture each page and both dialogs, then press OK\n"
           "  commonui open Document Properties in the platform's common property-sheet UI\n");
}

int main(int argc, char **argv)
{
    InstallCrashReporter();
    if (argc < 3) {
        Usage();
        return 2;
    }
    HostVerbose = true;
    wchar_t dll[MAX_PATH];
    HostWindowsPath(argv[2], dll, MAX_PATH);

    if (strcmp(argv[1], "info") == 0)
        return CommandInfo(dll);
    if (strcmp(argv[1], "devmode") == 0)
        return CommandDevmode(dll);
    if (strcmp(argv[1], "commonui") == 0)
        return CommandCommonUi(dll);
    if (strcmp(argv[1], "sheet") == 0) {
        wchar_t printer[MAX_PATH], folder[MAX_PATH];
        bool named = argc > 3 && strcmp(argv[3], "-") != 0;
        if (named)
            MultiByteToWideChar(CP_ACP, 0, argv[3], -1, printer, MAX_PATH);
        if (argc > 4)
            HostWindowsPath(argv[4], folder, MAX_PATH);
        return CommandSheet(dll, named ? printer : NULL, argc > 4 ? folder : NULL);
    }
    if (argc < 4) {
        Usage();
        return 2;
    }
    wchar_t argument[MAX_PATH];
    HostWindowsPath(argv[3], argument, MAX_PATH);
    if (strcmp(argv[1], "install") == 0)
        return CommandInstall(dll, argument);
    if (strcmp(argv[1], "upgrade") == 0)
        return CommandUpgrade(dll, argument);
    if (strcmp(argv[1], "delete") == 0)
        return CommandDelete(dll, argument);
    if (strcmp(argv[1], "show") == 0)
        return CommandShow(dll, argument);
    if (strcmp(argv[1], "decode") == 0)
        return CommandDecode(dll, argument);
    Usage();
    return 2;
}
