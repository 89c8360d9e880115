#include "settings/printername.h"

WCHAR CurrentPrinterName[CURRENT_PRINTER_NAME_UNITS];

const WCHAR *FindLastChar(const WCHAR *text, WCHAR ch)
{
    const WCHAR *last = NULL;
    for (; *text; ++text)
        if (*text == ch)
            last = text;
    return last;
}

PCWSTR ShortPrinterName(PCWSTR name)
{
    const WCHAR *backslash = FindLastChar(name, L'\\');
    return backslash ? backslash + 1 : name;
}

BOOL SetCurrentPrinterName(PCWSTR name)
{
    const WCHAR *shortName = ShortPrinterName(name);
    size_t length = lstrlenW(shortName);
    if (length >= CURRENT_PRINTER_NAME_UNITS)
        return FALSE;
    CopyMemory(CurrentPrinterName, shortName, (length + 1) * sizeof(WCHAR));
    return TRUE;
}
