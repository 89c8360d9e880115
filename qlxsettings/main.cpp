// qlxsettings.exe: the admins' view of the plug-in's stored settings. It
// reads and writes the records through the plug-in's own store and names
// fields and values from the plug-in's own field table and texts.
#include <windows.h>

#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "qlxsettings/exitcodes.h"
#include "qlxsettings/fieldtext.h"
#include "qlxsettings/output.h"
#include "qlxsettings/printers.h"
#include "qlxsettings/records.h"
#include "qlxsettings/regfile.h"
#include "settings/store.h"

namespace {

struct Options {
    std::wstring command;
    std::vector<std::wstring> arguments;
    bool all = false;
    bool json = false;
    bool identity = false;
    bool help = false;
    std::wstring plugin;
};

// The tool's state for one run: the options and the plug-in texts found.
Options Run;
PluginTexts MainTexts;                   // --plugin, or the one beside the tool
std::map<std::wstring, PluginTexts> DriverTexts; // each driver's own copy, by path

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

const wchar_t Usage[] =
    L"qlxsettings: the plug-in's stored settings for each printer.\n"
    L"\n"
    L"  qlxsettings list                          printers that use the plug-in, with their records\n"
    L"  qlxsettings show PRINTER [--json]         every field with its value and meaning\n"
    L"  qlxsettings set PRINTER NAME=VALUE ...    change fields; VALUE is the number, on/off for\n"
    L"                                            flags, or the list text\n"
    L"  qlxsettings reset PRINTER [SECTION ...]   the full default, or the defaults of the sections\n"
    L"                                            file, color, other, tray, info\n"
    L"  qlxsettings export PRINTER [FILE]         a .reg file of the record (to standard output\n"
    L"                                            without FILE)\n"
    L"  qlxsettings import FILE [PRINTER]         write the record of such a file, after checking it;\n"
    L"                                            without PRINTER, to the keys the file names\n"
    L"\n"
    L"  --all            every printer that uses the plug-in, instead of PRINTER\n"
    L"  --identity       include the fields that belong to the user who prints: owner,\n"
    L"                   jobPassword, accountNumber, securePassword, securePrint and\n"
    L"                   hasJobPassword. Without it, set refuses them, show hides their texts,\n"
    L"                   export writes them empty and reset and import keep what is stored.\n"
    L"  --json           show and list: one JSON object per printer, one per line\n"
    L"  --plugin PATH    the plug-in DLL whose texts to use (default: the one beside this\n"
    L"                   program, then the printer driver's own copy)\n"
    L"\n"
    L"Document Properties reads a printer's record under its driver's name; installing the\n"
    L"printer stores one under the printer's name. set, reset and import write both when\n"
    L"they differ, so that both agree.\n"
    L"\n"
    L"Exit codes:\n";

int ShowHelp()
{
    std::wstring text = Usage;
    for (const ExitCodeText &exit : ExitCodeTexts)
        text += L"  " + Number(exit.code) + L"  " + Widen(exit.meaning) + L"\n";
    OutputText(OUTPUT_STDOUT, text);
    return EXIT_OK;
}

bool ParseCommandLine(int argc, wchar_t **argv)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--all")
            Run.all = true;
        else if (arg == L"--json")
            Run.json = true;
        else if (arg == L"--identity")
            Run.identity = true;
        else if (arg == L"--help" || arg == L"-h" || arg == L"/?")
            Run.help = true;
        else if (arg == L"--plugin" && i + 1 < argc)
            Run.plugin = argv[++i];
        else if (arg.size() > 2 && arg.compare(0, 2, L"--") == 0)
            return false;
        else if (Run.command.empty())
            Run.command = arg;
        else
            Run.arguments.push_back(arg);
    }
    return true;
}

// ------------------------------------------------------------ plug-in texts

std::wstring ToolDirectory()
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

// The names a write goes to: the pages' name, and the installation's when
// its key differs.
std::vector<std::wstring> WriteNames(const PrinterTarget &target)
{
    std::vector<std::wstring> names = {target.pagesName};
    if (target.installKey != target.pagesKey)
        names.push_back(target.installName);
    return names;
}

int ResolveOne(const std::wstring &name, PrinterTarget *target)
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

// Every printer whose driver carries the plug-in.
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

// The printers a command works on: PRINTER (the argument at index) or
// --all. The argument is taken out of Run.arguments.
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

// A record that set or export starts from must be one the pages use.
int RequireValid(const PrinterTarget &target, const StoredRecord &stored)
{
    if (stored.state == RECORD_VALID)
        return EXIT_OK;
    std::wstring key = StoreKeyDisplay(target.pagesKey);
    if (stored.state == RECORD_DENIED)
        return Fail(EXIT_ACCESS_DENIED, Quoted(target.printer) + L": access denied reading " + key);
    return Fail(StateExitCode(stored.state), Quoted(target.printer) + L": " + StateText(stored) + L" under " + key +
                                                 L"; `qlxsettings reset` stores the full default");
}

int FirstFailure(int current, int next)
{
    return current != EXIT_OK ? current : next;
}

// -------------------------------------------------------------- list, show

std::wstring JsonObject(const PrinterTarget &target, const StoredRecord &stored)
{
    std::wstring json = L"{\"printer\":" + JsonString(target.printer) + L",\"driver\":" + JsonString(target.driver) +
                        L",\"key\":" + JsonString(StoreKeyDisplay(target.pagesKey)) + L",\"installKey\":" +
                        JsonString(StoreKeyDisplay(target.installKey)) + L",\"record\":\"" + StateJson(stored.state) +
                        L"\"";
    if (stored.state != RECORD_DENIED)
        for (int i = 0; i < RecordFieldCount; ++i)
            json += L",\"" + Widen(RecordFields[i].name) + L"\":" +
                    FieldJson(RecordFields[i], stored.seen, Run.identity);
    return json + L"}";
}

void SayKeys(const PrinterTarget &target, const StoredRecord &stored)
{
    Say(L"printer   " + target.printer);
    Say(L"driver    " + target.driver);
    Say(L"record    " + StoreKeyDisplay(target.pagesKey) + L" (Document Properties reads it): " + StateText(stored));
    if (target.installKey != target.pagesKey) {
        StoredRecord installed;
        ReadRecord(target.installName, &installed);
        std::wstring agreement;
        if (installed.state == RECORD_VALID && stored.state == RECORD_VALID)
            agreement = memcmp(&installed.seen, &stored.seen, sizeof(UserOptions)) == 0 ? L", the same record"
                                                                                         : L", a different record";
        Say(L"          " + StoreKeyDisplay(target.installKey) + L" (stored at installation): " + StateText(installed) +
            agreement);
    }
}

int CommandShow(bool listOnly)
{
    std::vector<PrinterTarget> targets;
    int status = listOnly ? EXIT_OK : CollectTargets(0, &targets);
    if (listOnly)
        targets = PluginPrinters();
    if (status != EXIT_OK)
        return status;
    if (!Run.arguments.empty())
        return Fail(EXIT_USAGE, Quoted(Run.arguments[0]) + L": unexpected argument");
    if (listOnly && targets.empty() && !Run.json)
        Say(L"No printer on this machine uses the plug-in.");

    for (size_t t = 0; t < targets.size(); ++t) {
        const PrinterTarget &target = targets[t];
        StoredRecord stored;
        ReadRecord(target.pagesName, &stored);
        if (!listOnly)
            status = FirstFailure(status, StateExitCode(stored.state));
        if (Run.json) {
            Say(JsonObject(target, stored));
            continue;
        }
        if (t > 0)
            Say(L"");
        SayKeys(target, stored);
        if (listOnly || stored.state == RECORD_DENIED)
            continue;
        const PluginTexts *texts = TextsFor(target);
        Say(L"texts     " + (texts ? texts->path : std::wstring(L"none found: values without their meaning")));
        for (int i = 0; i < RecordFieldCount; ++i)
            Say(FieldLine(RecordFields[i], stored.seen, texts, Run.identity));
    }
    return status;
}

// ------------------------------------------------------------ set and reset

struct WritePlan {
    const PrinterTarget *target;
    UserOptions record;
    std::vector<std::wstring> names;
    std::vector<std::wstring> report;
};

// Probes every key of every plan first, so that a refusal leaves every
// record as it was; then writes each record once per key.
int CarryOut(const std::vector<WritePlan> &plans, const wchar_t *verb)
{
    for (const WritePlan &plan : plans) {
        LONG status = ProbeRecordWrites(plan.names);
        if (status == ERROR_ACCESS_DENIED)
            return Fail(EXIT_ACCESS_DENIED, Quoted(plan.target->printer) + L": access denied writing its record; " +
                                                L"nothing was written");
        if (status != ERROR_SUCCESS)
            return Fail(EXIT_FAILED, Quoted(plan.target->printer) + L": its record cannot be written (error " +
                                         Number(status) + L"); nothing was written");
    }
    for (const WritePlan &plan : plans) {
        LONG status = WriteRecord(plan.record, plan.names);
        if (status != ERROR_SUCCESS)
            return Fail(status == ERROR_ACCESS_DENIED ? EXIT_ACCESS_DENIED : EXIT_FAILED,
                        Quoted(plan.target->printer) + L": writing its record failed (error " + Number(status) + L")");
        for (const std::wstring &line : plan.report)
            Say(line);
        std::wstring keys;
        for (const std::wstring &name : plan.names) {
            WCHAR path[STORE_PATH_UNITS];
            keys += (keys.empty() ? L"" : L" and ") + StoreKeyDisplay(UserInfoKeyPath(name.c_str(), path));
        }
        Say(Quoted(plan.target->printer) + L": " + verb + L" " + keys);
    }
    return EXIT_OK;
}

int CommandSet()
{
    std::vector<PrinterTarget> targets;
    int status = CollectTargets(0, &targets);
    if (status != EXIT_OK)
        return status;
    if (Run.arguments.empty())
        return Fail(EXIT_USAGE, L"set needs NAME=VALUE arguments (qlxsettings --help)");

    std::vector<WritePlan> plans;
    for (const PrinterTarget &target : targets) {
        // Until Document Properties first saves, nothing is stored under the
        // driver's name and the pages show defaults: set starts from those.
        // A damaged record is the admin's to look at first.
        StoredRecord stored;
        ReadRecord(target.pagesName, &stored);
        if (stored.state != RECORD_MISSING && (status = RequireValid(target, stored)) != EXIT_OK)
            return status;
        const PluginTexts *texts = TextsFor(target);
        WritePlan plan = {&target, stored.seen, WriteNames(target), {}};
        if (stored.state == RECORD_MISSING)
            plan.report.push_back(L"  (no record was stored under " + StoreKeyDisplay(target.pagesKey) +
                                  L"; starting from the defaults the pages show)");
        std::vector<FieldAssignment> named;
        for (const std::wstring &argument : Run.arguments) {
            FieldAssignment assignment;
            std::wstring error;
            if (!ParseAssignment(argument, texts, Run.identity, &assignment, &error))
                return Fail(EXIT_REFUSED, error + L"; nothing was written");
            std::wstring before = FieldDisplay(*assignment.field, plan.record, texts);
            ApplyAssignment(plan.record, assignment);
            named.push_back(assignment);
            plan.report.push_back(L"  " + Widen(assignment.field->name) + L": " + before + L" -> " +
                                  FieldDisplay(*assignment.field, plan.record, texts));
        }
        std::wstring error;
        if (!CheckFieldRules(plan.record, named, &error))
            return Fail(EXIT_REFUSED, error + L"; nothing was written");
        plans.push_back(plan);
    }
    return CarryOut(plans, L"wrote");
}

// Keeps the identity fields of from in record, unless --identity.
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

int CommandReset()
{
    std::vector<PrinterTarget> targets;
    int status = CollectTargets(0, &targets);
    if (status != EXIT_OK)
        return status;
    std::vector<const RecordSectionDefault *> sections;
    for (const std::wstring &name : Run.arguments) {
        const RecordSectionDefault *found = NULL;
        std::wstring allowed;
        for (int i = 0; i < RecordSectionDefaultCount; ++i) {
            allowed += (i ? L", " : L"") + Widen(RecordSectionDefaults[i].name);
            if (lstrcmpiW(Widen(RecordSectionDefaults[i].name).c_str(), name.c_str()) == 0)
                found = &RecordSectionDefaults[i];
        }
        if (!found)
            return Fail(EXIT_REFUSED, Quoted(name) + L" is not a section; allowed: " + allowed + L"; nothing was written");
        sections.push_back(found);
    }

    std::vector<WritePlan> plans;
    for (const PrinterTarget &target : targets) {
        StoredRecord stored;
        ReadRecord(target.pagesName, &stored);
        if (stored.state == RECORD_DENIED)
            return RequireValid(target, stored);
        WritePlan plan = {&target, stored.seen, WriteNames(target), {}};
        if (sections.empty()) {
            MakeDefaultRecord(&plan.record);
        } else {
            for (const RecordSectionDefault *section : sections)
                section->reset(plan.record);
        }
        KeepIdentity(plan.record, stored.seen);
        plans.push_back(plan);
    }
    return CarryOut(plans, sections.empty() ? L"full default written to" : L"section defaults written to");
}

// ----------------------------------------------------------- export, import

int CommandExport()
{
    std::vector<PrinterTarget> targets;
    int status = CollectTargets(0, &targets);
    if (status != EXIT_OK)
        return status;
    if (Run.arguments.size() > 1)
        return Fail(EXIT_USAGE, Quoted(Run.arguments[1]) + L": unexpected argument");

    std::vector<std::wstring> comments;
    std::vector<RegRecord> records;
    for (const PrinterTarget &target : targets) {
        StoredRecord stored;
        ReadRecord(target.pagesName, &stored);
        if ((status = RequireValid(target, stored)) != EXIT_OK)
            return status;
        if (!Run.identity)
            ClearIdentityFields(stored.seen);
        comments.push_back(L"qlxsettings export of printer " + Quoted(target.printer) + L", driver " +
                           Quoted(target.driver));
        std::vector<std::wstring> keys = {target.pagesKey};
        if (target.installKey != target.pagesKey)
            keys.push_back(target.installKey);
        for (const std::wstring &key : keys) {
            bool seen = false;
            for (const RegRecord &entry : records)
                seen = seen || entry.key == key;
            if (!seen)
                records.push_back({key, stored.seen});
        }
    }
    comments.push_back(Run.identity ? L"with the identity fields as stored, passwords in plain text"
                                    : L"identity fields empty (owner, passwords, account number, secure print); "
                                      L"qlxsettings import keeps each machine's own");
    std::wstring text = RegFileText(comments, records);
    if (Run.arguments.empty()) {
        OutputText(OUTPUT_STDOUT, text);
        return EXIT_OK;
    }
    if (!WriteWholeFile(Run.arguments[0], RegFileBytes(text)))
        return Fail(EXIT_FAILED, Quoted(Run.arguments[0]) + L": cannot write the file");
    Say(L"exported " + Number(static_cast<long>(records.size())) + L" record key(s) to " + Run.arguments[0]);
    return EXIT_OK;
}

// The store cuts a name at its last comma: a trailing comma keeps a key
// name from a file whole, commas and all.
std::wstring KeyAsName(const std::wstring &key)
{
    return key + L",";
}

int CommandImport()
{
    if (Run.arguments.empty())
        return Fail(EXIT_USAGE, L"import needs a .reg file (qlxsettings --help)");
    std::wstring file = Run.arguments[0];
    Run.arguments.erase(Run.arguments.begin());
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(file, &bytes))
        return Fail(EXIT_FAILED, Quoted(file) + L": cannot read the file");
    std::vector<RegRecord> records;
    std::wstring error;
    if (ParseRegFile(bytes, &records, &error) != REG_PARSED)
        return Fail(EXIT_BAD_FILE, Quoted(file) + L": " + error + L"; nothing was written");
    for (const RegRecord &entry : records)
        if (!CheckWholeRecord(entry.record, &error))
            return Fail(EXIT_BAD_FILE, Quoted(file) + L": " + entry.key + L": " + error + L"; nothing was written");

    // Where the record goes: the named printers' keys, or the file's own.
    std::vector<PrinterTarget> targets;
    std::vector<WritePlan> plans;
    bool toPrinters = Run.all || !Run.arguments.empty();
    if (toPrinters) {
        int status = CollectTargets(0, &targets);
        if (status != EXIT_OK)
            return status;
        for (const RegRecord &entry : records)
            if (memcmp(&entry.record, &records[0].record, sizeof(UserOptions)) != 0)
                return Fail(EXIT_BAD_FILE, Quoted(file) + L": the file holds different records; import it without " +
                                               L"a printer to write each to its own key");
        for (const PrinterTarget &target : targets)
            for (const std::wstring &name : WriteNames(target))
                plans.push_back({&target, records[0].record, {name}, {}});
    } else {
        targets.push_back(PrinterTarget());
        targets[0].printer = file;
        for (const RegRecord &entry : records)
            plans.push_back({&targets[0], entry.record, {KeyAsName(entry.key)}, {}});
    }
    if (!Run.arguments.empty())
        return Fail(EXIT_USAGE, Quoted(Run.arguments[0]) + L": unexpected argument");

    // Each key keeps the identity fields it holds, unless --identity.
    for (WritePlan &plan : plans) {
        StoredRecord stored;
        ReadRecord(plan.names[0], &stored);
        if (stored.state == RECORD_DENIED)
            return Fail(EXIT_ACCESS_DENIED, Quoted(plan.target->printer) + L": access denied reading its record");
        KeepIdentity(plan.record, stored.seen);
    }
    return CarryOut(plans, L"imported into");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (!ParseCommandLine(argc, argv))
        return Fail(EXIT_USAGE, L"unknown option (qlxsettings --help)");
    if (Run.help || Run.command.empty())
        return Run.help ? ShowHelp() : (ShowHelp(), EXIT_USAGE);
    if (!OpenMainTexts())
        return Fail(EXIT_FAILED, Quoted(Run.plugin) + L": cannot load the plug-in's texts from it");

    int status;
    if (Run.command == L"list")
        status = CommandShow(true);
    else if (Run.command == L"show")
        status = CommandShow(false);
    else if (Run.command == L"set")
        status = CommandSet();
    else if (Run.command == L"reset")
        status = CommandReset();
    else if (Run.command == L"export")
        status = CommandExport();
    else if (Run.command == L"import")
        status = CommandImport();
    else
        status = Fail(EXIT_USAGE, Quoted(Run.command) + L" is not a command (qlxsettings --help)");

    ClosePluginTexts(&MainTexts);
    for (auto &entry : DriverTexts)
        ClosePluginTexts(&entry.second);
    return status;
}
