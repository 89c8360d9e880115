// The registry store. Names are measured before anything is copied: a name
// that does not fit the key path is refused with ERROR_INVALID_DATA rather
// than cut, since a cut name would silently key another printer's record.
#include "settings/store.h"

#include "diag/tracelog.h"
#include "settings/keysecurity.h"
#include "settings/printername.h"

#define STORE_NAME_UNITS 256
#define STORE_VALUE L"User Info"

static const WCHAR KeyPrefix[] = L"SYSTEM\\Printers\\";
#define KEY_PREFIX_UNITS (sizeof(KeyPrefix) / sizeof(WCHAR) - 1)

// Builds "SYSTEM\Printers\" + the name cut at its last comma. Returns the
// key name inside path, or NULL when the name has more than 255 characters
// or the key name more than 239.
PCWSTR UserInfoKeyPath(PCWSTR pszPrinterName, WCHAR (&path)[STORE_PATH_UNITS])
{
    if (!pszPrinterName)
        return NULL;
    size_t length = 0;
    while (length < STORE_NAME_UNITS && pszPrinterName[length])
        ++length;
    if (length == STORE_NAME_UNITS)
        return NULL;

    const WCHAR *comma = FindLastChar(pszPrinterName, L',');
    size_t keyLength = comma ? static_cast<size_t>(comma - pszPrinterName) : length;
    if (KEY_PREFIX_UNITS + keyLength >= STORE_PATH_UNITS)
        return NULL;

    CopyMemory(path, KeyPrefix, KEY_PREFIX_UNITS * sizeof(WCHAR));
    CopyMemory(path + KEY_PREFIX_UNITS, pszPrinterName, keyLength * sizeof(WCHAR));
    path[KEY_PREFIX_UNITS + keyLength] = 0;
    return path + KEY_PREFIX_UNITS;
}

LONG GetUserInfo(UserOptions *pUserOptions, PCWSTR pszPrinterName)
{
    TraceLog("Entering GetUserInfo()...\n");
    if (!pUserOptions)
        return ERROR_INVALID_DATA;

    WCHAR path[STORE_PATH_UNITS];
    PCWSTR keyName = UserInfoKeyPath(pszPrinterName, path);
    if (!keyName) {
        MakeDefaultRecord(pUserOptions);
        return ERROR_INVALID_DATA;
    }
    TraceLog("GetUserInfo(%s, %s)...\n", L"pszPrinterName", keyName);

    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        MakeDefaultRecord(pUserOptions);
        TraceLog("GetUserInfo(RegOpenKeyEx failed, using default options)...\n");
        return ERROR_INVALID_DATA;
    }

    DWORD size = sizeof(UserOptions);
    LONG result =
        RegQueryValueExW(key, STORE_VALUE, NULL, NULL, reinterpret_cast<BYTE *>(pUserOptions), &size);
    // A short value would leave the caller's own bytes behind the stored
    // ones; such a mix is no record at all.
    if (result == ERROR_SUCCESS && size < sizeof(UserOptions))
        result = ERROR_INVALID_DATA;
    if (result != ERROR_SUCCESS || pUserOptions->initialized != USER_OPTIONS_MARKER) {
        MakeDefaultRecord(pUserOptions);
        TraceLog("GetUserInfo(lRet = %d, pUserOptions->initialized = %d)...\n", static_cast<int>(result),
                 static_cast<int>(pUserOptions->initialized));
    }
    RegCloseKey(key);
    return result;
}

// Writes the record; *created is the create-or-open call's own result.
static LONG WriteUserInfo(const UserOptions *pUserOptions, PCWSTR pszPrinterName, LONG *created)
{
    TraceLog("Entering SetUserInfo()...\n");
    *created = ERROR_INVALID_DATA;
    KeySecurity security;
    if (!pUserOptions || !BuildKeySecurity(&security))
        return ERROR_INVALID_DATA;

    WCHAR path[STORE_PATH_UNITS];
    PCWSTR keyName = UserInfoKeyPath(pszPrinterName, path);
    if (!keyName)
        return ERROR_INVALID_DATA;
    TraceLog("SetUserInfo(%s, %s)...\n", L"pszPrinterName", keyName);

    // Only the access the write needs: the key's own permissions give
    // ordinary accounts no more than that, and asking for full access would
    // lock them out of saving.
    HKEY key;
    *created = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                               &security.attributes, &key, NULL);
    if (*created != ERROR_SUCCESS)
        return ERROR_INVALID_DATA;

    LONG result = RegSetValueExW(key, STORE_VALUE, 0, REG_BINARY, reinterpret_cast<const BYTE *>(pUserOptions),
                                 sizeof(UserOptions));
    RegCloseKey(key);
    return result;
}

LONG SetUserInfo(const UserOptions *pUserOptions, PCWSTR pszPrinterName)
{
    LONG created;
    return WriteUserInfo(pUserOptions, pszPrinterName, &created);
}

LONG SetUserInfoReporting(const UserOptions *pUserOptions, PCWSTR pszPrinterName)
{
    LONG created;
    LONG result = WriteUserInfo(pUserOptions, pszPrinterName, &created);
    return result == ERROR_INVALID_DATA && created != ERROR_SUCCESS && created != ERROR_INVALID_DATA ? created
                                                                                                    : result;
}

LONG DeleteUserInfo(PCWSTR pszPrinterName)
{
    WCHAR path[STORE_PATH_UNITS];
    if (!UserInfoKeyPath(pszPrinterName, path))
        return ERROR_INVALID_DATA;
    return RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
}
