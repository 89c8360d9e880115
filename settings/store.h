// The settings store: one UserOptions record per name under
// HKLM\SYSTEM\Printers\<name>, value "User Info". Each call opens the key,
// does its work and closes it; the registry is the only shared state.
#pragma once

#include "settings/useroptions.h"

// Leaves either the stored record or the full default in *pUserOptions.
// Returns a registry error code, or ERROR_INVALID_DATA for the store's own
// failures.
LONG GetUserInfo(UserOptions *pUserOptions, PCWSTR pszPrinterName);
LONG SetUserInfo(const UserOptions *pUserOptions, PCWSTR pszPrinterName);
LONG DeleteUserInfo(PCWSTR pszPrinterName);

// Where the records live: HKEY_LOCAL_MACHINE, this parent key, one key per
// name, the value "User Info".
#define STORE_PARENT_KEY L"SYSTEM\\Printers"
#define STORE_VALUE_NAME L"User Info"

// The key path under HKEY_LOCAL_MACHINE that every store operation builds
// for a name: "SYSTEM\Printers\" and the name cut at its last comma.
// Returns the key name inside path, or NULL when the store refuses the name
// (more than 255 characters, or a key name of more than 239). Touches no
// registry.
#define STORE_PATH_UNITS 256
PCWSTR UserInfoKeyPath(PCWSTR pszPrinterName, WCHAR (&path)[STORE_PATH_UNITS]);

// What one read of a key found.
enum StoredState {
    STORED_VALID,
    STORED_NO_KEY,     // no such key, or a key name the store cannot hold
    STORED_NO_VALUE,   // the key has no "User Info"
    STORED_DENIED,     // this account may not read the key or its value
    STORED_UNREADABLE, // the query failed otherwise; status says how
    STORED_WRONG_SIZE, // a value of size bytes instead of a record's
    STORED_UNMARKED,   // a whole record without the validity marker
};

struct StoredRead {
    StoredState state;
    LONG status;    // the opening's or the query's own result
    DWORD size;     // the value's size in bytes, where the query told it
    bool keyOpened; // false when the key itself could not be opened
};

// The record stored under the exact key name (no comma rule), in one query:
// *record is the stored record when it is valid, the full default
// otherwise, and *read says what was found.
void ReadRecordAt(PCWSTR keyName, UserOptions *record, StoredRead *read);
// Writes the record under the exact key name, creating the key as the
// store does; returns the platform's code (ERROR_ACCESS_DENIED for one), or
// ERROR_INVALID_DATA when the name or the key's security cannot be made.
LONG WriteRecordAt(PCWSTR keyName, const UserOptions *record);
LONG DeleteRecordAt(PCWSTR keyName);
