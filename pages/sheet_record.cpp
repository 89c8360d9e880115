#include "pages/sheet_record.h"

#include "settings/printername.h"
#include "settings/store.h"

// One sheet at a time, like the pages' own hosts: the block of the sheet
// last started, whether its copy was read and under which name.
static POEMUIPSPARAM RecordSheet;
static bool RecordRead;
static WCHAR RecordName[CURRENT_PRINTER_NAME_UNITS];
static UserOptions SheetRecord;

void StartSheetRecord(POEMUIPSPARAM param)
{
    RecordSheet = param;
    RecordRead = false;
}

void ReadSheetRecord(const PageHost &host, UserOptions *options)
{
    if (!host.param || host.param != RecordSheet) {
        GetUserInfo(options, CurrentPrinterName);
        return;
    }
    if (!RecordRead || lstrcmpW(RecordName, CurrentPrinterName) != 0) {
        GetUserInfo(&SheetRecord, CurrentPrinterName);
        lstrcpynW(RecordName, CurrentPrinterName, CURRENT_PRINTER_NAME_UNITS);
        RecordRead = true;
    }
    *options = SheetRecord;
}
