// What the tool prints. On a console the text goes through WriteConsoleW,
// so that Danish and every other script shows as itself whatever the
// console's code page; redirected to a file or a pipe it is UTF-8, which is
// what scripts and other tools read.
//
// Every write is checked: a script that reads the output of a run must not
// take a cut one (a full disk behind "> file", a pipe closed early) for the
// whole. The first failed write to standard output puts the system's reason
// on standard error, and the run then ends with EXIT_FAILED.
#pragma once

#include <string>
#include <vector>

enum OutputStream { OUTPUT_STDOUT, OUTPUT_STDERR };

// false when the text could not be written whole. A stream the process was
// started without takes everything, as NUL would.
bool OutputText(OutputStream stream, const std::wstring &text);

// Whether the stream is a console, which shows text, not a file's bytes.
bool OutputIsConsole(OutputStream stream);
// The bytes as they are, for a stream redirected to a file or a pipe; false
// as OutputText.
bool OutputBytes(OutputStream stream, const std::vector<unsigned char> &bytes);

// Whether a write to standard output has failed in this run.
bool StandardOutputFailed();

// The system's text for an error code, in one line, with the code.
std::wstring SystemReason(unsigned long error);

// Text for a line of output: a narrow ASCII name, a number.
std::wstring Widen(const char *ascii);
std::wstring Number(long value);
// text in double quotes, for messages.
std::wstring Quoted(const std::wstring &text);

// text as a JSON string, quotes included.
std::wstring JsonString(const std::wstring &text);
