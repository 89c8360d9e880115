// OemClassFactory and OemUiObject: the COM objects the host talks to. The
// object holds no settings; it answers GetInfo and forwards the rest to the
// handlers, turning their TRUE/FALSE into HRESULTs.
#include <assert.h>
#include <new>

#include "entry/intrface.h"
#include "entry/module.h"
#include "pages/sheet.h"
#include "settings/devmode.h"
#include "settings/lifecycle.h"

// The handlers answer TRUE or FALSE; only exactly TRUE is success, so that a
// stray non-zero value is never taken for it.
static HRESULT HandlerResult(BOOL result)
{
    return result == TRUE ? S_OK : E_FAIL;
}

// The sheet builder answers a count-like LONG: anything above 0 succeeded.
static HRESULT SheetResult(LONG result)
{
    return result > 0 ? S_OK : E_FAIL;
}

// Placement new on the process heap: the plug-in throws nothing, so it has
// no use for the C++ runtime's allocating new, whose failure path is an
// exception.
template <class Object> Object *CreateOnHeap()
{
    void *memory = HeapAlloc(GetProcessHeap(), 0, sizeof(Object));
    return memory ? new (memory) Object : NULL;
}

template <class Object> void DestroyOnHeap(Object *object)
{
    object->~Object();
    HeapFree(GetProcessHeap(), 0, object);
}

// ---------------------------------------------------------- class factory

OemClassFactory *OemClassFactory::Create()
{
    return CreateOnHeap<OemClassFactory>();
}

OemClassFactory::OemClassFactory() : m_cRef(1)
{
    InterlockedIncrement(&LiveObjectCount);
}

OemClassFactory::~OemClassFactory()
{
    InterlockedDecrement(&LiveObjectCount);
}

HRESULT STDMETHODCALLTYPE OemClassFactory::QueryInterface(REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory *>(this);
        reinterpret_cast<IUnknown *>(*ppv)->AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE OemClassFactory::AddRef()
{
    return InterlockedIncrement(&m_cRef);
}

ULONG STDMETHODCALLTYPE OemClassFactory::Release()
{
    LONG cRef = InterlockedDecrement(&m_cRef);
    if (cRef != 0)
        return cRef;
    DestroyOnHeap(this);
    return 0;
}

HRESULT STDMETHODCALLTYPE OemClassFactory::CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppv)
{
    if (pUnkOuter != NULL)
        return CLASS_E_NOAGGREGATION;

    OemUiObject *object = OemUiObject::Create();
    if (!object)
        return E_OUTOFMEMORY;

    HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE OemClassFactory::LockServer(BOOL fLock)
{
    if (fLock)
        InterlockedIncrement(&ServerLockCount);
    else
        InterlockedDecrement(&ServerLockCount);
    return S_OK;
}

// --------------------------------------------------------- plug-in object

OemUiObject *OemUiObject::Create()
{
    return CreateOnHeap<OemUiObject>();
}

OemUiObject::OemUiObject() : m_cRef(1), m_pOemDriverUi(NULL)
{
    InterlockedIncrement(&LiveObjectCount);
}

OemUiObject::~OemUiObject()
{
    if (m_pOemDriverUi) {
        m_pOemDriverUi->Release();
        m_pOemDriverUi = NULL;
    }
    assert(0 == m_cRef);
    InterlockedDecrement(&LiveObjectCount);
}

HRESULT STDMETHODCALLTYPE OemUiObject::QueryInterface(REFIID riid, void **ppv)
{
    if (!ppv)
        return E_POINTER;
    // IPrintOemCommon is deliberately not answered: the host asks for the
    // UI interface it drives and nothing else.
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemUI)) {
        *ppv = static_cast<IPrintOemUI *>(this);
        reinterpret_cast<IUnknown *>(*ppv)->AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE OemUiObject::AddRef()
{
    return InterlockedIncrement(&m_cRef);
}

ULONG STDMETHODCALLTYPE OemUiObject::Release()
{
    LONG cRef = InterlockedDecrement(&m_cRef);
    if (cRef != 0)
        return cRef;
    DestroyOnHeap(this);
    return 0;
}

HRESULT STDMETHODCALLTYPE OemUiObject::GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded)
{
    return HandlerResult(OEMGetInfo(dwMode, pBuffer, cbSize, pcbNeeded));
}

HRESULT STDMETHODCALLTYPE OemUiObject::DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam)
{
    return HandlerResult(OEMDevMode(dwMode, pOemDMParam));
}

HRESULT STDMETHODCALLTYPE OemUiObject::PublishDriverInterface(IUnknown *pIUnknown)
{
    // The first successful publication sticks for the object's life.
    if (m_pOemDriverUi)
        return S_OK;

    HRESULT hr = pIUnknown->QueryInterface(IID_IPrintOemDriverUI, reinterpret_cast<void **>(&m_pOemDriverUi));
    if (SUCCEEDED(hr))
        return S_OK;
    m_pOemDriverUi = NULL;
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam)
{
    return HandlerResult(OEMCommonUIProp(dwMode, pOemCUIPParam));
}

HRESULT STDMETHODCALLTYPE OemUiObject::DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    return SheetResult(OEMDocumentPropertySheets(pPSUIInfo, lParam));
}

HRESULT STDMETHODCALLTYPE OemUiObject::DevicePropertySheets(PPROPSHEETUI_INFO, LPARAM)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID,
                                                          DWORD, DWORD *)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo)
{
    return HandlerResult(OEMUpgradePrinter(dwLevel, pDriverUpgradeInfo));
}

HRESULT STDMETHODCALLTYPE OemUiObject::PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags,
                                                    LPARAM lParam)
{
    return HandlerResult(OEMPrinterEvent(pPrinterName, iDriverEvent, dwFlags, lParam));
}

HRESULT STDMETHODCALLTYPE OemUiObject::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG, VOID *,
                                                         ULONG *, FLONG *)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUiObject::UpdateExternalFonts(HANDLE, HANDLE, PWSTR)
{
    return E_NOTIMPL;
}

// ---------------------------------------------------------------- GetInfo

BOOL OEMGetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded)
{
    if (dwMode != OEMGI_GETSIGNATURE && dwMode != OEMGI_GETINTERFACEVERSION && dwMode != OEMGI_GETVERSION) {
        if (pcbNeeded)
            *pcbNeeded = 0;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    if (pBuffer && pcbNeeded && IsBadWritePtr(pBuffer, cbSize)) {
        *pcbNeeded = 0;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    // The host always passes pcbNeeded; a caller that does not only loses
    // the size hint.
    if (pcbNeeded)
        *pcbNeeded = sizeof(DWORD);

    if (!pBuffer || cbSize < sizeof(DWORD)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }

    *static_cast<DWORD *>(pBuffer) = dwMode == OEMGI_GETINTERFACEVERSION ? PRINTER_OEMINTF_VERSION : OEM_SIGNATURE;
    return TRUE;
}
