// oemhost.exe: plays the printer's core driver UI against a plug-in DLL and
// says what it did. Usage: oemhost <command> <plug-in dll> [arguments].
#include <stdio.h>
#include <string.h>

#include "host/plugin_host.h"

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

static void Usage()
{
    printf("usage: oemhost <command> <plug-in dll> [arguments]\n"
           "  info   load the plug-in, publish a driver interface, ask GetInfo, unload\n");
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
    Usage();
    return 2;
}
