// What the commands share: messages, the plug-in texts, the printers a
// command works on with the state of their records, and writing.
#include "qlxsettings/tool.h"

#include <string.h>

#include <map>

#include "qlxsettings/output.h"
#include "settings/recordfields.h"
#include "settings/store.h"

Options Run;
static PluginTexts MainTexts;                   // --plugin, or the one beside the tool
static std::map<std::wstring, PluginTexts> DriverTexts; // each driver's own copy, by path

void Say(const std::wstring &line)
{
    OutputText(OUTPUT_STDOUT, line + L"\n");
}

int Fail(int code, const std::wstring &message)
{
    OutputText(OUTPUT_STDERR, L"qlxsettings: " + message + L"\n");
    return code;
}

std::wstring Quoted(const std::wstring &text)
{
    return L"\"" + text + L"\"";
}

// ------------------------------------------------------------ plug-in texts

static std::wstring ToolDirectory()
{
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring tool(path, length < MAX_PATH ? length : 0);
    size_t cut = tool.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : tool.substr(0, cut + 1);
}

// --plugin must load; the one beside the tool may be missing.
bool OpenMainTexts()
{
    if (!Run.plugin.empty())
        return OpenPluginTexts(&MainTexts, Run.plugin);
    OpenPluginTexts(&MainTexts, ToolDirectory() + PLUGIN_FILE_NAME);
    return true;
}

void CloseAllTexts()
{
    ClosePluginTexts(&MainTexts);
    for (auto &entry : DriverTexts)
        ClosePluginTexts(&entry.second);
}

const PluginTexts *TextsFor(const PrinterTarget &target)
{
    if (MainTexts.module)
        return &MainTexts;
    if (target.driverPlugin.empty())
        return NULL;
    PluginTexts &texts = DriverTexts[target.driverPlugin];
    if (!texts.module)
        OpenPluginTexts(&texts, target.driverPlugin);
    return texts.module ? &texts : NULL;
}

// ------------------------------------------------------------------ targets

std::vector<std::wstring> WriteNames(const PrinterTarget &target)
{
    std::vector<std::wstring> names = {target.pagesName};
    if (target.installKey != target.pagesKey)
        names.push_back(target.installName);
    return names;
}

static int ResolveOne(const std::wstring &name, PrinterTarget *target)
{
    switch (ResolvePrinter(name, target)) {
    case PRINTER_FOUND:
        if (target->driverPlugin.empty() && !Run.json)
            OutputText(OUTPUT_STDERR, L"qlxsettings: note: the driver " + Quoted(target->driver) + L" of " +
                                          Quoted(name) + L" does not list " PLUGIN_FILE_NAME L" among its files\n");
        return EXIT_OK;
    case PRINTER_NAME_TOO_LONG:
        return Fail(EXIT_NO_PRINTER, Quoted(name) + L": the name is longer than the plug-in's store takes");
    default:
        return Fail(EXIT_NO_PRINTER, Quoted(name) + L": no such printer");
    }
}

std::vector<PrinterTarget> PluginPrinters()
{
    std::vector<PrinterTarget> targets;
    for (const std::wstring &name : LocalPrinterNames()) {
        PrinterTarget target;
        if (ResolvePrinter(name, &target) == PRINTER_FOUND && !target.driverPlugin.empty())
            targets.push_back(target);
    }
    return targets;
}

int CollectTargets(size_t index, std::vector<PrinterTarget> *targets)
{
    if (Run.all) {
        *targets = PluginPrinters();
        return targets->empty() ? Fail(EXIT_NO_PRINTER, L"no printer on this machine uses the plug-in") : EXIT_OK;
    }
    if (Run.arguments.size() <= index)
        return Fail(EXIT_USAGE, L"name a printer, or give --all (qlxsettings --help)");
    std::wstring name = Run.arguments[index];
    Run.arguments.erase(Run.arguments.begin() + static_cast<long>(index));
    targets->push_back(PrinterTarget());
    return ResolveOne(name, &targets->back());
}

std::wstring StateText(const StoredRecord &stored)
{
    switch (stored.state) {
    case RECORD_VALID:
        return L"valid";
    case RECORD_MISSING:
        return L"no record (" + stored.why + L"; the pages show defaults)";
    case RECORD_INVALID:
        return L"invalid record (" + stored.why + L"; the pages show defaults)";
    default:
        return L"access denied";
    }
}

const wchar_t *StateJson(RecordState state)
{
    switch (state) {
    case RECORD_VALID:
        return L"valid";
    case RECORD_MISSING:
        return L"missing";
    case RECORD_INVALID:
        return L"invalid";
    default:
        return L"denied";
    }
}

int StateExitCode(RecordState state)
{
    switch (state) {
    case RECORD_VALID:
        return EXIT_OK;
    case RECORD_MISSING:
        return EXIT_NO_RECORD;
    case RECORD_INVALID:
        return EXIT_INVALID_RECORD;
    default:
        return EXIT_ACCESS_DENIED;
    }
}

std::wstring KeyDisplay(const std::wstring &name)
{
    WCHAR path[STORE_PATH_UNITS];
    PCWSTR key = UserInfoKeyPath(name.c_str(), path);
    return StoreKeyDisplay(key ? key : name.c_str());
}

int RequireValid(const PrinterTarget &target, const std::wstring &name, const StoredRecord &stored)
{
    if (stored.state == RECORD_VALID)
        return EXIT_OK;
    std::wstring key = KeyDisplay(name);
    if (stored.state == RECORD_DENIED)
        return Fail(EXIT_ACCESS_DENIED, Quoted(target.printer) + L": access denied reading " + key);
    return Fail(StateExitCode(stored.state), Quoted(target.printer) + L": " + StateText(stored) + L" under " + key +
                                                 L"; `qlxsettings reset` stores the full default");
}

int FirstFailure(int current, int next)
{
    return current != EXIT_OK ? current : next;
}

// ------------------------------------------------------------------ writes

void KeepIdentity(UserOptions &record, const UserOptions &from)
{
    if (Run.identity)
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
        LONG status = ProbeRecordWrite(plan.name);
        if (status == ERROR_ACCESS_DENIED)
            return Fail(EXIT_ACCESS_DENIED, Quoted(plan.target->printer) + L": access denied writing " +
                                                KeyDisplay(plan.name) + L"; nothing was written");
        if (status != ERROR_SUCCESS)
            return Fail(EXIT_FAILED, Quoted(plan.target->printer) + L": " + KeyDisplay(plan.name) +
                                         L" cannot be written (error " + Number(status) + L"); nothing was written");
    }
    std::wstring written;
    for (const WritePlan &plan : plans) {
        LONG status = WriteRecord(plan.record, plan.name);
        if (status != ERROR_SUCCESS) {
            std::wstring message = Quoted(plan.target->printer) + L": writing " + KeyDisplay(plan.name) +
                                   L" failed (error " + Number(status) + L")";
            message += written.empty() ? L"; nothing was written"
                                       : L"; already written: " + written +
                                             L", so those keys and this one now differ from what was asked";
            return Fail(status == ERROR_ACCESS_DENIED ? EXIT_ACCESS_DENIED : EXIT_FAILED, message);
        }
        for (const std::wstring &line : plan.report)
            Say(line);
        Say(Quoted(plan.target->printer) + L": " + verb + L" " + KeyDisplay(plan.name));
        written += (written.empty() ? L"" : L" and ") + KeyDisplay(plan.name);
    }
    return EXIT_OK;
}
