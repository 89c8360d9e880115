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

// As SetUserInfo, but a key that cannot be created or opened reports the
// platform's own code (ERROR_ACCESS_DENIED, for one) instead of
// ERROR_INVALID_DATA, for callers that must tell an admin why.
LONG SetUserInfoReporting(const UserOptions *pUserOptions, PCWSTR pszPrinterName);

// The key path under HKEY_LOCAL_MACHINE that every store operation builds
// for a name: "SYSTEM\Printers\" and the name cut at its last comma.
// Returns the key name inside path, or NULL when the store refuses the name
// (more than 255 characters, or a key name of more than 239).
#define STORE_PATH_UNITS 256
PCWSTR UserInfoKeyPath(PCWSTR pszPrinterName, WCHAR (&path)[STORE_PATH_UNITS]);
