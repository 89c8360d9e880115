#include "tests/support/test_support.h"

const wchar_t *PluginPath()
{
    static wchar_t path[MAX_PATH];
    if (!path[0] && !GetEnvironmentVariableW(L"QLX_PLUGIN_DLL", path, MAX_PATH))
        ADD_FAILURE() << "QLX_PLUGIN_DLL is not set";
    return path;
}

PluginModule::PluginModule()
{
    module = LoadLibraryW(PluginPath());
    if (!module) {
        ADD_FAILURE() << "LoadLibraryW failed: " << GetLastError();
        return;
    }
    getClassObject = HostProcAs<HostGetClassObjectProc>(GetProcAddress(module, "DllGetClassObject"));
    canUnloadNow = HostProcAs<HostCanUnloadNowProc>(GetProcAddress(module, "DllCanUnloadNow"));
    EXPECT_TRUE(getClassObject != NULL);
    EXPECT_TRUE(canUnloadNow != NULL);
}

PluginModule::~PluginModule()
{
    if (module)
        FreeLibrary(module);
}

IClassFactory *PluginModule::Factory()
{
    IClassFactory *factory = NULL;
    EXPECT_EQ(S_OK, getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void **>(&factory)));
    return factory;
}

IPrintOemUI *PluginModule::NewObject()
{
    IClassFactory *factory = Factory();
    if (!factory)
        return NULL;
    IPrintOemUI *ui = NULL;
    EXPECT_EQ(S_OK, factory->CreateInstance(NULL, IID_IPrintOemUI, reinterpret_cast<void **>(&ui)));
    factory->Release();
    return ui;
}

OEMDMPARAM DevmodeParam(void *in, void *out, DWORD size, HANDLE printer)
{
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.hPrinter = printer;
    param.pOEMDMIn = in;
    param.pOEMDMOut = out;
    param.cbBufSize = size;
    return param;
}
