#include "recordtext/fieldtext.h"

#include "recordtext/output.h"
#include "settings/recordrules.h"

std::wstring FieldText(const RecordField &field, const UserOptions &record)
{
    const WCHAR *units = RecordFieldText(record, field);
    size_t count = field.width / sizeof(WCHAR), length = 0;
    while (length < count && units[length])
        ++length;
    return std::wstring(units, length);
}

static bool Terminated(const RecordField &field, const UserOptions &record)
{
    return FieldText(field, record).size() < field.width / sizeof(WCHAR);
}

static int ChoiceCount(const RecordField &field)
{
    return field.kind == FIELD_LIST ? RecordListCount(*field.list) : field.choices->count;
}

static std::wstring EntryText(const RecordField &field, int value, const PluginTexts *texts)
{
    return field.kind == FIELD_LIST ? ListEntryText(texts, *field.list, value)
                                    : ChoiceText(texts, *field.choices, value);
}

std::wstring FieldDisplay(const RecordField &field, const UserOptions &record, const PluginTexts *texts)
{
    if (field.kind == FIELD_TEXT) {
        std::wstring shown = L"\"" + FieldText(field, record) + L"\"";
        return Terminated(field, record) ? shown : shown + L" (no terminator)";
    }
    LONG value = RecordFieldValue(record, field);
    std::wstring shown = Number(value);
    switch (field.kind) {
    case FIELD_MARKER:
        return shown + (value == USER_OPTIONS_MARKER
                            ? L" (valid)"
                            : L" (not " + Number(USER_OPTIONS_MARKER) + L": the store reads defaults instead)");
    case FIELD_FLAG:
        if (value == 0 || value == 1)
            return value ? L"on" : L"off";
        return shown + L" (not a flag value; shown as off)";
    case FIELD_LIST:
    case FIELD_CHOICE: {
        int count = ChoiceCount(field);
        if (value == -1 && field.kind == FIELD_LIST)
            return shown + L" (nothing chosen)";
        if (value < 0 || value >= count)
            return shown + L" (beyond the list's " + Number(count) + L" entries)";
        std::wstring text = EntryText(field, value, texts);
        return text.empty() ? shown : shown + L" = " + text;
    }
    default:
        return shown;
    }
}

std::wstring FieldLine(const RecordField &field, const UserOptions &record, const PluginTexts *texts,
                       bool showIdentity)
{
    std::wstring offset = Number(static_cast<long>(field.offset));
    std::wstring name = Widen(field.name);
    std::wstring line = L"  " + std::wstring(offset.size() < 4 ? 4 - offset.size() : 0, L' ') + offset + L"  " +
                        name + std::wstring(name.size() < 22 ? 22 - name.size() : 0, L' ') + L" ";
    if (field.identity && field.kind == FIELD_TEXT && !showIdentity && !FieldText(field, record).empty())
        return line + L"(hidden; --identity shows it)";
    return line + FieldDisplay(field, record, texts);
}

std::wstring FieldJson(const RecordField &field, const UserOptions &record, bool showIdentity)
{
    if (field.kind != FIELD_TEXT)
        return Number(RecordFieldValue(record, field));
    if (field.identity && !showIdentity)
        return L"null";
    return JsonString(FieldText(field, record));
}

// ------------------------------------------------------------ assignments

// A decimal number, with an optional minus sign, within [low, high].
static bool ParseInteger(const std::wstring &text, long long low, long long high, LONG *value)
{
    size_t i = text.size() > 1 && text[0] == L'-' ? 1 : 0;
    if (i == text.size())
        return false;
    long long parsed = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9' || parsed > high - low)
            return false;
        parsed = parsed * 10 + (text[i] - L'0');
    }
    if (text[0] == L'-')
        parsed = -parsed;
    if (parsed < low || parsed > high)
        return false;
    *value = static_cast<LONG>(parsed);
    return true;
}

// "0 = Gem billedfil, 1 = Slet billedfil, 2 = Slet job", or "0 to 2"
// without the plug-in's texts.
static std::wstring AllowedEntries(const RecordField &field, const PluginTexts *texts)
{
    int count = ChoiceCount(field);
    std::wstring allowed;
    for (int value = 0; value < count; ++value) {
        std::wstring text = EntryText(field, value, texts);
        if (text.empty())
            return L"0 to " + Number(count - 1);
        allowed += (value ? L", " : L"") + Number(value) + L" = " + text;
    }
    return allowed;
}

static bool ParseEntry(const RecordField &field, const std::wstring &value, const PluginTexts *texts,
                       LONG *number, std::wstring *error)
{
    int count = ChoiceCount(field);
    if (ParseInteger(value, 0, count - 1, number))
        return true;
    int matches = 0;
    std::wstring matched;
    for (int entry = 0; entry < count; ++entry) {
        std::wstring text = EntryText(field, entry, texts);
        if (!text.empty() && lstrcmpiW(text.c_str(), value.c_str()) == 0) {
            matched += (matches++ ? L" and " : L"") + Number(entry);
            *number = entry;
        }
    }
    if (matches == 1)
        return true;
    std::wstring name = Widen(field.name);
    if (matches > 1)
        *error = name + L": " + Quoted(value) + L" stands for " + matched + L"; give the number";
    else
        *error = name + L": " + Quoted(value) + L" is not allowed; allowed: " + AllowedEntries(field, texts);
    return false;
}

bool ParseAssignment(const std::wstring &argument, const PluginTexts *texts, bool identity,
                     FieldAssignment *assignment, std::wstring *error)
{
    size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos || equals == 0) {
        *error = Quoted(argument) + L" is not NAME=VALUE";
        return false;
    }
    std::wstring name = argument.substr(0, equals), value = argument.substr(equals + 1);
    std::string narrow;
    for (wchar_t c : name)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    const RecordField *field = FindRecordField(narrow.c_str());
    if (!field) {
        *error = Quoted(name) + L" is not a field of the record; `show` lists the fields";
        return false;
    }
    if (field->identity && !identity) {
        *error = name + L" belongs to the user who prints (an identity field); give --identity to set it";
        return false;
    }
    assignment->field = field;
    switch (field->kind) {
    case FIELD_MARKER:
        *error = name + L" is the record's validity marker; the tool writes it itself";
        return false;
    case FIELD_FLAG:
        if (lstrcmpiW(value.c_str(), L"on") == 0 || value == L"1") {
            assignment->number = 1;
        } else if (lstrcmpiW(value.c_str(), L"off") == 0 || value == L"0") {
            assignment->number = 0;
        } else {
            *error = name + L": " + Quoted(value) + L" is not allowed; allowed: on, off, 1, 0";
            return false;
        }
        return true;
    case FIELD_NUMBER: {
        bool narrowField = field->width == sizeof(SHORT);
        long long low = narrowField ? -32768 : -2147483648LL, high = narrowField ? 32767 : 2147483647LL;
        if (!ParseInteger(value, low, high, &assignment->number)) {
            *error = name + L": " + Quoted(value) + L" is not allowed; allowed: a whole number from " +
                     std::to_wstring(low) + L" to " + std::to_wstring(high);
            return false;
        }
        return true;
    }
    case FIELD_LIST:
    case FIELD_CHOICE:
        return ParseEntry(*field, value, texts, &assignment->number, error);
    case FIELD_TEXT: {
        size_t limit = field->width / sizeof(WCHAR) - 1;
        if (value.size() > limit) {
            *error = name + L": " + Quoted(value) + L" is too long; allowed: at most " +
                     Number(static_cast<long>(limit)) + L" characters";
            return false;
        }
        assignment->text = value;
        return true;
    }
    }
    return false;
}

void ApplyAssignment(UserOptions &record, const FieldAssignment &assignment)
{
    const RecordField &field = *assignment.field;
    if (field.kind != FIELD_TEXT) {
        SetRecordFieldValue(record, field, assignment.number);
        return;
    }
    // The text and its terminator, nothing behind it, as the pages write.
    WCHAR *units = RecordFieldText(record, field);
    for (size_t i = 0; i <= assignment.text.size(); ++i)
        units[i] = i < assignment.text.size() ? assignment.text[i] : 0;
}

static bool Named(const std::vector<FieldAssignment> &named, RecordSection section, const char *name)
{
    for (const FieldAssignment &assignment : named)
        if ((section != SECTION_NONE && assignment.field->section == section) ||
            (name && lstrcmpA(assignment.field->name, name) == 0))
            return true;
    return false;
}

bool CheckFieldRules(const UserOptions &record, const std::vector<FieldAssignment> &named, std::wstring *error)
{
    if (Named(named, SECTION_FILE, NULL) && !FileSectionAgrees(record)) {
        LONG chosen = record.dispositionSelection;
        std::wstring fix = IsPrintingJobAction(record.jobAction)
                               ? L"jobAction=" + Number(PrintingJobAction(chosen)) + L" printDisposition=" +
                                     Number(chosen) + L" dispositionSelection=" + Number(chosen)
                               : L"printDisposition=" + Number(PrintDispositionFor(record.jobAction, chosen));
        *error = L"jobAction, printDisposition and dispositionSelection go together as the File page saves "
                 L"them: while printing, printDisposition equals dispositionSelection and jobAction is 0 "
                 L"exactly when that is 2; while holding, printDisposition is 0. For this record: " + fix;
        return false;
    }
    if ((Named(named, SECTION_NONE, "jobPassword") || Named(named, SECTION_NONE, "hasJobPassword")) &&
        record.hasJobPassword != HasJobPasswordFor(record)) {
        *error = L"hasJobPassword follows jobPassword as the Info page saves it; for this record: hasJobPassword=" +
                 Number(HasJobPasswordFor(record));
        return false;
    }
    if ((Named(named, SECTION_NONE, "securePrint") || Named(named, SECTION_NONE, "securePassword")) &&
        !SecurePrintHasPassword(record)) {
        *error = L"securePrint: on is not allowed without a securePassword";
        return false;
    }
    int offered = OutputSheetSizesOffered(record.impositionType);
    if ((Named(named, SECTION_NONE, "impositionType") || Named(named, SECTION_NONE, "outputSheetSize")) &&
        record.outputSheetSize >= offered) {
        // Only 2-up offers fewer sizes than the list has.
        *error = L"outputSheetSize: " + Number(record.outputSheetSize) + L" is not offered with 2-up imposition " +
                 L"(impositionType=" + Number(record.impositionType) + L"); allowed: 0 to " + Number(offered - 1);
        return false;
    }
    return true;
}

bool CheckAllFieldRules(const UserOptions &record, std::wstring *error)
{
    std::vector<FieldAssignment> every(static_cast<size_t>(RecordFieldCount));
    for (int i = 0; i < RecordFieldCount; ++i)
        every[static_cast<size_t>(i)].field = &RecordFields[i];
    return CheckFieldRules(record, every, error);
}

bool CheckWholeRecord(const UserOptions &record, std::wstring *error)
{
    for (int i = 0; i < RecordFieldCount; ++i) {
        const RecordField &field = RecordFields[i];
        LONG value = field.kind == FIELD_TEXT ? 0 : RecordFieldValue(record, field);
        bool ok = true;
        switch (field.kind) {
        case FIELD_MARKER:
            ok = value == USER_OPTIONS_MARKER;
            break;
        case FIELD_FLAG:
            ok = value == 0 || value == 1;
            break;
        case FIELD_LIST:
            ok = value >= -1 && value < ChoiceCount(field);
            break;
        case FIELD_CHOICE:
            ok = value >= 0 && value < ChoiceCount(field);
            break;
        case FIELD_TEXT:
            ok = Terminated(field, record);
            break;
        case FIELD_NUMBER:
            break;
        }
        if (!ok) {
            *error = Widen(field.name) + L" holds " + FieldDisplay(field, record, NULL) +
                     L", which the plug-in never stores";
            return false;
        }
    }
    return true;
}
