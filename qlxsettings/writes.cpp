// How the tool writes records: every key probed before the first write,
// each key's own identity fields kept unless asked otherwise.
#include "qlxsettings/tool.h"

#include <string.h>

#include "recordtext/output.h"
#include "settings/recordfields.h"

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
