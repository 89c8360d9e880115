#include "bench/bare_store.h"

#include <string>

#include "settings/keysecurity.h"
#include "settings/store.h"

static std::wstring KeyOf(const wchar_t *printerName)
{
    return std::wstring(STORE_PARENT_KEY L"\\") + printerName;
}

void BareStoreRead(const wchar_t *printerName, UserOptions *record)
{
    HKEY key;
    DWORD size = sizeof(*record);
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyOf(printerName).c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegQueryValueExW(key, STORE_VALUE_NAME, NULL, NULL, reinterpret_cast<BYTE *>(record), &size);
        RegCloseKey(key);
    }
}

void BareStoreWrite(const wchar_t *printerName, const UserOptions &record)
{
    // Built once: the descriptor is the store's own work, not the platform's.
    static KeySecurity security;
    static bool built = BuildKeySecurity(&security) != FALSE;
    HKEY key;
    if (built && RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyOf(printerName).c_str(), 0, NULL, REG_OPTION_NON_VOLATILE,
                                 KEY_SET_VALUE, &security.attributes, &key, NULL) == ERROR_SUCCESS) {
        RegSetValueExW(key, STORE_VALUE_NAME, 0, REG_BINARY, reinterpret_cast<const BYTE *>(&record), sizeof(record));
        RegCloseKey(key);
    }
}
