// The record as every test program handles it: the default built by the
// product's own code, records read, written and deleted through the
// store's interface, one diff that names fields, and buffers that end at
// an inaccessible page.
#pragma once

#include <string>

#include "settings/store.h"
#include "settings/useroptions.h"

// The full default record, as the store and the devmode handler write it.
UserOptions DefaultRecord();
// A record with every byte set to fill.
UserOptions FilledRecord(BYTE fill);

// The store's key name for a printer: its name cut at the last comma.
std::wstring StoreKeyName(const wchar_t *printer);

// What the store's reader finds under the exact key name; *record is the
// stored record or the full default, as the pages would see it.
StoredState ReadStored(const std::wstring &keyName, UserOptions *record);
// The record under keyName, which must be stored and valid.
UserOptions StoredRecord(const std::wstring &keyName);
void WriteStored(const std::wstring &keyName, const UserOptions &record);
void DeleteStored(const std::wstring &keyName);
// The key's path under HKEY_LOCAL_MACHINE, and whether the registry has it
// (asked of the registry: the store's reader would not tell a key it
// refuses to name from one that is missing).
std::wstring StoreKeyPath(const std::wstring &keyName);
bool StoreKeyExists(const std::wstring &keyName);

// "User Info" as the registry holds it, for values the store would refuse
// to read or could never write: any size, any type. The read returns the
// size, 0 when there is none, and leaves the bytes in *record.
DWORD ReadStoredValue(const std::wstring &keyName, UserOptions *record);
void WriteStoredValue(const std::wstring &keyName, const void *data, DWORD size, DWORD type = REG_BINARY);

// How two records differ, one line per field ("gamma (offset 52): 0, not
// 3", a text field by its first differing unit, a reserved byte by its
// offset), or "" when they are equal byte for byte.
std::string RecordDiff(const UserOptions &expected, const UserOptions &actual);

// Committed pages followed by a page of protection guard (no access by
// default): whatever is placed at the end faults as soon as anyone touches
// the byte past it (or, for a read-only guard, writes it).
class GuardedPages {
public:
    explicit GuardedPages(size_t bytes, DWORD guard = PAGE_NOACCESS);
    ~GuardedPages();
    GuardedPages(const GuardedPages &) = delete;
    GuardedPages &operator=(const GuardedPages &) = delete;

    // The last bytes before the guard page.
    void *End(size_t bytes) { return m_end - bytes; }
    // length copies of fill after prefix and a terminator, the terminator
    // last before the guard page.
    PWSTR Name(const std::wstring &prefix, size_t length, wchar_t fill = L'x');

private:
    BYTE *m_base;
    BYTE *m_end;
};
