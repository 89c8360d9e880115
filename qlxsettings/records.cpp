#include "qlxsettings/records.h"

#include "recordtext/output.h"
#include "settings/recordfields.h"
#include "settings/store.h"

void ReadRecord(const std::wstring &key, StoredRecord *stored)
{
    // One read: what the pages would see and what was found come from the
    // same query of the value.
    ReadRecordAt(key.c_str(), &stored->seen, &stored->read);
}

// Whether a write under path can happen: the key takes a value, or, when
// it does not exist yet, its parent takes a new key.
static LONG ProbeWrite(const WCHAR *path)
{
    HKEY key;
    LONG status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, &key);
    if (status == ERROR_SUCCESS) {
        RegCloseKey(key);
        return ERROR_SUCCESS;
    }
    if (status != ERROR_FILE_NOT_FOUND)
        return status;
    status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, STORE_PARENT_KEY, 0, KEY_CREATE_SUB_KEY, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM", 0, KEY_CREATE_SUB_KEY, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

LONG ProbeRecordWrite(const std::wstring &key)
{
    std::wstring path = std::wstring(STORE_PARENT_KEY L"\\") + key;
    return ProbeWrite(path.c_str());
}

LONG WriteRecord(const UserOptions &record, const std::wstring &key)
{
    // Records of earlier versions may hold the rest of an older owner or
    // password behind a shorter one; what the tool writes never does.
    UserOptions scrubbed = record;
    ScrubIdentityTexts(scrubbed);
    return WriteRecordAt(key.c_str(), &scrubbed);
}
