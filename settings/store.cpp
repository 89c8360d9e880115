// The registry store. Names are measured before anything is copied: a name
// that does not fit the key path is refused with ERROR_INVALID_DATA rather
// than cut, since a cut name would silently key another printer's record.
#include "settings/store.h"

#include "diag/tracelog.h"
#include "settings/keysecurity.h"
#include "settings/printername.h"

#define STORE_NAME_UNITS 256

static const WCHAR KeyPrefix[] = STORE_PARENT_KEY L"\\";
#define KEY_PREFIX_UNITS (sizeof(KeyPrefix) / sizeof(WCHAR) - 1)

// "SYSTEM\Printers\" and the key name: the whole name, or with cutAtComma
// the name up to its last comma. Returns the key name inside path, or NULL
// when the name has 256 units or more, or the path does not fit. The name
// is measured before anything is copied.
static PCWSTR KeyPath(PCWSTR name, bool cutAtComma, WCHAR (&path)[STORE_PATH_UNITS])
{
    size_t length = 0;
    while (name && length < STORE_NAME_UNITS && name[length])
        ++length;
    if (!name || length == STORE_NAME_UNITS)
        return NULL;
    const WCHAR *comma = cutAtComma ? FindLastChar(name, L',') : NULL;
    if (comma)
        length = static_cast<size_t>(comma - name);
    if (KEY_PREFIX_UNITS + length >= STORE_PATH_UNITS)
        return NULL;
    CopyMemory(path, KeyPrefix, KEY_PREFIX_UNITS * sizeof(WCHAR));
    CopyMemory(path + KEY_PREFIX_UNITS, name, length * sizeof(WCHAR));
    path[KEY_PREFIX_UNITS + length] = 0;
    return path + KEY_PREFIX_UNITS;
}

PCWSTR UserInfoKeyPath(PCWSTR pszPrinterName, WCHAR (&path)[STORE_PATH_UNITS])
{
    return KeyPath(pszPrinterName, true, path);
}

// The value queried straight into the caller's record, as the plug-in has
// always read it; the query's size tells a longer value's length too. A
// NULL path is a name the store cannot hold: no key.
static void ReadRecordAtPath(PCWSTR path, UserOptions *record, StoredRead *read)
{
    read->size = 0;
    HKEY key;
    read->status = path ? RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) : ERROR_INVALID_DATA;
    read->keyOpened = read->status == ERROR_SUCCESS;
    if (!read->keyOpened) {
        read->state = read->status == ERROR_ACCESS_DENIED ? STORED_DENIED : STORED_NO_KEY;
        MakeDefaultRecord(record);
        return;
    }
    DWORD size = sizeof(UserOptions);
    read->status = RegQueryValueExW(key, STORE_VALUE_NAME, NULL, NULL, reinterpret_cast<BYTE *>(record), &size);
    RegCloseKey(key);
    read->size = read->status == ERROR_SUCCESS || read->status == ERROR_MORE_DATA ? size : 0;
    if (read->status == ERROR_FILE_NOT_FOUND)
        read->state = STORED_NO_VALUE;
    else if (read->status == ERROR_ACCESS_DENIED)
        read->state = STORED_DENIED;
    else if (read->status == ERROR_MORE_DATA || (read->status == ERROR_SUCCESS && size != sizeof(UserOptions)))
        read->state = STORED_WRONG_SIZE;
    else if (read->status != ERROR_SUCCESS)
        read->state = STORED_UNREADABLE;
    else if (record->initialized != USER_OPTIONS_MARKER)
        read->state = STORED_UNMARKED;
    else
        read->state = STORED_VALID;
    if (read->state != STORED_VALID)
        MakeDefaultRecord(record);
}

void ReadRecordAt(PCWSTR keyName, UserOptions *record, StoredRead *read)
{
    WCHAR path[STORE_PATH_UNITS];
    ReadRecordAtPath(KeyPath(keyName, false, path) ? path : NULL, record, read);
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

    StoredRead read;
    ReadRecordAtPath(path, pUserOptions, &read);
    if (!read.keyOpened) {
        TraceLog("GetUserInfo(RegOpenKeyEx failed, using default options)...\n");
        return ERROR_INVALID_DATA;
    }
    // A short value would have left the caller's own bytes behind the
    // stored ones; such a mix is no record at all.
    LONG result = read.status == ERROR_SUCCESS && read.state == STORED_WRONG_SIZE ? ERROR_INVALID_DATA : read.status;
    if (read.state != STORED_VALID)
        TraceLog("GetUserInfo(lRet = %d, pUserOptions->initialized = %d)...\n", static_cast<int>(result),
                 static_cast<int>(pUserOptions->initialized));
    return result;
}

// Creates or opens the key with the store's security and writes the record;
// *created is the create-or-open call's own result.
static LONG WriteRecordAtPath(PCWSTR path, const UserOptions *record, LONG *created)
{
    *created = ERROR_INVALID_DATA;
    KeySecurity security;
    if (!path || !record || !BuildKeySecurity(&security))
        return ERROR_INVALID_DATA;
    // Only the access the write needs: the key's own permissions give
    // ordinary accounts no more than that, and asking for full access would
    // lock them out of saving.
    HKEY key;
    *created = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                               &security.attributes, &key, NULL);
    if (*created != ERROR_SUCCESS)
        return ERROR_INVALID_DATA;
    LONG result = RegSetValueExW(key, STORE_VALUE_NAME, 0, REG_BINARY, reinterpret_cast<const BYTE *>(record),
                                 sizeof(UserOptions));
    RegCloseKey(key);
    return result;
}

LONG SetUserInfo(const UserOptions *pUserOptions, PCWSTR pszPrinterName)
{
    TraceLog("Entering SetUserInfo()...\n");
    WCHAR path[STORE_PATH_UNITS];
    PCWSTR keyName = UserInfoKeyPath(pszPrinterName, path);
    if (!pUserOptions || !keyName)
        return ERROR_INVALID_DATA;
    TraceLog("SetUserInfo(%s, %s)...\n", L"pszPrinterName", keyName);
    LONG created;
    return WriteRecordAtPath(path, pUserOptions, &created);
}

LONG WriteRecordAt(PCWSTR keyName, const UserOptions *record)
{
    WCHAR path[STORE_PATH_UNITS];
    LONG created;
    LONG result = WriteRecordAtPath(KeyPath(keyName, false, path) ? path : NULL, record, &created);
    // A key that cannot be created or opened reports the platform's reason.
    return result == ERROR_INVALID_DATA && created != ERROR_SUCCESS && created != ERROR_INVALID_DATA ? created
                                                                                                    : result;
}

LONG DeleteUserInfo(PCWSTR pszPrinterName)
{
    WCHAR path[STORE_PATH_UNITS];
    return UserInfoKeyPath(pszPrinterName, path) ? RegDeleteKeyW(HKEY_LOCAL_MACHINE, path) : ERROR_INVALID_DATA;
}

LONG DeleteRecordAt(PCWSTR keyName)
{
    WCHAR path[STORE_PATH_UNITS];
    return KeyPath(keyName, false, path) ? RegDeleteKeyW(HKEY_LOCAL_MACHINE, path) : ERROR_INVALID_DATA;
}
