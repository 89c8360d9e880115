// The record decoder: shows a UserOptions record as named fields in record
// order, flags as on/off and list positions with their meaning, for the
// harness and the tests. The fields and their words come from the plug-in's
// field table and the settings tool's formatting, as qlxsettings shows them.
#pragma once

#include <stdio.h>

#include "settings/useroptions.h"

// Reads a record from a file: a raw 1436-byte record, a 1448-byte private
// devmode extension, or a registry export (.reg, UTF-16 or 8-bit) holding a
// "User Info" value, marked or not. Returns false when the file holds none
// of these; *size then says how many bytes were found.
bool DecoderReadFile(const wchar_t *path, UserOptions *record, size_t *size);

// Loads a plug-in as data only, for its string table and templates.
HMODULE DecoderLoadStrings(const wchar_t *dll);

// Writes the record as UTF-8 text, identity fields included. Meanings come
// from the plug-in module strings; without it only positions are shown.
void DecoderPrintRecord(const UserOptions *record, HMODULE strings, FILE *out);
