// Shared helpers of the test programs: where the built plug-in is, and a
// plug-in loaded the way the host loads it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/plugin_host.h"
#include "host/test_names.h"

// Windows path of the plug-in DLL under test (from QLX_PLUGIN_DLL).
const wchar_t *PluginPath();
// Paths the build hands the test program.
std::wstring EnvPath(const wchar_t *variable);
// The whole content of a file, "" when it does not exist.
std::string ReadWholeFile(const std::wstring &path);
// Text for failure messages.
std::string Utf8(const std::wstring &text);
// A dialog procedure that only lets a template be created, for tests that
// look at templates as the dialog manager builds them.
INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM);

// Gives the key under HKEY_LOCAL_MACHINE at path a DACL that lets everyone
// do everything with it but, when deny is set, set a value: a real deny ACE
// for tests of refused writes.
bool DenyKeySetValue(const std::wstring &path, bool deny);

// The plug-in module loaded with LoadLibraryW and its two COM entry points,
// for tests that drive the exports directly.
struct PluginModule {
    HMODULE module = NULL;
    HostGetClassObjectProc getClassObject = NULL;
    HostCanUnloadNowProc canUnloadNow = NULL;

    PluginModule();
    ~PluginModule();
    PluginModule(const PluginModule &) = delete;
    PluginModule &operator=(const PluginModule &) = delete;

    IClassFactory *Factory();
    // A new plug-in object asked for IID_IPrintOemUI, as the core driver asks.
    IPrintOemUI *NewObject();
};

// The text of a property sheet's tab.
std::wstring SheetTabText(HWND sheet, int index);

// The devmode handler's parameter block as the core driver fills it.
OEMDMPARAM DevmodeParam(void *in, void *out, DWORD size, HANDLE printer = NULL);
