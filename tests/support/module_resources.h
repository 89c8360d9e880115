// A plug-in's resources read as data: the raw bytes of one resource, the
// string table as stored, the dialog templates field by field, and which
// resources a module holds under which languages. The resource tests read
// the Danish build with them, the language tests every build.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "recordtext/dialogtemplate.h"

// The resource filed under exactly this language, or an empty view.
ResourceBytes FindResourceBytes(HMODULE module, LPCWSTR type, WORD id, WORD language);

// LoadStringW with no buffer hands out the stored text itself, so trailing
// blanks and the exact length are seen as they are.
bool StoredString(HMODULE module, UINT id, std::wstring *text);
// Every id the module's string blocks hold.
std::set<UINT> StoredStringIds(HMODULE module);

// Every resource of a module with an integer type and name, by type, and
// every language any of them is filed under.
struct ResourceInventory {
    std::map<ULONG_PTR, std::set<ULONG_PTR>> names;
    std::set<WORD> languages;
};
ResourceInventory ReadInventory(HMODULE module);
