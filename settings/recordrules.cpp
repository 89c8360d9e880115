#include "settings/recordrules.h"

LONG PrintingJobAction(LONG dispositionSelection)
{
    return dispositionSelection == DISPOSITION_DELETE_JOB ? JOB_PRINT_DELETE_JOB : JOB_PRINT;
}

bool IsPrintingJobAction(LONG jobAction)
{
    return jobAction == JOB_PRINT_DELETE_JOB || jobAction == JOB_PRINT;
}

LONG PrintDispositionFor(LONG jobAction, LONG dispositionSelection)
{
    return IsPrintingJobAction(jobAction) ? dispositionSelection : 0;
}

bool FileSectionAgrees(const UserOptions &options)
{
    if (options.printDisposition != PrintDispositionFor(options.jobAction, options.dispositionSelection))
        return false;
    return !IsPrintingJobAction(options.jobAction) ||
           options.jobAction == PrintingJobAction(options.dispositionSelection);
}

LONG HasJobPasswordFor(const UserOptions &options)
{
    return options.jobPassword[0] ? 1 : 0;
}

bool SecurePrintHasPassword(const UserOptions &options)
{
    return options.securePrint == 0 || options.securePassword[0] != 0;
}

int OutputSheetSizesOffered(LONG impositionType)
{
    return impositionType == IMPOSITION_2UP ? OUTPUT_SHEET_SIZES_FOR_2UP : RecordListCount(OutputSheetSizeList);
}
