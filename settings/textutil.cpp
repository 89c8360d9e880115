#include "settings/textutil.h"

WCHAR *IntegerToText(LONG value, WCHAR *out, int radix)
{
    // The digits are made narrow and widened with the ANSI code page, as
    // every other number the pages show would be by the C runtime.
    char narrow[INTEGER_TEXT_UNITS];
    narrow[0] = '\0';
    if (radix >= 2 && radix <= 36) {
        bool negative = radix == 10 && value < 0;
        DWORD rest = negative ? 0UL - static_cast<DWORD>(value) : static_cast<DWORD>(value);
        char reversed[33];
        int count = 0;
        do {
            DWORD digit = rest % radix;
            reversed[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
            rest /= radix;
        } while (rest != 0);
        if (negative)
            reversed[count++] = '-';
        // Radix 2 and 3 can need more digits than the narrow buffer holds;
        // a cut number would be a wrong one, so nothing is shown instead.
        if (count < INTEGER_TEXT_UNITS) {
            for (int i = 0; i < count; ++i)
                narrow[i] = reversed[count - 1 - i];
            narrow[count] = '\0';
        }
    }
    if (!MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, narrow, -1, out, INTEGER_TEXT_UNITS))
        out[0] = L'\0';
    return out;
}

WCHAR *AppendText(WCHAR *dest, const WCHAR *text)
{
    WCHAR *end = dest;
    while (*end)
        ++end;
    while ((*end++ = *text++) != L'\0') {
    }
    return dest;
}
