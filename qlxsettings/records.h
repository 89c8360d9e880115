// The stored records of a printer, read and written through the plug-in's
// own store, so that the tool never writes what the plug-in would not.
#pragma once

#include <string>
#include <vector>

#include "settings/useroptions.h"

enum RecordState {
    RECORD_VALID,
    RECORD_MISSING, // no key or no "User Info" value
    RECORD_INVALID, // a value the store does not accept: the pages show defaults
    RECORD_DENIED,  // this account may not read it
};

struct StoredRecord {
    RecordState state;
    std::wstring why; // for a missing or invalid record, one line
    // What the pages read for the name: the stored record when it is valid,
    // the full default otherwise.
    UserOptions seen;
};

// name is a printer or driver name as the store takes it.
void ReadRecord(const std::wstring &name, StoredRecord *stored);

// Whether this account may write a record under every name: ERROR_SUCCESS,
// or the first refusal's code (ERROR_ACCESS_DENIED for one).
LONG ProbeRecordWrites(const std::vector<std::wstring> &names);

// Checks that this account may write the record under every name, then
// writes it once under each. Returns ERROR_SUCCESS or the first refusal's
// code (ERROR_ACCESS_DENIED for one); a refusal found by the check leaves
// every record as it was.
LONG WriteRecord(const UserOptions &record, const std::vector<std::wstring> &names);
