// The record decoder: shows a UserOptions record as named fields in record
// order, flags as on/off and list positions with their meaning, for admins
// who support the plug-in and for the tests.
#pragma once

#include <stdio.h>

#include "settings/useroptions.h"

// Reads a record from a file: a raw 1436-byte record, a 1448-byte private
// devmode extension, or a registry export (.reg, UTF-16 or 8-bit) holding a
// "User Info" value as hex: or hex(3):. Returns false when the file holds
// none of these; *size then says how many bytes were found.
bool DecoderReadFile(const wchar_t *path, UserOptions *record, size_t *size);

// Parses the "User Info" value of a registry export held in memory.
bool DecoderParseRegText(const wchar_t *text, BYTE *data, size_t capacity, size_t *size);

// Loads a plug-in as data only, for its string table.
HMODULE DecoderLoadStrings(const wchar_t *dll);

// Writes the record as UTF-8 text. List texts come from the string table of
// strings; without it, or without a string, the position stands alone.
void DecoderPrintRecord(const UserOptions *record, HMODULE strings, FILE *out);
