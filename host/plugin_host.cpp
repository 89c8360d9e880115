#include "host/plugin_host.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

bool HostVerbose;

void HostSay(const char *format, ...)
{
    if (!HostVerbose)
        return;
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
    fflush(stdout);
}

bool HostLoadPlugin(const wchar_t *path, HostPlugin *plugin)
{
    ZeroMemory(plugin, sizeof(*plugin));
    plugin->module = LoadLibraryW(path);
    if (!plugin->module) {
        HostSay("LoadLibraryW failed, error %lu\n", GetLastError());
        return false;
    }
    HostSay("loaded %ls\n", path);

    plugin->getClassObject =
        HostProcAs<HostGetClassObjectProc>(GetProcAddress(plugin->module, "DllGetClassObject"));
    plugin->canUnloadNow =
        HostProcAs<HostCanUnloadNowProc>(GetProcAddress(plugin->module, "DllCanUnloadNow"));
    if (!plugin->getClassObject || !plugin->canUnloadNow) {
        HostSay("the module does not export DllGetClassObject and DllCanUnloadNow\n");
        FreeLibrary(plugin->module);
        plugin->module = NULL;
        return false;
    }

    IClassFactory *factory = NULL;
    HRESULT hr = plugin->getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void **>(&factory));
    HostSay("DllGetClassObject(CLSID_OEMUI, IID_IClassFactory): 0x%08lx\n", static_cast<unsigned long>(hr));
    if (FAILED(hr)) {
        FreeLibrary(plugin->module);
        plugin->module = NULL;
        return false;
    }

    IUnknown *unknown = NULL;
    hr = factory->CreateInstance(NULL, IID_IUnknown, reinterpret_cast<void **>(&unknown));
    HostSay("IClassFactory::CreateInstance(IID_IUnknown): 0x%08lx\n", static_cast<unsigned long>(hr));
    factory->Release();
    if (FAILED(hr)) {
        FreeLibrary(plugin->module);
        plugin->module = NULL;
        return false;
    }

    hr = unknown->QueryInterface(IID_IPrintOemUI, reinterpret_cast<void **>(&plugin->ui));
    HostSay("QueryInterface(IID_IPrintOemUI): 0x%08lx\n", static_cast<unsigned long>(hr));
    unknown->Release();
    if (FAILED(hr)) {
        plugin->ui = NULL;
        FreeLibrary(plugin->module);
        plugin->module = NULL;
        return false;
    }
    return true;
}

HRESULT HostUnloadPlugin(HostPlugin *plugin)
{
    if (plugin->ui) {
        ULONG left = plugin->ui->Release();
        HostSay("released the plug-in object (%lu references left)\n", static_cast<unsigned long>(left));
        plugin->ui = NULL;
    }
    if (!plugin->module)
        return S_OK;
    HRESULT hr = plugin->canUnloadNow();
    HostSay("DllCanUnloadNow: %s\n", hr == S_OK ? "S_OK, unloading" : "S_FALSE, keeping the module");
    if (hr == S_OK) {
        FreeLibrary(plugin->module);
        plugin->module = NULL;
    }
    return hr;
}

HostDriverUi::HostDriverUi() : refCount(1), queryCount(0)
{
}

HRESULT STDMETHODCALLTYPE HostDriverUi::QueryInterface(REFIID riid, void **ppv)
{
    InterlockedIncrement(&queryCount);
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemDriverUI)) {
        *ppv = static_cast<IPrintOemDriverUI *>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE HostDriverUi::AddRef()
{
    return InterlockedIncrement(&refCount);
}

// The harness owns the object on its stack; the count only records what the
// plug-in holds.
ULONG STDMETHODCALLTYPE HostDriverUi::Release()
{
    return InterlockedDecrement(&refCount);
}

HRESULT STDMETHODCALLTYPE HostDriverUi::DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverUi::DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverUi::DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD)
{
    return E_NOTIMPL;
}

static bool QueryInfoValue(IPrintOemUI *ui, DWORD mode, const char *name, DWORD *value)
{
    DWORD needed = 0;
    HRESULT hr = ui->GetInfo(mode, value, sizeof(*value), &needed);
    HostSay("GetInfo(%s): 0x%08lx, value 0x%08lx\n", name, static_cast<unsigned long>(hr),
            static_cast<unsigned long>(*value));
    return SUCCEEDED(hr);
}

bool HostQueryPluginInfo(IPrintOemUI *ui, IUnknown *driverUi, HostPluginInfo *info)
{
    ZeroMemory(info, sizeof(*info));
    info->publish = ui->PublishDriverInterface(driverUi);
    HostSay("PublishDriverInterface: 0x%08lx\n", static_cast<unsigned long>(info->publish));
    bool ok = QueryInfoValue(ui, OEMGI_GETSIGNATURE, "OEMGI_GETSIGNATURE", &info->signature);
    ok = QueryInfoValue(ui, OEMGI_GETINTERFACEVERSION, "OEMGI_GETINTERFACEVERSION", &info->interfaceVersion) && ok;
    ok = QueryInfoValue(ui, OEMGI_GETVERSION, "OEMGI_GETVERSION", &info->version) && ok;
    return ok && SUCCEEDED(info->publish);
}

void HostWindowsPath(const char *path, wchar_t *out, size_t cchOut)
{
    size_t o = 0;
    if (path[0] == '/' && cchOut > 2) {
        out[o++] = L'Z';
        out[o++] = L':';
    }
    for (; *path && o + 1 < cchOut; ++path)
        out[o++] = *path == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*path));
    out[o] = 0;
}
