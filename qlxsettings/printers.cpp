#include "qlxsettings/printers.h"

#include "settings/printername.h"
#include "settings/store.h"

std::wstring FileNamePart(const std::wstring &path)
{
    size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring StoreKeyDisplay(const std::wstring &key)
{
    return std::wstring(L"HKLM\\" STORE_PARENT_KEY L"\\") + key;
}

// The key the store uses for a printer's or driver's name, as the devmode
// merge and the printer events derive it; false when the store refuses it.
static bool StoreKeyOf(const std::wstring &name, std::wstring *key)
{
    WCHAR path[STORE_PATH_UNITS];
    PCWSTR keyName = UserInfoKeyPath(ShortPrinterName(name.c_str()), path);
    if (!keyName)
        return false;
    *key = keyName;
    return true;
}

// Level-3 driver information: the plug-in's copy is one of the driver's
// files, as the INF's copy list places it.
static std::wstring DriverPluginPath(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterDriverW(printer, NULL, 3, NULL, 0, &needed);
    if (!needed)
        return std::wstring();
    std::vector<BYTE> buffer(needed);
    if (!GetPrinterDriverW(printer, NULL, 3, buffer.data(), needed, &needed))
        return std::wstring();
    const DRIVER_INFO_3W *info = reinterpret_cast<const DRIVER_INFO_3W *>(buffer.data());
    const WCHAR *single[] = {info->pDriverPath, info->pConfigFile, info->pDataFile};
    for (const WCHAR *file : single)
        if (file && lstrcmpiW(FileNamePart(file).c_str(), PLUGIN_FILE_NAME) == 0)
            return file;
    for (const WCHAR *file = info->pDependentFiles; file && *file; file += lstrlenW(file) + 1)
        if (lstrcmpiW(FileNamePart(file).c_str(), PLUGIN_FILE_NAME) == 0)
            return file;
    return std::wstring();
}

PrinterLookup ResolvePrinter(const std::wstring &name, PrinterTarget *target)
{
    HANDLE printer = NULL;
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ACCESS_USE};
    if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, &defaults) || !printer)
        return PRINTER_MISSING;

    // The driver's name as the devmode merge asks for it.
    PrinterLookup result = PRINTER_MISSING;
    DWORD needed = 0;
    GetPrinterDriverW(printer, NULL, 1, NULL, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (needed && GetPrinterDriverW(printer, NULL, 1, buffer.data(), needed, &needed)) {
        target->printer = name;
        target->driver = reinterpret_cast<const DRIVER_INFO_1W *>(buffer.data())->pName;
        target->driverPlugin = DriverPluginPath(printer);
        result = StoreKeyOf(target->driver, &target->pagesKey) && StoreKeyOf(name, &target->installKey)
                     ? PRINTER_FOUND
                     : PRINTER_NAME_TOO_LONG;
    }
    ClosePrinter(printer);
    return result;
}

std::vector<std::wstring> LocalPrinterNames()
{
    std::vector<std::wstring> names;
    DWORD needed = 0, count = 0;
    DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersW(flags, NULL, 4, NULL, 0, &needed, &count);
    if (!needed)
        return names;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, NULL, 4, buffer.data(), needed, &needed, &count))
        return names;
    const PRINTER_INFO_4W *info = reinterpret_cast<const PRINTER_INFO_4W *>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        names.push_back(info[i].pPrinterName);
    return names;
}
