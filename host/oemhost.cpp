// oemhost.exe: plays the printer's core driver UI against a plug-in DLL and
// says what it did. Usage: oemhost <command> <plug-in dll> [arguments].
#include <stdio.h>
#include <string.h>

#include "host/compstui_host.h"
#include "host/plugin_host.h"
#include "host/screenshot.h"
#include "host/sheet_host.h"
#include "host/sheet_tour.h"

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

// Document Properties as the core driver opens it. With a picture folder the
// sheet runs by itself: it shows each page in turn, saves a picture of each,
// and presses OK. Without one it waits for the user.
static int CommandSheet(const wchar_t *dll, const wchar_t *pictureFolder)
{
    HostPlugin plugin;
    if (!HostLoadPlugin(dll, &plugin))
        return 1;
    HostSheet sheet;
    bool ok = HostOpenDocumentProperties(&sheet, plugin.ui, NULL, L"Dokumentegenskaber");
    if (ok && pictureFolder)
        ok = HostTourSheet(&sheet, pictureFolder);
    else if (ok)
        HostRunSheet(&sheet);
    HostEndSheet(&sheet);
    HostUnloadPlugin(&plugin);
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
           "  info   load the plug-in, publish a driver interface, ask GetInfo, unload\n"
           "  sheet [picture folder]   open Document Properties; with a folder, picture each page and press OK\n"
           "  commonui                 open Document Properties in the platform's common property-sheet UI\n");
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        Usage();
        return 2;
    }
    HostVerbose = true;
    wchar_t dll[MAX_PATH];
    HostWindowsPath(argv[2], dll, MAX_PATH);

    if (strcmp(argv[1], "info") == 0)
        return CommandInfo(dll);
    if (strcmp(argv[1], "sheet") == 0) {
        wchar_t folder[MAX_PATH];
        if (argc > 3)
            HostWindowsPath(argv[3], folder, MAX_PATH);
        return CommandSheet(dll, argc > 3 ? folder : NULL);
    }
    if (strcmp(argv[1], "commonui") == 0)
        return CommandCommonUi(dll);
    Usage();
    return 2;
}
