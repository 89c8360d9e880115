// What a stored record's state means to an admin, a script and the exit
// code, in one table.
#include "qlxsettings/tool.h"

#include "recordtext/output.h"

void ReadRecord(const std::wstring &key, StoredRecord *stored)
{
    // One read: what the pages would see and what was found come from the
    // same query of the value.
    ReadRecordAt(key.c_str(), &stored->seen, &stored->read);
}

struct RecordStateText {
    StoredState state;
    const wchar_t *text; // for the listing
    const wchar_t *why;  // why the pages show defaults, when they do
    const wchar_t *json;
    int exitCode;
};

static const RecordStateText RecordStateTexts[] = {
    {STORED_VALID, L"valid", NULL, L"valid", EXIT_OK},
    {STORED_NO_KEY, L"no record", L"no key", L"missing", EXIT_NO_RECORD},
    {STORED_NO_VALUE, L"no record", L"no \"User Info\" value", L"missing", EXIT_NO_RECORD},
    {STORED_DENIED, L"access denied", NULL, L"denied", EXIT_ACCESS_DENIED},
    {STORED_UNREADABLE, L"invalid record", L"unreadable", L"invalid", EXIT_INVALID_RECORD},
    {STORED_WRONG_SIZE, L"invalid record", L"bytes instead of ", L"invalid", EXIT_INVALID_RECORD},
    {STORED_UNMARKED, L"invalid record", L"no validity marker", L"invalid", EXIT_INVALID_RECORD},
};

static const RecordStateText &TextOf(StoredState state)
{
    for (const RecordStateText &entry : RecordStateTexts)
        if (entry.state == state)
            return entry;
    return RecordStateTexts[STORED_UNREADABLE];
}

bool RecordMissing(const StoredRecord &stored)
{
    return TextOf(stored.read.state).exitCode == EXIT_NO_RECORD;
}

std::wstring StateText(const StoredRecord &stored)
{
    const RecordStateText &entry = TextOf(stored.read.state);
    if (!entry.why)
        return entry.text;
    std::wstring why = entry.why;
    if (stored.read.state == STORED_UNREADABLE)
        why += L" (error " + Number(stored.read.status) + L")";
    else if (stored.read.state == STORED_WRONG_SIZE)
        why = Number(static_cast<long>(stored.read.size)) + L" " + why + Number(sizeof(UserOptions));
    return std::wstring(entry.text) + L" (" + why + L"; the pages show defaults)";
}

const wchar_t *StateJson(const StoredRecord &stored)
{
    return TextOf(stored.read.state).json;
}

int StateExitCode(const StoredRecord &stored)
{
    return TextOf(stored.read.state).exitCode;
}

int RequireValid(const PrinterTarget &target, const std::wstring &key, const StoredRecord &stored)
{
    if (stored.read.state == STORED_VALID)
        return EXIT_OK;
    std::wstring shown = StoreKeyDisplay(key);
    if (stored.read.state == STORED_DENIED)
        return Fail(EXIT_ACCESS_DENIED, Quoted(target.printer) + L": access denied reading " + shown);
    return Fail(StateExitCode(stored), Quoted(target.printer) + L": " + StateText(stored) + L" under " + shown +
                                                 L"; `qlxsettings reset` stores the full default");
}

int FirstFailure(int current, int next)
{
    return current != EXIT_OK ? current : next;
}
