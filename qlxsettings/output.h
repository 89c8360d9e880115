// What the tool prints. On a console the text goes through WriteConsoleW,
// so that Danish and every other script shows as itself whatever the
// console's code page; redirected to a file or a pipe it is UTF-8, which is
// what scripts and other tools read.
#pragma once

#include <string>

enum OutputStream { OUTPUT_STDOUT, OUTPUT_STDERR };

void OutputText(OutputStream stream, const std::wstring &text);

// Text for a line of output: a narrow ASCII name, a number.
std::wstring Widen(const char *ascii);
std::wstring Number(long value);

// text as a JSON string, quotes included.
std::wstring JsonString(const std::wstring &text);
