// Text helpers for list entries: numbers that lists show, and joining a
// loaded string with such a number.
#pragma once

#include <windows.h>

// Room IntegerToText needs in its output, terminating NUL included.
#define INTEGER_TEXT_UNITS 20

// Formats value in the given radix (2 to 36; radix 10 shows a minus sign,
// the others the value's 32-bit pattern) and returns out, which must hold
// INTEGER_TEXT_UNITS units. A radix outside that range, or digits that do not
// fit, give an empty text.
WCHAR *IntegerToText(LONG value, WCHAR *out, int radix);

// Appends text to the end of dest in place and returns dest; dest must have
// room for both.
WCHAR *AppendText(WCHAR *dest, const WCHAR *text);
