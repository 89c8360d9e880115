// The stored records of a printer, read and written through the plug-in's
// own store, so that the tool never writes what the plug-in would not.
#pragma once

#include <string>
#include "settings/store.h"

struct StoredRecord {
    StoredRead read; // what the one read of the value found
    // What the pages read for the name: the stored record when it is valid,
    // the full default otherwise.
    UserOptions seen;
};

// The record under a key name (under HKLM\SYSTEM\Printers), read once.
void ReadRecord(const std::wstring &key, StoredRecord *stored);

// Whether this account may write a record under the key: ERROR_SUCCESS, or
// the refusal's code (ERROR_ACCESS_DENIED for one).
LONG ProbeRecordWrite(const std::wstring &key);

// Writes the record under the key through the plug-in's store, with
// nothing behind the terminators of its identity texts. Returns
// ERROR_SUCCESS or the platform's code (ERROR_ACCESS_DENIED for one).
LONG WriteRecord(const UserOptions &record, const std::wstring &key);
