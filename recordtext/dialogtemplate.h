// Dialog templates read as data, field by field: the tool names radio-button
// values by their captions, and the tests compare every build's templates.
// Every read is checked against the resource's end, since the file may be
// any DLL an admin points at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ResourceBytes {
    const BYTE *data = NULL;
    DWORD size = 0;
};

struct ParsedControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::wstring className;
    std::wstring text;
    WORD textOrdinal = 0; // a picture resource when the text is an ordinal
    short rect[4] = {};
};

struct ParsedTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short rect[4] = {};
    bool hasMenu = false;
    bool hasClass = false;
    std::wstring caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring face;
    std::vector<ParsedControl> controls;
};

// Walks a DLGTEMPLATE or DLGTEMPLATEEX; false for a malformed one, whose
// reads past the end are caught rather than made.
bool ParseTemplate(const ResourceBytes &bytes, ParsedTemplate *out);
