// The Other page ("Andet"): prepress functions and quality settings.
#include "pages/pages.h"
#include "pages/protocol.h"
#include "pages/sheet_record.h"
#include "resources/resource.h"
#include "settings/recordfields.h"

static PageHost OtherPageHost;

// The check boxes that map one-to-one to a flag of the record.
struct OtherFlag {
    int control;
    LONG UserOptions::*field;
};

static const OtherFlag OtherFlags[] = {
    {IDC_OTHER_PROGRESSIVES, &UserOptions::printProgressives},
    {IDC_OTHER_SAVE_AS_TIFF, &UserOptions::saveAsTiff},
    {IDC_OTHER_INVERT_IMAGE, &UserOptions::invertImage},
    {IDC_OTHER_CONTROL_STRIP, &UserOptions::controlStrip},
    {IDC_OTHER_INFO_STRIP, &UserOptions::infoStrip},
    {IDC_OTHER_IMAGE_ENHANCE, &UserOptions::imageEnhance},
    {IDC_OTHER_PURE_BLACK, &UserOptions::pureBlack},
    {IDC_OTHER_EDGE_SMOOTHING, &UserOptions::edgeSmoothing},
    {IDC_OTHER_BLACK_OVERPRINT, &UserOptions::blackOverprint},
    {IDC_OTHER_COMPOSITE_OVERPRINT, &UserOptions::compositeOverprint},
    {IDC_OTHER_AUTO_TRAPPING, &UserOptions::autoTrapping},
    {IDC_OTHER_BRAND_CONTROL, &UserOptions::brandControl},
    {IDC_OTHER_AUTO_GRAY, &UserOptions::autoGrayDetect},
    {IDC_OTHER_MIRROR, &UserOptions::mirror},
};

const PageList OtherPageLists[] = {
    {IDC_OTHER_SEPARATIONS, &SeparationsList},
    {IDC_OTHER_TIFF_RESOLUTION, &TiffResolutionList},
};
const int OtherPageListCount = ARRAYSIZE(OtherPageLists);

void FillOtherLists(HWND page)
{
    FillPageLists(page, OtherPageLists, OtherPageListCount);
}

void ShowOtherSection(HWND page, const UserOptions &options)
{
    SelectListEntry(page, IDC_OTHER_SEPARATIONS, options.separations);
    SelectListEntry(page, IDC_OTHER_TIFF_RESOLUTION, options.tiffResolution);
    for (const OtherFlag &flag : OtherFlags)
        SetChecked(page, flag.control, options.*flag.field == 1);
    EnableControl(page, IDC_OTHER_TIFF_RESOLUTION, options.saveAsTiff == 1);
    // The single-sided separations box carries no field.
    ShowControl(page, IDC_OTHER_SINGLE_SIDED, false);
}

void ReadOtherSection(HWND page, UserOptions &options)
{
    options.separations = SelectedListEntry(page, IDC_OTHER_SEPARATIONS);
    options.tiffResolution = SelectedListEntry(page, IDC_OTHER_TIFF_RESOLUTION);
    for (const OtherFlag &flag : OtherFlags)
        options.*flag.field = CheckedFlag(page, flag.control);
}

static BOOL OnOtherCommand(HWND page, int id)
{
    switch (id) {
    case IDC_OTHER_DEFAULTS: {
        UserOptions &options = DevmodeOptions(OtherPageHost.pOEMDM);
        ResetOtherSection(options);
        ShowOtherSection(page, options);
        break;
    }
    case IDC_OTHER_SAVE_AS_TIFF:
        EnableControl(page, IDC_OTHER_TIFF_RESOLUTION, IsChecked(page, IDC_OTHER_SAVE_AS_TIFF));
        break;
    case IDC_OTHER_PROGRESSIVES:
    case IDC_OTHER_AUTO_GRAY:
    case IDC_OTHER_CONTROL_STRIP:
    case IDC_OTHER_EDGE_SMOOTHING:
    case IDC_OTHER_BLACK_OVERPRINT:
    case IDC_OTHER_PURE_BLACK:
    case IDC_OTHER_SEPARATIONS:
    case IDC_OTHER_TIFF_RESOLUTION:
    case IDC_OTHER_AUTO_TRAPPING:
    case IDC_OTHER_SINGLE_SIDED:
    case IDC_OTHER_INVERT_IMAGE:
    case IDC_OTHER_IMAGE_ENHANCE:
    case IDC_OTHER_MIRROR:
    case IDC_OTHER_COMPOSITE_OVERPRINT:
    case IDC_OTHER_INFO_STRIP:
    case IDC_OTHER_BRAND_CONTROL:
        break;
    default:
        return FALSE;
    }
    return MarkSheetChanged(page);
}

INT_PTR CALLBACK COtherDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        CapturePageHost(&OtherPageHost, lParam);
        UserOptions options;
        ReadSheetRecord(OtherPageHost, &options);
        FillOtherLists(page);
        ShowOtherSection(page, options);
        return TRUE;
    }
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam, OtherPageHost, OTHER_PAGE, ReadOtherSection);
    case WM_COMMAND:
        return OnOtherCommand(page, LOWORD(wParam));
    case WM_DESTROY:
        ReleaseTemplatePictures(page);
        break;
    }
    return FALSE;
}
