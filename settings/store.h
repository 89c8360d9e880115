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
