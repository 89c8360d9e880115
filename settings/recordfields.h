// The fields of the UserOptions record, one row each, in record order: what
// a field is called, where it lies, what kind of value it holds, which page
// section owns it and, for the drop-down lists, which entries the list has.
// The pages fill their lists from here, and the record decoder and the
// admins' settings tool name, show and check fields from here, so a field or
// a list is described in this one place.
#pragma once

#include "settings/useroptions.h"

enum RecordFieldKind : BYTE {
    FIELD_MARKER, // the validity marker
    FIELD_NUMBER, // a number no page edits
    FIELD_FLAG,   // 1 = on, 0 = off
    FIELD_CHOICE, // a value chosen with radio buttons
    FIELD_LIST,   // a position in a drop-down list
    FIELD_TEXT,   // UTF-16 text with its terminator
};

// The page section whose "Standarder" button resets a field; fields outside
// every section change only with the full default.
enum RecordSection : BYTE {
    SECTION_NONE,
    SECTION_FILE,
    SECTION_COLOR,
    SECTION_OTHER,
    SECTION_TRAY,
    SECTION_INFO,
};

// How the entries behind the loaded ones are made.
enum RecordListBuild {
    LIST_LOADED_ONLY,
    LIST_NUMBERED_STRING, // a loaded string followed by firstNumber, firstNumber + 1, ...
    LIST_DOUBLING_NUMBER, // the numbers firstNumber, 2 * firstNumber, ...
};

// A drop-down list: first the entries loaded from the string table in list
// order, then the built ones.
struct RecordList {
    const UINT *ids;
    int loaded;
    RecordListBuild build;
    UINT buildString;
    int built;
    LONG firstNumber;
};

// Radio buttons: the control in the page's template whose caption names
// each value, in value order. Two values may share a button.
struct RecordChoices {
    UINT dialog;
    const int *controls;
    int count;
};

// Narrow members keep the table small inside the plug-in.
struct RecordField {
    const char *name;
    USHORT offset;
    USHORT width; // in bytes
    RecordFieldKind kind;
    RecordSection section;
    // The identity fields belong to the user who prints: Cancel clears them.
    bool identity;
    const RecordList *list;
    const RecordChoices *choices;
    // The default: the value of a number, flag, choice or list position,
    // or the text of a text field.
    LONG defaultValue;
    const WCHAR *defaultText;
};

extern const RecordField RecordFields[];
extern const int RecordFieldCount;

// The lists as the pages show them.
extern const RecordList DispositionList;
extern const RecordList RenderingStyleList;
extern const RecordList GammaList;
extern const RecordList WhitePointList;
extern const RecordList PrintProfileList;
extern const RecordList RgbProfileList;
extern const RecordList SeparationsList;
extern const RecordList TiffResolutionList;
extern const RecordList DuplexList;
extern const RecordList StapleList;
extern const RecordList ImpositionTypeList;
extern const RecordList SectionSizeList;
extern const RecordList OutputSheetSizeList;
extern const RecordList MediaTypeList;

// jobAction values: 0 and 1 both process and print.
enum { JOB_PRINT_DELETE_JOB = 0, JOB_PRINT = 1, JOB_SPOOL_HOLD = 2, JOB_PREFLIGHT_HOLD = 3, JOB_PROCESS_HOLD = 4 };
// The disposition entry that deletes the whole job after printing.
#define DISPOSITION_DELETE_JOB 2

// impositionType values the Tray page's rules test.
enum { IMPOSITION_SADDLE = 0, IMPOSITION_STEP_REPEAT = 3, IMPOSITION_2UP = 4 };
// 2-up imposition offers only the output sheet sizes before this position.
#define OUTPUT_SHEET_SIZES_FOR_2UP 5

inline int RecordListCount(const RecordList &list)
{
    return list.loaded + list.built;
}

// The text of a list entry as the page shows it, made from the string table
// of module into text (LIST_ENTRY_UNITS units, terminator included). A
// string the module lacks, or any string without a module, gives an empty
// text, or the number alone for a built entry.
#define LIST_ENTRY_UNITS 255
void RecordListEntry(const RecordList &list, int position, HINSTANCE module, WCHAR *text);

// The field of that name, or NULL.
const RecordField *FindRecordField(const char *name);
// The field that holds the record's byte at offset, or NULL for a reserved
// byte or one past the record.
const RecordField *RecordFieldAt(size_t offset);

// A number, flag, choice or list position, read or written at its width.
LONG RecordFieldValue(const UserOptions &options, const RecordField &field);
void SetRecordFieldValue(UserOptions &options, const RecordField &field, LONG value);

// A text field's units.
inline WCHAR *RecordFieldText(UserOptions &options, const RecordField &field)
{
    return reinterpret_cast<WCHAR *>(reinterpret_cast<BYTE *>(&options) + field.offset);
}
inline const WCHAR *RecordFieldText(const UserOptions &options, const RecordField &field)
{
    return reinterpret_cast<const WCHAR *>(reinterpret_cast<const BYTE *>(&options) + field.offset);
}

// Empties the identity fields: texts become zero over their whole width,
// flags 0. The record is readable by every account, so an owner or a
// password that is cleared must leave nothing behind its terminator.
// Nothing else of the record changes.
void ClearIdentityFields(UserOptions &options);

// Zeroes what lies behind the terminator of each identity text and keeps
// the texts: records stored by earlier versions still carry the rest of a
// longer owner or password there. A text without a terminator stays as it
// is. Nothing else of the record changes.
void ScrubIdentityTexts(UserOptions &options);

// Writes the field's default: a number at its width; a text and its
// terminator, nothing behind them, except for the identity texts, which are
// zeroed whole (ClearIdentityFields).
void ResetRecordField(UserOptions &options, const RecordField &field);

// Every field with its default, as ResetRecordField would write them one by
// one: the reserved bytes and the units behind a text's terminator stay.
void ResetRecordFields(UserOptions &options);

// Every field of a section with its default ("Standarder" on its page).
void ResetRecordSection(UserOptions &options, RecordSection section);

// The five page sections by the names admins give them.
struct RecordSectionName {
    const char *name;
    RecordSection section;
};
extern const RecordSectionName RecordSectionNames[];
extern const int RecordSectionNameCount;
