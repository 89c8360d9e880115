// The tool's exit codes, each with the line --help prints for it. Scripts
// and group-policy reports tell the outcomes apart by these numbers, so a
// number, once given a meaning, keeps it.
#pragma once

enum ExitCode {
    EXIT_OK = 0,
    EXIT_USAGE = 1,
    EXIT_NO_PRINTER = 2,
    EXIT_NO_RECORD = 3,
    EXIT_INVALID_RECORD = 4,
    EXIT_ACCESS_DENIED = 5,
    EXIT_REFUSED = 6,
    EXIT_BAD_FILE = 7,
    EXIT_FAILED = 8,
};

struct ExitCodeText {
    int code;
    const char *meaning;
};

static const ExitCodeText ExitCodeTexts[] = {
    {EXIT_OK, "done"},
    {EXIT_USAGE, "the command line is not understood"},
    {EXIT_NO_PRINTER, "no such printer (or, with --all, no printer uses the plug-in)"},
    {EXIT_NO_RECORD, "no record is stored for the printer (the pages show defaults)"},
    {EXIT_INVALID_RECORD, "the stored record is invalid (the pages show defaults)"},
    {EXIT_ACCESS_DENIED, "access denied: this account may not read or write the record"},
    {EXIT_REFUSED, "a field name or value was refused; nothing was written"},
    {EXIT_BAD_FILE, "the .reg file is malformed, of the wrong size or unmarked; nothing was written"},
    {EXIT_FAILED, "another failure (a file could not be read or written, a write failed)"},
};
