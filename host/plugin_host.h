// The harness side of the core driver UI: loading a plug-in DLL the way the
// core driver does, and the driver interface it publishes to the plug-in.
#pragma once

#include "platform/oemui.h"

typedef HRESULT(STDAPICALLTYPE *HostGetClassObjectProc)(REFCLSID, REFIID, void **);
typedef HRESULT(STDAPICALLTYPE *HostCanUnloadNowProc)(void);

// GetProcAddress's FARPROC converted to the export's real type; going through
// void (*)(void) tells the compiler the cast is meant.
template <typename Proc> Proc HostProcAs(FARPROC proc)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)(void)>(proc));
}

struct HostPlugin {
    HMODULE module;
    HostGetClassObjectProc getClassObject;
    HostCanUnloadNowProc canUnloadNow;
    IPrintOemUI *ui;
};

// When set, the harness says what it does on standard output.
extern bool HostVerbose;
void HostSay(const char *format, ...);

// LoadLibraryW, DllGetClassObject(CLSID_OEMUI, IID_IClassFactory),
// CreateInstance(IID_IUnknown), QueryInterface(IID_IPrintOemUI), then the
// factory and the IUnknown are released. Returns false and leaves nothing
// loaded on any failure.
bool HostLoadPlugin(const wchar_t *path, HostPlugin *plugin);

// Releases the interface, asks DllCanUnloadNow and unloads the module when
// it agrees. Returns what DllCanUnloadNow answered.
HRESULT HostUnloadPlugin(HostPlugin *plugin);

// A minimal IPrintOemDriverUI of the host's own, counted so that tests can
// see what the plug-in holds.
class HostDriverUi : public IPrintOemDriverUI {
public:
    HostDriverUi();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD) override;
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override;
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override;

    LONG refCount;
    LONG queryCount;
};

// Publishes a driver interface and asks GetInfo for the signature, the
// interface version and the version, as the core driver does after loading.
struct HostPluginInfo {
    HRESULT publish;
    DWORD signature;
    DWORD interfaceVersion;
    DWORD version;
};
bool HostQueryPluginInfo(IPrintOemUI *ui, IUnknown *driverUi, HostPluginInfo *info);

// Converts a path of the build machine into one the Windows side can open
// (Wine maps / to Z:). Windows paths pass through unchanged.
void HostWindowsPath(const char *path, wchar_t *out, size_t cchOut);
