// The File page ("Fil"): what the server does with the job, and what happens
// to the raster file after printing.
#include "pages/pages.h"
#include "pages/protocol.h"
#include "pages/sheet_record.h"
#include "resources/resource.h"
#include "settings/recordrules.h"

static PageHost FilePageHost;

const PageList FilePageLists[] = {
    {IDC_FILE_DISPOSITION, &DispositionList},
};
const int FilePageListCount = ARRAYSIZE(FilePageLists);

void FillFileLists(HWND page)
{
    FillPageLists(page, FilePageLists, FilePageListCount);
}

void ShowFileSection(HWND page, const UserOptions &options)
{
    bool print = IsPrintingJobAction(options.jobAction);
    SelectListEntry(page, IDC_FILE_DISPOSITION, options.dispositionSelection);
    SetChecked(page, IDC_FILE_PROCESS_PRINT, print);
    EnableControl(page, IDC_FILE_DISPOSITION, IsChecked(page, IDC_FILE_PROCESS_PRINT));
    SetChecked(page, IDC_FILE_PROCESS_HOLD, options.jobAction == JOB_PROCESS_HOLD);
    SetChecked(page, IDC_FILE_PREFLIGHT_HOLD, options.jobAction == JOB_PREFLIGHT_HOLD);
    SetChecked(page, IDC_FILE_SPOOL_HOLD, options.jobAction == JOB_SPOOL_HOLD);
}

void ReadFileSection(HWND page, UserOptions &options)
{
    // The list keeps its choice whatever the action, so that switching to a
    // hold action and back finds it again.
    options.dispositionSelection = SelectedListEntry(page, IDC_FILE_DISPOSITION);
    if (IsChecked(page, IDC_FILE_PROCESS_PRINT))
        options.jobAction = PrintingJobAction(options.dispositionSelection);
    else if (IsChecked(page, IDC_FILE_PROCESS_HOLD))
        options.jobAction = JOB_PROCESS_HOLD;
    else if (IsChecked(page, IDC_FILE_PREFLIGHT_HOLD))
        options.jobAction = JOB_PREFLIGHT_HOLD;
    else
        options.jobAction = JOB_SPOOL_HOLD;
    options.printDisposition = PrintDispositionFor(options.jobAction, options.dispositionSelection);
}

static BOOL OnFileCommand(HWND page, int id)
{
    switch (id) {
    case IDC_FILE_PROCESS_PRINT:
        EnableControl(page, IDC_FILE_DISPOSITION, true);
        break;
    case IDC_FILE_PROCESS_HOLD:
    case IDC_FILE_PREFLIGHT_HOLD:
    case IDC_FILE_SPOOL_HOLD:
        EnableControl(page, IDC_FILE_DISPOSITION, false);
        break;
    case IDC_FILE_DISPOSITION:
        break;
    case IDC_FILE_DEFAULTS: {
        // Defaults go to the sheet's devmode and the controls; the store
        // gets them when the page is next left.
        UserOptions &options = DevmodeOptions(FilePageHost.pOEMDM);
        ResetFileSection(options);
        ShowFileSection(page, options);
        break;
    }
    default:
        return FALSE;
    }
    return MarkSheetChanged(page);
}

INT_PTR CALLBACK CFileDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        CapturePageHost(&FilePageHost, lParam);
        UserOptions options;
        ReadSheetRecord(FilePageHost, &options);
        FillFileLists(page);
        ShowFileSection(page, options);
        return TRUE;
    }
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam, FilePageHost, FILE_PAGE, ReadFileSection);
    case WM_COMMAND:
        return OnFileCommand(page, LOWORD(wParam));
    case WM_DESTROY:
        ReleaseTemplatePictures(page);
        break;
    }
    return FALSE;
}
