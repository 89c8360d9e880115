#include "tests/support/test_support.h"

#include <commctrl.h>

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

bool DenyKeySetValue(const std::wstring &path, bool deny)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key))
        return false;
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID everyone = NULL;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    BYTE aclBytes[256];
    PACL acl = reinterpret_cast<PACL>(aclBytes);
    InitializeAcl(acl, sizeof(aclBytes), ACL_REVISION);
    if (deny)
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    LONG status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    FreeSid(everyone);
    return status == ERROR_SUCCESS;
}

std::wstring SheetTabText(HWND sheet, int index)
{
    wchar_t text[64] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    TabCtrl_GetItem(PropSheet_GetTabControl(sheet), index, &item);
    return text;
}

std::string ReadWholeFile(const std::wstring &path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string content(GetFileSize(file, NULL), '\0');
    DWORD read = 0;
    if (!content.empty())
        ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, NULL);
    CloseHandle(file);
    content.resize(read);
    return content;
}

std::wstring EnvPath(const wchar_t *variable)
{
    wchar_t path[MAX_PATH] = {0};
    if (!GetEnvironmentVariableW(variable, path, MAX_PATH))
        ADD_FAILURE() << "environment variable not set";
    return path;
}

std::string Utf8(const std::wstring &text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, NULL, NULL);
    return out;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}
