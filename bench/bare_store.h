// The store's platform floor: the registry calls a read or a write of the
// record cannot do without, with nothing of the plug-in's own around them.
#pragma once

#include <windows.h>

#include "settings/useroptions.h"

// The record of the store key of printerName, opened, queried and closed.
void BareStoreRead(const wchar_t *printerName, UserOptions *record);
// The record written under that key, created with the store's security.
void BareStoreWrite(const wchar_t *printerName, const UserOptions &record);
