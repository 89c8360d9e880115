#include "pages/sheet.h"

LONG OEMDocumentPropertySheets(PPROPSHEETUI_INFO, LPARAM)
{
    return 0;
}
