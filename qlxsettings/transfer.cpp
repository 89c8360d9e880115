// export and import: records carried between machines as .reg files.
#include "qlxsettings/tool.h"

#include <string.h>

#include "recordtext/fieldtext.h"
#include "recordtext/output.h"
#include "recordtext/regfile.h"
#include "settings/recordfields.h"

// What leaves the machine: without --identity the identity fields empty
// over their whole width, with it the identity texts up to their
// terminators. Never the rest of an older, longer owner or password that a
// record of an earlier version still holds behind a shorter one.
static UserOptions ExportedRecord(UserOptions record, bool identity)
{
    if (identity)
        ScrubIdentityTexts(record);
    else
        ClearIdentityFields(record);
    return record;
}

int CommandExport(const Options &options)
{
    std::vector<PrinterTarget> targets;
    std::vector<std::wstring> files;
    int status = CollectTargets(options, options.arguments, &targets, &files);
    if (status != EXIT_OK)
        return status;
    if (files.size() > 1)
        return Fail(EXIT_USAGE, Quoted(files[1]) + L": unexpected argument");

    std::vector<std::wstring> comments;
    std::vector<RegRecord> records;
    for (const PrinterTarget &target : targets) {
        StoredRecord stored;
        ReadRecord(target.pagesKey, &stored);
        if ((status = RequireValid(target, target.pagesKey, stored)) != EXIT_OK)
            return status;
        UserOptions exported = ExportedRecord(stored.seen, options.identity);
        comments.push_back(L"qlxsettings export of printer " + Quoted(target.printer) + L", driver " +
                           Quoted(target.driver));
        for (const std::wstring &key : WriteKeys(target)) {
            bool seen = false;
            for (const RegRecord &entry : records)
                seen = seen || entry.key == key;
            if (!seen)
                records.push_back({key, exported});
        }
    }
    comments.push_back(options.identity ? L"with the identity fields as stored, passwords in plain text"
                                    : L"identity fields empty (owner, passwords, account number, secure print); "
                                      L"qlxsettings import keeps each machine's own");
    std::wstring text = RegFileText(comments, records);
    if (files.empty()) {
        // Redirected, standard output is the .reg file: the UTF-16 that
        // regedit reads (UTF-8 without a BOM it would take for ANSI). A
        // console shows the text.
        bool written = OutputIsConsole(OUTPUT_STDOUT) ? OutputText(OUTPUT_STDOUT, text)
                                                      : OutputBytes(OUTPUT_STDOUT, RegFileBytes(text));
        return written ? EXIT_OK : EXIT_FAILED;
    }
    DWORD error = ReplaceWholeFile(files[0], RegFileBytes(text));
    if (error != ERROR_SUCCESS)
        return Fail(EXIT_FAILED, Quoted(files[0]) + L": cannot write the file: " + SystemReason(error));
    bool said = OutputText(OUTPUT_STDOUT, L"exported " + Number(static_cast<long>(records.size())) +
                                              L" record key(s) to " + files[0] + L"\n");
    return said ? EXIT_OK : EXIT_FAILED;
}

int CommandImport(const Options &options)
{
    if (options.arguments.empty())
        return Fail(EXIT_USAGE, L"import needs a .reg file (qlxsettings --help)");
    std::wstring file = options.arguments[0];
    std::vector<std::wstring> printers(options.arguments.begin() + 1, options.arguments.end()), rest = printers;
    std::vector<BYTE> bytes;
    DWORD readError = ReadWholeFile(file, &bytes);
    if (readError != ERROR_SUCCESS)
        return Fail(EXIT_FAILED, Quoted(file) + L": cannot read the file: " + SystemReason(readError));
    std::vector<RegRecord> records;
    std::wstring error;
    if (ParseRegFile(bytes, &records, &error) != REG_PARSED)
        return Fail(EXIT_BAD_FILE, Quoted(file) + L": " + error + L"; nothing was written");
    for (const RegRecord &entry : records) {
        // The identity fields of the file count only with --identity.
        UserOptions checked = entry.record;
        if (!options.identity)
            ClearIdentityFields(checked);
        if (!CheckWholeRecord(checked, &error) || !CheckAllFieldRules(checked, &error))
            return Fail(EXIT_BAD_FILE, Quoted(file) + L": " + entry.key + L": " + error + L"; nothing was written");
    }

    // Where the record goes: the named printers' keys, or the file's own.
    std::vector<PrinterTarget> targets;
    std::vector<WritePlan> plans;
    bool toPrinters = options.all || !printers.empty();
    if (toPrinters) {
        int status = CollectTargets(options, printers, &targets, &rest);
        if (status != EXIT_OK)
            return status;
        for (const RegRecord &entry : records)
            if (memcmp(&entry.record, &records[0].record, sizeof(UserOptions)) != 0)
                return Fail(EXIT_BAD_FILE, Quoted(file) + L": the file holds different records; import it without " +
                                               L"a printer to write each to its own key");
        for (const PrinterTarget &target : targets)
            for (const std::wstring &key : WriteKeys(target))
                plans.push_back({&target, key, records[0].record, {}});
    } else {
        targets.push_back(PrinterTarget());
        targets[0].printer = file;
        for (const RegRecord &entry : records)
            plans.push_back({&targets[0], entry.key, entry.record, {}});
    }
    if (!rest.empty())
        return Fail(EXIT_USAGE, Quoted(rest[0]) + L": unexpected argument");

    // Each key keeps the identity fields it holds, unless --identity.
    for (WritePlan &plan : plans) {
        StoredRecord stored;
        ReadRecord(plan.key, &stored);
        if (stored.read.state == STORED_DENIED)
            return Fail(EXIT_ACCESS_DENIED, Quoted(plan.target->printer) + L": access denied reading its record");
        KeepIdentity(plan.record, stored.seen, options.identity);
    }
    return CarryOut(plans, L"imported into");
}
