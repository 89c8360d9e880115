// set and reset: fields changed in the record the printer's users see.
#include "qlxsettings/tool.h"

#include "recordtext/fieldtext.h"
#include "recordtext/output.h"

int CommandSet(const Options &options)
{
    std::vector<PrinterTarget> targets;
    std::vector<std::wstring> assignments;
    int status = CollectTargets(options, options.arguments, &targets, &assignments);
    if (status != EXIT_OK)
        return status;
    if (assignments.empty())
        return Fail(EXIT_USAGE, L"set needs NAME=VALUE arguments (qlxsettings --help)");

    std::vector<WritePlan> plans;
    for (const PrinterTarget &target : targets) {
        const PluginTexts *texts = TextsFor(target);
        std::vector<FieldAssignment> named;
        for (const std::wstring &argument : assignments) {
            FieldAssignment assignment;
            std::wstring error;
            if (!ParseAssignment(argument, texts, options.identity, &assignment, &error))
                return Fail(EXIT_REFUSED, error + L"; nothing was written");
            named.push_back(assignment);
        }
        // Each key changes from its own stored record, so that each keeps
        // its own identity fields. Until Document Properties first saves,
        // nothing is stored under the driver's name and the pages show
        // defaults: set starts from those. A damaged record is the admin's
        // to look at first.
        for (const std::wstring &key : WriteKeys(target)) {
            StoredRecord stored;
            ReadRecord(key, &stored);
            if (!RecordMissing(stored) && (status = RequireValid(target, key, stored)) != EXIT_OK)
                return status;
            WritePlan plan = {&target, key, stored.seen, {}};
            if (RecordMissing(stored))
                plan.report.push_back(L"  (no record was stored under " + StoreKeyDisplay(key) +
                                      L"; starting from the defaults the pages show)");
            for (const FieldAssignment &assignment : named) {
                std::wstring before = FieldDisplay(*assignment.field, plan.record, texts);
                ApplyAssignment(plan.record, assignment);
                plan.report.push_back(L"  " + Widen(assignment.field->name) + L": " + before + L" -> " +
                                      FieldDisplay(*assignment.field, plan.record, texts));
            }
            std::wstring error;
            if (!CheckFieldRules(plan.record, named, &error))
                return Fail(EXIT_REFUSED, error + L"; nothing was written");
            plans.push_back(plan);
        }
    }
    return CarryOut(plans, L"wrote");
}

int CommandReset(const Options &options)
{
    std::vector<PrinterTarget> targets;
    std::vector<std::wstring> names;
    int status = CollectTargets(options, options.arguments, &targets, &names);
    if (status != EXIT_OK)
        return status;
    std::vector<RecordSection> sections;
    for (const std::wstring &name : names) {
        const RecordSectionName *found = NULL;
        std::wstring allowed;
        for (int i = 0; i < RecordSectionNameCount; ++i) {
            allowed += (i ? L", " : L"") + Widen(RecordSectionNames[i].name);
            if (lstrcmpiW(Widen(RecordSectionNames[i].name).c_str(), name.c_str()) == 0)
                found = &RecordSectionNames[i];
        }
        if (!found)
            return Fail(EXIT_REFUSED, Quoted(name) + L" is not a section; allowed: " + allowed + L"; nothing was written");
        sections.push_back(found->section);
    }

    // Each key from its own stored record: it keeps its identity fields.
    std::vector<WritePlan> plans;
    for (const PrinterTarget &target : targets) {
        for (const std::wstring &key : WriteKeys(target)) {
            StoredRecord stored;
            ReadRecord(key, &stored);
            if (stored.read.state == STORED_DENIED)
                return RequireValid(target, key, stored);
            WritePlan plan = {&target, key, stored.seen, {}};
            if (sections.empty()) {
                MakeDefaultRecord(&plan.record);
            } else {
                for (RecordSection section : sections)
                    ResetRecordSection(plan.record, section);
            }
            KeepIdentity(plan.record, stored.seen, options.identity);
            plans.push_back(plan);
        }
    }
    return CarryOut(plans, sections.empty() ? L"full default written to" : L"section defaults written to");
}
