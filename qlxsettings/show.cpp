// list and show: the records of printers as their users see them.
#include "qlxsettings/tool.h"

#include <string.h>

#include "recordtext/fieldtext.h"
#include "recordtext/output.h"

static std::wstring JsonObject(const PrinterTarget &target, const StoredRecord &stored, bool identity)
{
    std::wstring json = L"{\"printer\":" + JsonString(target.printer) + L",\"driver\":" + JsonString(target.driver) +
                        L",\"key\":" + JsonString(StoreKeyDisplay(target.pagesKey)) + L",\"installKey\":" +
                        JsonString(StoreKeyDisplay(target.installKey)) + L",\"record\":\"" + StateJson(stored) +
                        L"\"";
    if (stored.read.state != STORED_DENIED)
        for (int i = 0; i < RecordFieldCount; ++i)
            json += L",\"" + Widen(RecordFields[i].name) + L"\":" +
                    FieldJson(RecordFields[i], stored.seen, identity);
    return json + L"}";
}

static void SayKeys(const PrinterTarget &target, const StoredRecord &stored)
{
    Say(L"printer   " + target.printer);
    Say(L"driver    " + target.driver);
    Say(L"record    " + StoreKeyDisplay(target.pagesKey) + L" (Document Properties reads it): " + StateText(stored));
    if (target.installKey != target.pagesKey) {
        StoredRecord installed;
        ReadRecord(target.installKey, &installed);
        std::wstring agreement;
        if (installed.read.state == STORED_VALID && stored.read.state == STORED_VALID)
            agreement = memcmp(&installed.seen, &stored.seen, sizeof(UserOptions)) == 0 ? L", the same record"
                                                                                         : L", a different record";
        Say(L"          " + StoreKeyDisplay(target.installKey) + L" (stored at installation): " + StateText(installed) +
            agreement);
    }
}

// The printers in turn: their keys and states, and for show every field.
static int ShowTargets(const Options &options, const std::vector<PrinterTarget> &targets, bool listOnly)
{
    int status = EXIT_OK;
    if (listOnly && targets.empty() && !options.json)
        Say(L"No printer on this machine uses the plug-in.");
    for (size_t t = 0; t < targets.size(); ++t) {
        const PrinterTarget &target = targets[t];
        StoredRecord stored;
        ReadRecord(target.pagesKey, &stored);
        if (!listOnly)
            status = FirstFailure(status, StateExitCode(stored));
        if (options.json) {
            Say(JsonObject(target, stored, options.identity));
            continue;
        }
        if (t > 0)
            Say(L"");
        SayKeys(target, stored);
        if (listOnly || stored.read.state == STORED_DENIED)
            continue;
        const PluginTexts *texts = TextsFor(target);
        Say(L"texts     " + (texts ? texts->path : std::wstring(L"none found: values without their meaning")));
        for (int i = 0; i < RecordFieldCount; ++i)
            Say(FieldLine(RecordFields[i], stored.seen, texts, options.identity));
    }
    return status;
}

int CommandList(const Options &options)
{
    if (!options.arguments.empty())
        return Fail(EXIT_USAGE, Quoted(options.arguments[0]) + L": unexpected argument");
    return ShowTargets(options, PluginPrinters(), true);
}

int CommandShow(const Options &options)
{
    std::vector<PrinterTarget> targets;
    std::vector<std::wstring> rest;
    int status = CollectTargets(options, options.arguments, &targets, &rest);
    if (status != EXIT_OK)
        return status;
    if (!rest.empty())
        return Fail(EXIT_USAGE, Quoted(rest[0]) + L": unexpected argument");
    return ShowTargets(options, targets, false);
}
