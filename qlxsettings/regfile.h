// Registry export files (.reg) holding the record: written for regedit,
// "reg import" and group policy, and read back with every check the tool
// makes before it writes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/useroptions.h"

struct RegRecord {
    std::wstring key; // the key name under HKLM\SYSTEM\Printers
    UserOptions record;
};

// The file's text: the version line, the comment lines (each written
// after "; "), then one key with its "User Info" value per record, wrapped
// as regedit wraps it. Lines end in CRLF.
std::wstring RegFileText(const std::vector<std::wstring> &comments, const std::vector<RegRecord> &records);

// The text as regedit's own exports are stored: UTF-16LE behind a BOM.
std::vector<BYTE> RegFileBytes(const std::wstring &text);

enum RegParse {
    REG_PARSED,
    REG_MALFORMED,  // not a registry export, or one holding anything but records
    REG_WRONG_SIZE, // a value that is not exactly one record long
    REG_UNMARKED,   // a record without the validity marker
};

// Reads every record of a file's bytes (UTF-16 with BOM, UTF-8 or ANSI).
// On failure *error says what is wrong, in one line.
RegParse ParseRegFile(const std::vector<BYTE> &bytes, std::vector<RegRecord> *records, std::wstring *error);

bool ReadWholeFile(const std::wstring &path, std::vector<BYTE> *bytes);
bool WriteWholeFile(const std::wstring &path, const std::vector<BYTE> &bytes);
