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

// "SYSTEM\Printers\" and keyLength units of keyName, or NULL when that
// does not fit the path.
static PCWSTR BuildKeyPath(PCWSTR keyName, size_t keyLength, WCHAR (&path)[STORE_PATH_UNITS])
{
    if (KEY_PREFIX_UNITS + keyLength >= STORE_PATH_UNITS)
        return NULL;
    CopyMemory(path, KeyPrefix, KEY_PREFIX_UNITS * sizeof(WCHAR));
    CopyMemory(path + KEY_PREFIX_UNITS, keyName, keyLength * sizeof(WCHAR));
    path[KEY_PREFIX_UNITS + keyLength] = 0;
    return path + KEY_PREFIX_UNITS;
}

// The length of text, or STORE_NAME_UNITS when it has that many units or more.
static size_t MeasuredName(PCWSTR text)
{
    size_t length = 0;
    while (length < STORE_NAME_UNITS && text[length])
        ++length;
    return length;
}

// The key path of an exact key name, with no comma rule.
static PCWSTR ExactKeyPath(PCWSTR keyName, WCHAR (&path)[STORE_PATH_UNITS])
{
    size_t length = keyName ? MeasuredName(keyName) : STORE_NAME_UNITS;
    return length == STORE_NAME_UNITS ? NULL : BuildKeyPath(keyName, length, path);
}

// Builds "SYSTEM\Printers\" + the name cut at its last comma. Returns the
// key name inside path, or NULL when the name has more than 255 characters
// or the key name more than 239.
PCWSTR UserInfoKeyPath(PCWSTR pszPrinterName, WCHAR (&path)[STORE_PATH_UNITS])
{
    if (!pszPrinterName)
        return NULL;
    size_t length = MeasuredName(pszPrinterName);
    if (length == STORE_NAME_UNITS)
        return NULL;
    const WCHAR *comma = FindLastChar(pszPrinterName, L',');
    return BuildKeyPath(pszPrinterName, comma ? static_cast<size_t>(comma - pszPrinterName) : length, path);
}

// The value queried straight into the caller's record, as the plug-in has
// always read it; the query's size tells a longer value's length too.
static void ReadRecordAtPath(PCWSTR path, UserOptions *record, StoredRead *read)
{
    read->size = 0;
    HKEY key;
    read->status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key);
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
    if (!ExactKeyPath(keyName, path)) {
        read->state = STORED_NO_KEY;
        read->status = ERROR_INVALID_DATA;
        read->size = 0;
        read->keyOpened = false;
        MakeDefaultRecord(record);
        return;
    }
    ReadRecordAtPath(path, record, read);
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
    if (!record || !BuildKeySecurity(&security))
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
    if (!ExactKeyPath(keyName, path))
        return ERROR_INVALID_DATA;
    LONG created;
    LONG result = WriteRecordAtPath(path, record, &created);
    // A key that cannot be created or opened reports the platform's reason.
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

LONG DeleteRecordAt(PCWSTR keyName)
{
    WCHAR path[STORE_PATH_UNITS];
    if (!ExactKeyPath(keyName, path))
        return ERROR_INVALID_DATA;
    return RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
}
