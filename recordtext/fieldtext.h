// A record's fields as text, from the field table: the value, what it
// means in the plug-in's words, and the checks that a value or a whole
// record must pass before the tool writes it.
#pragma once

#include <string>
#include <vector>

#include "recordtext/plugintexts.h"
#include "settings/recordfields.h"

// "on", "2 = Lang kantindbinding", "\"Søren\"", "12345 (valid)", and notes
// for what the pages would not show as stored ("-1 (nothing chosen)",
// "7 (beyond the list's 3 entries)").
std::wstring FieldDisplay(const RecordField &field, const UserOptions &record, const PluginTexts *texts);

// One line of a record listing: offset, name and FieldDisplay, or the note
// hidden in place of an identity text.
std::wstring FieldLine(const RecordField &field, const UserOptions &record, const PluginTexts *texts,
                       bool showIdentity);

// The field's value as JSON: a number, or a string for texts; null for an
// identity text left hidden.
std::wstring FieldJson(const RecordField &field, const UserOptions &record, bool showIdentity);

// The text of a text field up to its terminator or its end.
std::wstring FieldText(const RecordField &field, const UserOptions &record);

// NAME=VALUE from the command line, checked against the field table.
struct FieldAssignment {
    const RecordField *field = NULL;
    LONG number = 0;
    std::wstring text;
};

// Parses and checks one argument; on refusal, *error names the field, the
// value and what is allowed. Identity fields are refused unless identity.
bool ParseAssignment(const std::wstring &argument, const PluginTexts *texts, bool identity,
                     FieldAssignment *assignment, std::wstring *error);

void ApplyAssignment(UserOptions &record, const FieldAssignment &assignment);

// The rules that tie fields to each other, as the pages keep them, for the
// fields an admin named: the File section's three fields agree, the Info
// flags follow the passwords, and 2-up imposition takes only the first
// output sheet sizes.
bool CheckFieldRules(const UserOptions &record, const std::vector<FieldAssignment> &named, std::wstring *error);

// All of those rules, for a whole record from a file.
bool CheckAllFieldRules(const UserOptions &record, std::wstring *error);

// A whole record from a file: flags 0 or 1, list positions in their list or
// -1 (nothing chosen), choices in range, texts terminated.
bool CheckWholeRecord(const UserOptions &record, std::wstring *error);
