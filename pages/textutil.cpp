#include "pages/textutil.h"

#include <stdlib.h>

WCHAR *IntegerToText(LONG value, WCHAR *out, int radix)
{
    char narrow[20];
    _ltoa(value, narrow, radix);
    int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, narrow, -1, out, 20);
    if (!units)
        out[0] = 0;
    return out;
}

WCHAR *AppendText(WCHAR *dest, const WCHAR *text)
{
    return lstrcatW(dest, text);
}
