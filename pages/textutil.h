// Text helpers of the pages.
#pragma once

#include <windows.h>

// value in radix as UTF-16 text; out holds at least 20 units.
WCHAR *IntegerToText(LONG value, WCHAR *out, int radix);
// Appends text to dest in place; dest must hold both.
WCHAR *AppendText(WCHAR *dest, const WCHAR *text);
