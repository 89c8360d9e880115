#include "qlxsettings/records.h"

#include "recordtext/output.h"
#include "settings/recordfields.h"
#include "settings/store.h"

void ReadRecord(const std::wstring &name, StoredRecord *stored)
{
    // What the pages see comes from the plug-in's own read; the state is
    // found by looking at the value itself.
    GetUserInfo(&stored->seen, name.c_str());
    stored->why.clear();

    WCHAR path[STORE_PATH_UNITS];
    HKEY key;
    LONG status = UserInfoKeyPath(name.c_str(), path)
                      ? RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key)
                      : ERROR_INVALID_NAME;
    if (status == ERROR_ACCESS_DENIED) {
        stored->state = RECORD_DENIED;
        return;
    }
    if (status != ERROR_SUCCESS) {
        stored->state = RECORD_MISSING;
        stored->why = L"no key";
        return;
    }
    UserOptions raw;
    DWORD size = sizeof(raw), type = 0;
    status = RegQueryValueExW(key, L"User Info", NULL, &type, reinterpret_cast<BYTE *>(&raw), &size);
    if (status == ERROR_MORE_DATA) {
        size = 0;
        RegQueryValueExW(key, L"User Info", NULL, NULL, NULL, &size);
    }
    RegCloseKey(key);

    stored->state = RECORD_INVALID;
    if (status == ERROR_FILE_NOT_FOUND) {
        stored->state = RECORD_MISSING;
        stored->why = L"no \"User Info\" value";
    } else if (status == ERROR_ACCESS_DENIED) {
        stored->state = RECORD_DENIED;
    } else if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        stored->why = L"unreadable (error " + Number(status) + L")";
    } else if (size != sizeof(raw)) {
        stored->why = Number(static_cast<long>(size)) + L" bytes instead of " + Number(sizeof(raw));
    } else if (raw.initialized != USER_OPTIONS_MARKER) {
        stored->why = L"no validity marker";
    } else {
        stored->state = RECORD_VALID;
    }
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
    status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\Printers", 0, KEY_CREATE_SUB_KEY, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM", 0, KEY_CREATE_SUB_KEY, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

LONG ProbeRecordWrite(const std::wstring &name)
{
    WCHAR path[STORE_PATH_UNITS];
    if (!UserInfoKeyPath(name.c_str(), path))
        return ERROR_INVALID_NAME;
    return ProbeWrite(path);
}

LONG WriteRecord(const UserOptions &record, const std::wstring &name)
{
    // Records of earlier versions may hold the rest of an older owner or
    // password behind a shorter one; what the tool writes never does.
    UserOptions scrubbed = record;
    ScrubIdentityTexts(scrubbed);
    return SetUserInfoReporting(&scrubbed, name.c_str());
}
