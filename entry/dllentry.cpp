// The module's outer shell: the loader entry point and the two COM entry
// points that the core driver UI finds by name.
#include "entry/intrface.h"
#include "entry/module.h"
#include "platform/oemui.h"

HINSTANCE ModuleInstance;
volatile LONG ServerLockCount;
volatile LONG LiveObjectCount;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        ModuleInstance = hInstance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv)
{
    // A host that passes no place for the answer gets an error, not a
    // crash in its own process.
    if (!ppv)
        return E_POINTER;
    if (!IsEqualCLSID(rclsid, CLSID_OEMUI))
        return CLASS_E_CLASSNOTAVAILABLE;

    OemClassFactory *factory = OemClassFactory::Create();
    if (!factory)
        return E_OUTOFMEMORY;

    // The caller gets the factory through its own QueryInterface; dropping
    // the creation reference then leaves the caller with the only one, or
    // destroys the factory when the interface was refused.
    HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow(void)
{
    // A live factory or plug-in object still points into this module, so the
    // host must not unload it under them.
    if (LiveObjectCount != 0 || ServerLockCount != 0)
        return S_FALSE;
    return S_OK;
}
