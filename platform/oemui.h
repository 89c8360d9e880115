// Declarations of the printer-driver UI plug-in model that the MinGW-w64
// headers do not ship: the private devmode header, the parameter blocks the
// core driver UI hands to a plug-in, the plug-in interfaces and their GUIDs.
// Every layout is pinned below with static_asserts on both architectures,
// because the core driver is built with another compiler and reads these
// structures by offset.
#pragma once

#ifndef UNICODE
#error "the plug-in is a Unicode module"
#endif

#include <windows.h>
#include <objbase.h>
#include <winspool.h>
#include <prsht.h>
#include <compstui.h>
#include <winddiui.h>
#include <stddef.h>

// ---------------------------------------------------------------- constants

#define PRINTER_OEMINTF_VERSION 0x00010000

#define OEMGI_GETSIGNATURE 1
#define OEMGI_GETINTERFACEVERSION 2
#define OEMGI_GETVERSION 3
#define OEMGI_GETPUBLISHERINFO 4
#define OEMGI_GETREQUESTEDHELPERINTERFACES 5

#define OEMPUBLISH_DEFAULT 0
#define OEMPUBLISH_IPRINTCOREHELPER 1

#define OEMDM_SIZE 1
#define OEMDM_DEFAULT 2
#define OEMDM_CONVERT 3
#define OEMDM_MERGE 4

#define OEMCUIP_DOCPROP 1
#define OEMCUIP_PRNPROP 2

// Sent first by the platform's common property-sheet UI; MinGW stops at 4.
#ifndef PROPSHEETUI_REASON_BEFORE_INIT
#define PROPSHEETUI_REASON_BEFORE_INIT 5
#endif

#ifndef DRIVER_EVENT_INITIALIZE
#define DRIVER_EVENT_INITIALIZE 1
#define DRIVER_EVENT_DELETE 2
#endif

// CCSIZEOF_STRUCT is not a constant expression in C++, so the page
// description sizes are spelled out from the layout.
#define QLX_PROPSHEETPAGEW_V1_SIZE (offsetof(PROPSHEETPAGEW, pcRefParent) + sizeof(void *))
#define QLX_PROPSHEETPAGEW_V2_SIZE (offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(void *))

// --------------------------------------------------------------- structures

typedef struct _OEM_DMEXTRAHEADER {
    DWORD dwSize;
    DWORD dwSignature;
    DWORD dwVersion;
} OEM_DMEXTRAHEADER, *POEM_DMEXTRAHEADER;

typedef struct _OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    PDEVMODEW pPublicDMIn;
    PDEVMODEW pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;
} OEMDMPARAM, *POEMDMPARAM;

typedef BOOL(APIENTRY *PFN_DrvGetDriverSetting)(PVOID pdriverobj, PCSTR Feature, PVOID pOutput, DWORD cbSize,
                                                PDWORD pcbNeeded, PDWORD pdwOptionsReturned);
typedef BOOL(APIENTRY *PFN_DrvUpdateUISetting)(PVOID pdriverobj, PVOID pOptItem, DWORD dwPreviousSelection,
                                               DWORD dwMode);

typedef struct _OEMUIPROCS {
    PFN_DrvGetDriverSetting DrvGetDriverSetting;
    PFN_DrvUpdateUISetting DrvUpdateUISetting;
} OEMUIPROCS, *POEMUIPROCS;

typedef struct _OEMUIOBJ {
    DWORD cbSize;
    POEMUIPROCS pOemUIProcs;
} OEMUIOBJ, *POEMUIOBJ;

// PROPSHEETUI_INFO.lParamInit points to this block for DocumentPropertySheets.
typedef struct _OEMUIPSPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
} OEMUIPSPARAM, *POEMUIPSPARAM;

typedef struct _OEMCUIPPARAM *POEMCUIPPARAM;
typedef LONG(APIENTRY *OEMCUIPCALLBACK)(PCPSUICBPARAM, POEMCUIPPARAM);

typedef struct _OEMCUIPPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    DWORD dwFlags;
    POPTITEM pDrvOptItems;
    DWORD cDrvOptItems;
    POPTITEM pOEMOptItems;
    DWORD cOEMOptItems;
    PVOID pOEMUserData;
    OEMCUIPCALLBACK OEMCUIPCallback;
} OEMCUIPPARAM;

typedef struct _DRIVER_UPGRADE_INFO_1 {
    LPWSTR pPrinterName;
    LPWSTR pOldDriverDirectory;
} DRIVER_UPGRADE_INFO_1, *PDRIVER_UPGRADE_INFO_1;

typedef struct _DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    DEVMODEW *pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

typedef struct _DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

// ------------------------------------------------------------------- GUIDs

DEFINE_GUID(IID_IPrintOemCommon, 0x7f42285e, 0x91d5, 0x11d1, 0x88, 0x20, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec);
DEFINE_GUID(IID_IPrintOemUI, 0xc6a7a9d0, 0x774c, 0x11d1, 0x94, 0x7f, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8);
DEFINE_GUID(IID_IPrintOemUI2, 0x292515f9, 0xb54b, 0x489b, 0x92, 0x75, 0xba, 0xb5, 0x68, 0x21, 0x39, 0x5e);
DEFINE_GUID(IID_IPrintOemDriverUI, 0x92b05d50, 0x78bc, 0x11d1, 0x94, 0x80, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8);
DEFINE_GUID(IID_IPrintCoreUI2, 0x085ccfca, 0x3adf, 0x4c9e, 0xb4, 0x91, 0xd8, 0x51, 0xa6, 0xed, 0xc9, 0x97);
DEFINE_GUID(CLSID_OEMUI, 0xabce80d7, 0x9f46, 0x11d1, 0x88, 0x2a, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec);
DEFINE_GUID(CLSID_OEMRENDER, 0x6d6abf26, 0x9f38, 0x11d1, 0x88, 0x2a, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec);

// -------------------------------------------------------------- interfaces
// Every method is STDMETHODCALLTYPE: without it an i686 virtual is thiscall,
// which the core driver does not call.

struct IPrintOemCommon : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) = 0;
};

struct IPrintOemUI : public IPrintOemCommon {
    virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown *pIUnknown) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj, PDEVQUERYPRINT_INFO pDQPInfo,
                                                      PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter, PWSTR pDeviceName,
                                                         WORD wCapability, PVOID pOutput, PDEVMODEW pPublicDM,
                                                         PVOID pOEMDM, DWORD dwOld, DWORD *dwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags,
                                                   LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo,
                                                  LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj, PDEVMODEW pPublicDM,
                                                        PVOID pOEMDM, ULONG ulQueryMode, VOID *pvProfileData,
                                                        ULONG *pcbProfileData, FLONG *pflProfileData) = 0;
    virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap, PWSTR pwstrCartridges) = 0;
};

struct IPrintOemDriverUI : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR Feature, PVOID pOutput, DWORD cbSize,
                                                          PDWORD pcbNeeded, PDWORD pdwOptionsReturned) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE hPrinter, PCSTR pFeature, PCSTR pOption) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID pOptItem, DWORD dwPreviousSelection,
                                                         DWORD dwMode) = 0;
};

// ------------------------------------------------------------ layout checks

#define QLX_PTR_SIZE(size32, size64) (sizeof(void *) == 4 ? (size32) : (size64))

static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "OEM_DMEXTRAHEADER");
static_assert(offsetof(OEM_DMEXTRAHEADER, dwSignature) == 4, "OEM_DMEXTRAHEADER.dwSignature");
static_assert(offsetof(OEM_DMEXTRAHEADER, dwVersion) == 8, "OEM_DMEXTRAHEADER.dwVersion");

static_assert(sizeof(OEMDMPARAM) == QLX_PTR_SIZE(36, 72), "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, pdriverobj) == QLX_PTR_SIZE(4, 8), "OEMDMPARAM.pdriverobj");
static_assert(offsetof(OEMDMPARAM, hPrinter) == QLX_PTR_SIZE(8, 16), "OEMDMPARAM.hPrinter");
static_assert(offsetof(OEMDMPARAM, hModule) == QLX_PTR_SIZE(12, 24), "OEMDMPARAM.hModule");
static_assert(offsetof(OEMDMPARAM, pPublicDMIn) == QLX_PTR_SIZE(16, 32), "OEMDMPARAM.pPublicDMIn");
static_assert(offsetof(OEMDMPARAM, pPublicDMOut) == QLX_PTR_SIZE(20, 40), "OEMDMPARAM.pPublicDMOut");
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == QLX_PTR_SIZE(24, 48), "OEMDMPARAM.pOEMDMIn");
static_assert(offsetof(OEMDMPARAM, pOEMDMOut) == QLX_PTR_SIZE(28, 56), "OEMDMPARAM.pOEMDMOut");
static_assert(offsetof(OEMDMPARAM, cbBufSize) == QLX_PTR_SIZE(32, 64), "OEMDMPARAM.cbBufSize");

static_assert(sizeof(OEMUIPROCS) == QLX_PTR_SIZE(8, 16), "OEMUIPROCS");
static_assert(sizeof(OEMUIOBJ) == QLX_PTR_SIZE(8, 16), "OEMUIOBJ");

static_assert(sizeof(OEMUIPSPARAM) == QLX_PTR_SIZE(44, 88), "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, poemuiobj) == QLX_PTR_SIZE(4, 8), "OEMUIPSPARAM.poemuiobj");
static_assert(offsetof(OEMUIPSPARAM, hPrinter) == QLX_PTR_SIZE(8, 16), "OEMUIPSPARAM.hPrinter");
static_assert(offsetof(OEMUIPSPARAM, pPrinterName) == QLX_PTR_SIZE(12, 24), "OEMUIPSPARAM.pPrinterName");
static_assert(offsetof(OEMUIPSPARAM, hModule) == QLX_PTR_SIZE(16, 32), "OEMUIPSPARAM.hModule");
static_assert(offsetof(OEMUIPSPARAM, hOEMHeap) == QLX_PTR_SIZE(20, 40), "OEMUIPSPARAM.hOEMHeap");
static_assert(offsetof(OEMUIPSPARAM, pPublicDM) == QLX_PTR_SIZE(24, 48), "OEMUIPSPARAM.pPublicDM");
static_assert(offsetof(OEMUIPSPARAM, pOEMDM) == QLX_PTR_SIZE(28, 56), "OEMUIPSPARAM.pOEMDM");
static_assert(offsetof(OEMUIPSPARAM, pOEMUserData) == QLX_PTR_SIZE(32, 64), "OEMUIPSPARAM.pOEMUserData");
static_assert(offsetof(OEMUIPSPARAM, dwFlags) == QLX_PTR_SIZE(36, 72), "OEMUIPSPARAM.dwFlags");
static_assert(offsetof(OEMUIPSPARAM, pOemEntry) == QLX_PTR_SIZE(40, 80), "OEMUIPSPARAM.pOemEntry");

static_assert(sizeof(OEMCUIPPARAM) == QLX_PTR_SIZE(60, 120), "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, poemuiobj) == QLX_PTR_SIZE(4, 8), "OEMCUIPPARAM.poemuiobj");
static_assert(offsetof(OEMCUIPPARAM, hPrinter) == QLX_PTR_SIZE(8, 16), "OEMCUIPPARAM.hPrinter");
static_assert(offsetof(OEMCUIPPARAM, pPrinterName) == QLX_PTR_SIZE(12, 24), "OEMCUIPPARAM.pPrinterName");
static_assert(offsetof(OEMCUIPPARAM, hModule) == QLX_PTR_SIZE(16, 32), "OEMCUIPPARAM.hModule");
static_assert(offsetof(OEMCUIPPARAM, hOEMHeap) == QLX_PTR_SIZE(20, 40), "OEMCUIPPARAM.hOEMHeap");
static_assert(offsetof(OEMCUIPPARAM, pPublicDM) == QLX_PTR_SIZE(24, 48), "OEMCUIPPARAM.pPublicDM");
static_assert(offsetof(OEMCUIPPARAM, pOEMDM) == QLX_PTR_SIZE(28, 56), "OEMCUIPPARAM.pOEMDM");
static_assert(offsetof(OEMCUIPPARAM, dwFlags) == QLX_PTR_SIZE(32, 64), "OEMCUIPPARAM.dwFlags");
static_assert(offsetof(OEMCUIPPARAM, pDrvOptItems) == QLX_PTR_SIZE(36, 72), "OEMCUIPPARAM.pDrvOptItems");
static_assert(offsetof(OEMCUIPPARAM, cDrvOptItems) == QLX_PTR_SIZE(40, 80), "OEMCUIPPARAM.cDrvOptItems");
static_assert(offsetof(OEMCUIPPARAM, pOEMOptItems) == QLX_PTR_SIZE(44, 88), "OEMCUIPPARAM.pOEMOptItems");
static_assert(offsetof(OEMCUIPPARAM, cOEMOptItems) == QLX_PTR_SIZE(48, 96), "OEMCUIPPARAM.cOEMOptItems");
static_assert(offsetof(OEMCUIPPARAM, pOEMUserData) == QLX_PTR_SIZE(52, 104), "OEMCUIPPARAM.pOEMUserData");
static_assert(offsetof(OEMCUIPPARAM, OEMCUIPCallback) == QLX_PTR_SIZE(56, 112), "OEMCUIPPARAM.OEMCUIPCallback");

static_assert(sizeof(DRIVER_UPGRADE_INFO_1) == QLX_PTR_SIZE(8, 16), "DRIVER_UPGRADE_INFO_1");
static_assert(sizeof(DEVQUERYPRINT_INFO) == QLX_PTR_SIZE(24, 40), "DEVQUERYPRINT_INFO");
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == QLX_PTR_SIZE(28, 48), "DOCUMENTPROPERTYHEADER");

// The common-UI structures come from MinGW's compstui.h; check them too.
static_assert(sizeof(PROPSHEETUI_INFO) == QLX_PTR_SIZE(28, 48), "PROPSHEETUI_INFO");
static_assert(offsetof(PROPSHEETUI_INFO, Reason) == 6, "PROPSHEETUI_INFO.Reason");
static_assert(offsetof(PROPSHEETUI_INFO, hComPropSheet) == 8, "PROPSHEETUI_INFO.hComPropSheet");
static_assert(offsetof(PROPSHEETUI_INFO, pfnComPropSheet) == QLX_PTR_SIZE(12, 16), "PROPSHEETUI_INFO.pfn");
static_assert(offsetof(PROPSHEETUI_INFO, lParamInit) == QLX_PTR_SIZE(16, 24), "PROPSHEETUI_INFO.lParamInit");
static_assert(offsetof(PROPSHEETUI_INFO, UserData) == QLX_PTR_SIZE(20, 32), "PROPSHEETUI_INFO.UserData");
static_assert(offsetof(PROPSHEETUI_INFO, Result) == QLX_PTR_SIZE(24, 40), "PROPSHEETUI_INFO.Result");
static_assert(sizeof(SETRESULT_INFO) == QLX_PTR_SIZE(12, 24), "SETRESULT_INFO");
static_assert(sizeof(OPTITEM) == QLX_PTR_SIZE(52, 88), "OPTITEM");
static_assert(offsetof(OPTITEM, Flags) == 4, "OPTITEM.Flags");
static_assert(QLX_PROPSHEETPAGEW_V2_SIZE == QLX_PTR_SIZE(48, 88), "PROPSHEETPAGEW_V2_SIZE");
static_assert(QLX_PROPSHEETPAGEW_V1_SIZE == QLX_PTR_SIZE(40, 72), "PROPSHEETPAGEW_V1_SIZE");

// Interfaces are a bare vtable pointer.
static_assert(sizeof(IPrintOemUI) == sizeof(void *), "IPrintOemUI has no data");
static_assert(sizeof(IPrintOemDriverUI) == sizeof(void *), "IPrintOemDriverUI has no data");
