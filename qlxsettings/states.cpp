// What a stored record's state means to an admin, a script and the exit
// code, in one table.
#include "qlxsettings/tool.h"

#include "recordtext/output.h"

struct RecordStateText {
    RecordState state;
    const wchar_t *text; // for the listing, before the reason
    const wchar_t *json;
    int exitCode;
};

static const RecordStateText RecordStateTexts[] = {
    {RECORD_VALID, L"valid", L"valid", EXIT_OK},
    {RECORD_MISSING, L"no record", L"missing", EXIT_NO_RECORD},
    {RECORD_INVALID, L"invalid record", L"invalid", EXIT_INVALID_RECORD},
    {RECORD_DENIED, L"access denied", L"denied", EXIT_ACCESS_DENIED},
};

static const RecordStateText &TextOf(RecordState state)
{
    for (const RecordStateText &entry : RecordStateTexts)
        if (entry.state == state)
            return entry;
    return RecordStateTexts[3];
}

std::wstring StateText(const StoredRecord &stored)
{
    std::wstring text = TextOf(stored.state).text;
    if (stored.state == RECORD_MISSING || stored.state == RECORD_INVALID)
        text += L" (" + stored.why + L"; the pages show defaults)";
    return text;
}

const wchar_t *StateJson(RecordState state)
{
    return TextOf(state).json;
}

int StateExitCode(RecordState state)
{
    return TextOf(state).exitCode;
}

int RequireValid(const PrinterTarget &target, const std::wstring &key, const StoredRecord &stored)
{
    if (stored.state == RECORD_VALID)
        return EXIT_OK;
    std::wstring shown = StoreKeyDisplay(key);
    if (stored.state == RECORD_DENIED)
        return Fail(EXIT_ACCESS_DENIED, Quoted(target.printer) + L": access denied reading " + shown);
    return Fail(StateExitCode(stored.state), Quoted(target.printer) + L": " + StateText(stored) + L" under " + shown +
                                                 L"; `qlxsettings reset` stores the full default");
}

int FirstFailure(int current, int next)
{
    return current != EXIT_OK ? current : next;
}
