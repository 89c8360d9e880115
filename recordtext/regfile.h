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

// Reads every record of a file's bytes (UTF-16 with BOM, UTF-8 with or
// without BOM, or ANSI), as regedit reads them: blank lines and ';' comments
// anywhere, key roots, value names and types in any letter case. On
// failure *error says what is wrong, in one line, and *records holds the
// records read up to it (with REG_UNMARKED, the unmarked one last); on
// success *error is left as it was.
RegParse ParseRegFile(const std::vector<BYTE> &bytes, std::vector<RegRecord> *records, std::wstring *error);

// The file's bytes (at most 1 MiB): ERROR_SUCCESS, or the system's error
// code of the step that failed.
DWORD ReadWholeFile(const std::wstring &path, std::vector<BYTE> *bytes);
// Puts bytes at path in place of any file there, only once they are all
// written: a failed write (a full disk, a path that cannot be replaced)
// leaves the old file as it was and no other behind. ERROR_SUCCESS, or the
// system's error code of the step that failed.
DWORD ReplaceWholeFile(const std::wstring &path, const std::vector<BYTE> &bytes);
