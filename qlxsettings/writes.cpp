// How the tool writes records: every key probed before the first write,
// each key's own identity fields kept unless asked otherwise.
#include "qlxsettings/tool.h"

#include <string.h>

#include "recordtext/output.h"
#include "settings/recordfields.h"
#include "settings/store.h"

// Whether this account may write a record under the key: the key takes a
// value, or, when it does not exist yet, its parent takes a new key.
// ERROR_SUCCESS, or the refusal's code (ERROR_ACCESS_DENIED for one).
static LONG ProbeRecordWrite(const std::wstring &keyName)
{
    std::wstring path = std::wstring(STORE_PARENT_KEY L"\\") + keyName;
    HKEY key;
    LONG status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key);
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

// Through the plug-in's own store, so that the tool never writes what the
// plug-in would not; ERROR_SUCCESS or the platform's code.
static LONG WriteRecord(const UserOptions &record, const std::wstring &key)
{
    // Records of earlier versions may hold the rest of an older owner or
    // password behind a shorter one; what the tool writes never does.
    UserOptions scrubbed = record;
    ScrubIdentityTexts(scrubbed);
    return WriteRecordAt(key.c_str(), &scrubbed);
}

void KeepIdentity(UserOptions &record, const UserOptions &from, bool identity)
{
    if (identity)
        return;
    for (int i = 0; i < RecordFieldCount; ++i) {
        const RecordField &field = RecordFields[i];
        if (field.identity)
            memcpy(reinterpret_cast<BYTE *>(&record) + field.offset,
                   reinterpret_cast<const BYTE *>(&from) + field.offset, field.width);
    }
}

int CarryOut(const std::vector<WritePlan> &plans, const wchar_t *verb)
{
    for (const WritePlan &plan : plans) {
        LONG status = ProbeRecordWrite(plan.key);
        if (status == ERROR_ACCESS_DENIED)
            return Fail(EXIT_ACCESS_DENIED, Quoted(plan.target->printer) + L": access denied writing " +
                                                StoreKeyDisplay(plan.key) + L"; nothing was written");
        if (status != ERROR_SUCCESS)
            return Fail(EXIT_FAILED, Quoted(plan.target->printer) + L": " + StoreKeyDisplay(plan.key) +
                                         L" cannot be written (error " + Number(status) + L"); nothing was written");
    }
    std::wstring written;
    for (const WritePlan &plan : plans) {
        LONG status = WriteRecord(plan.record, plan.key);
        if (status != ERROR_SUCCESS) {
            std::wstring message = Quoted(plan.target->printer) + L": writing " + StoreKeyDisplay(plan.key) +
                                   L" failed (error " + Number(status) + L")";
            message += written.empty() ? L"; nothing was written"
                                       : L"; already written: " + written +
                                             L", so those keys and this one now differ from what was asked";
            return Fail(status == ERROR_ACCESS_DENIED ? EXIT_ACCESS_DENIED : EXIT_FAILED, message);
        }
        for (const std::wstring &line : plan.report)
            Say(line);
        Say(Quoted(plan.target->printer) + L": " + verb + L" " + StoreKeyDisplay(plan.key));
        written += (written.empty() ? L"" : L" and ") + StoreKeyDisplay(plan.key);
    }
    return EXIT_OK;
}
