// The Tray page ("Bakke"): finishing, imposition and media. Four rules tie
// its controls together: stapling forces collation on and gives the earlier
// choice back afterwards, imposition locks the staple list, the imposition
// type decides which of its settings apply, and 2-up offers fewer sheets.
#include "platform/module.h"
#include "pages/pages.h"
#include "pages/protocol.h"
#include "pages/sheet_record.h"
#include "resources/resource.h"
#include "settings/recordrules.h"

static PageHost TrayPageHost;

// The collate state to give back when stapling is switched off, and the
// staple position as last handled.
static int RememberedCollate;
static LONG PreviousStaple;

const PageList TrayPageLists[] = {
    {IDC_TRAY_DUPLEX, &DuplexList},
    {IDC_TRAY_STAPLE, &StapleList},
    {IDC_TRAY_OUTPUT_SHEET_SIZE, &OutputSheetSizeList},
    {IDC_TRAY_SECTION_SIZE, &SectionSizeList},
    {IDC_TRAY_IMPOSITION_TYPE, &ImpositionTypeList},
    {IDC_TRAY_MEDIA_TYPE, &MediaTypeList},
};
const int TrayPageListCount = ARRAYSIZE(TrayPageLists);

void FillTrayLists(HWND page)
{
    FillPageLists(page, TrayPageLists, TrayPageListCount);
}

void ShowStaplePicture(HWND page, LONG staple)
{
    int shown;
    switch (staple) {
    case 1:
        shown = IDC_TRAY_STAPLE_PICTURE_PORTRAIT_ONE;
        break;
    case 2:
        shown = IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_ONE;
        break;
    case 3:
        shown = IDC_TRAY_STAPLE_PICTURE_PORTRAIT_TWO;
        break;
    case 4:
        shown = IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_TWO;
        break;
    default:
        shown = IDC_TRAY_STAPLE_PICTURE_NONE;
        break;
    }
    for (int picture = IDC_TRAY_STAPLE_PICTURE_NONE; picture <= IDC_TRAY_STAPLE_PICTURE_PORTRAIT_TWO; ++picture)
        ShowControl(page, picture, picture == shown);
}

void AdjustSheetSizeList(HWND page)
{
    // The sizes an imposition type cannot use ("Letter" and "A4" with 2-up)
    // leave the list, from its end, and come back when another type is
    // chosen.
    int offered = OutputSheetSizesOffered(SelectedListEntry(page, IDC_TRAY_IMPOSITION_TYPE));
    int shown = static_cast<int>(SendDlgItemMessageW(page, IDC_TRAY_OUTPUT_SHEET_SIZE, CB_GETCOUNT, 0, 0));
    if (SelectedListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE) >= offered)
        SelectListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE, 0);
    while (shown > offered)
        SendDlgItemMessageW(page, IDC_TRAY_OUTPUT_SHEET_SIZE, CB_DELETESTRING, --shown, 0);
    for (; shown < offered; ++shown)
        AddRecordListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE, OutputSheetSizeList, shown);
}

static void ShowMediaDescription(HWND page, LONG mediaType)
{
    // Only the seventeen list entries have a description; a stored value
    // beyond them shows none rather than some unrelated string.
    WCHAR text[256] = L"";
    if (mediaType >= 0 && mediaType < RecordListCount(MediaTypeList))
        LoadStringW(ModuleInstance, IDS_MEDIA_DESCRIPTION + mediaType, text, 256);
    SetDlgItemTextW(page, IDC_TRAY_MEDIA_DESCRIPTION, text);
}

static void RemoveLegacyControls(HWND page)
{
    static const int destroyed[] = {IDC_TRAY_LEGACY_SORTER, IDC_TRAY_LEGACY_PRODUCTION,
                                    IDC_TRAY_LEGACY_TRANSPARENT_BACKED, IDC_TRAY_LEGACY_OPAQUE_FILM};
    ShowControl(page, IDC_TRAY_LEGACY_STAPLE, false);
    for (int id : destroyed) {
        HWND control = GetDlgItem(page, id);
        if (control)
            DestroyWindow(control);
    }
}

void ShowTraySection(HWND page, const UserOptions &options)
{
    bool imposition = options.imposition != 0;
    LONG type = options.impositionType;

    SetChecked(page, IDC_TRAY_COLLATE, options.collate == 1);
    RemoveLegacyControls(page);
    SelectListEntry(page, IDC_TRAY_DUPLEX, options.duplex);
    SelectEnabledListEntry(page, IDC_TRAY_STAPLE, options.staple, options.imposition == 0);
    EnableControl(page, IDC_TRAY_COLLATE, options.staple == 0);
    ShowStaplePicture(page, options.staple);
    SetChecked(page, IDC_TRAY_ROTATE_PAGES, options.rotatePages == 1);
    SetChecked(page, IDC_TRAY_IMPOSITION, options.imposition == 1);
    SelectEnabledListEntry(page, IDC_TRAY_IMPOSITION_TYPE, type, imposition);
    SelectEnabledListEntry(page, IDC_TRAY_SECTION_SIZE, options.sectionSize, imposition && type == IMPOSITION_SADDLE);
    SelectEnabledListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE, options.outputSheetSize, imposition);
    AdjustSheetSizeList(page);
    SetCheckedEnabled(page, IDC_TRAY_CROP_MARKS, options.cropMarks == 1, imposition && type != IMPOSITION_STEP_REPEAT);
    SetCheckedEnabled(page, IDC_TRAY_FIT_TO_SHEET, options.fitToSheet == 1,
                      imposition && type != IMPOSITION_STEP_REPEAT && type != IMPOSITION_2UP);
    SelectListEntry(page, IDC_TRAY_MEDIA_TYPE, options.mediaType);
    ShowMediaDescription(page, options.mediaType);
}

void ReadTraySection(HWND page, UserOptions &options)
{
    options.duplex = SelectedListEntry(page, IDC_TRAY_DUPLEX);
    options.staple = SelectedListEntry(page, IDC_TRAY_STAPLE);
    options.impositionType = SelectedListEntry(page, IDC_TRAY_IMPOSITION_TYPE);
    options.sectionSize = SelectedListEntry(page, IDC_TRAY_SECTION_SIZE);
    options.outputSheetSize = SelectedListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE);
    options.mediaType = SelectedListEntry(page, IDC_TRAY_MEDIA_TYPE);
    options.collate = CheckedFlag(page, IDC_TRAY_COLLATE);
    options.rotatePages = CheckedFlag(page, IDC_TRAY_ROTATE_PAGES);
    options.imposition = CheckedFlag(page, IDC_TRAY_IMPOSITION);
    options.cropMarks = CheckedFlag(page, IDC_TRAY_CROP_MARKS);
    options.fitToSheet = CheckedFlag(page, IDC_TRAY_FIT_TO_SHEET);
}

static void RememberTrayState(HWND page)
{
    RememberedCollate = IsDlgButtonChecked(page, IDC_TRAY_COLLATE);
    PreviousStaple = SelectedListEntry(page, IDC_TRAY_STAPLE);
}

static void OnStapleChosen(HWND page)
{
    LONG staple = SelectedListEntry(page, IDC_TRAY_STAPLE);
    ShowStaplePicture(page, staple);
    if (staple != 0) {
        // Remember the user's own choice only when stapling is first
        // switched on, not when moving between staple positions.
        if (PreviousStaple == 0)
            RememberedCollate = IsDlgButtonChecked(page, IDC_TRAY_COLLATE);
        SetChecked(page, IDC_TRAY_COLLATE, true);
        EnableControl(page, IDC_TRAY_COLLATE, false);
    } else {
        CheckDlgButton(page, IDC_TRAY_COLLATE, RememberedCollate);
        EnableControl(page, IDC_TRAY_COLLATE, true);
    }
    PreviousStaple = staple;
}

static void OnImpositionSwitched(HWND page)
{
    // Nothing changes value here: disabled controls keep their settings.
    bool on = IsChecked(page, IDC_TRAY_IMPOSITION);
    LONG type = SelectedListEntry(page, IDC_TRAY_IMPOSITION_TYPE);
    EnableControl(page, IDC_TRAY_IMPOSITION_TYPE, on);
    EnableControl(page, IDC_TRAY_SECTION_SIZE, on && type == IMPOSITION_SADDLE);
    EnableControl(page, IDC_TRAY_OUTPUT_SHEET_SIZE, on);
    EnableControl(page, IDC_TRAY_CROP_MARKS, on && type != IMPOSITION_STEP_REPEAT);
    EnableControl(page, IDC_TRAY_FIT_TO_SHEET, on && type != IMPOSITION_STEP_REPEAT && type != IMPOSITION_2UP);
    EnableControl(page, IDC_TRAY_STAPLE, !on);
}

static void OnImpositionTypeChosen(HWND page)
{
    LONG type = SelectedListEntry(page, IDC_TRAY_IMPOSITION_TYPE);
    EnableControl(page, IDC_TRAY_SECTION_SIZE, type == IMPOSITION_SADDLE);
    if (type == IMPOSITION_STEP_REPEAT) {
        SetChecked(page, IDC_TRAY_CROP_MARKS, true);
        EnableControl(page, IDC_TRAY_CROP_MARKS, false);
    } else {
        EnableControl(page, IDC_TRAY_CROP_MARKS, true);
    }
    AdjustSheetSizeList(page);
    if (type == IMPOSITION_STEP_REPEAT || type == IMPOSITION_2UP) {
        SetChecked(page, IDC_TRAY_FIT_TO_SHEET, false);
        EnableControl(page, IDC_TRAY_FIT_TO_SHEET, false);
    } else {
        EnableControl(page, IDC_TRAY_FIT_TO_SHEET, true);
    }
}

static BOOL OnTrayCommand(HWND page, int id)
{
    switch (id) {
    case IDC_TRAY_DEFAULTS: {
        UserOptions &options = DevmodeOptions(TrayPageHost.pOEMDM);
        ResetTraySection(options);
        ShowTraySection(page, options);
        RememberTrayState(page);
        break;
    }
    case IDC_TRAY_COLLATE:
        RememberedCollate = IsDlgButtonChecked(page, IDC_TRAY_COLLATE);
        break;
    case IDC_TRAY_STAPLE:
        OnStapleChosen(page);
        break;
    case IDC_TRAY_IMPOSITION:
        OnImpositionSwitched(page);
        break;
    case IDC_TRAY_IMPOSITION_TYPE:
        OnImpositionTypeChosen(page);
        break;
    case IDC_TRAY_MEDIA_TYPE:
        ShowMediaDescription(page, SelectedListEntry(page, IDC_TRAY_MEDIA_TYPE));
        break;
    case IDC_TRAY_ROTATE_PAGES:
    case IDC_TRAY_DUPLEX:
    case IDC_TRAY_CROP_MARKS:
    case IDC_TRAY_SECTION_SIZE:
    case IDC_TRAY_OUTPUT_SHEET_SIZE:
    case IDC_TRAY_FIT_TO_SHEET:
        break;
    default:
        return FALSE;
    }
    return MarkSheetChanged(page);
}

INT_PTR CALLBACK CTrayDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        CapturePageHost(&TrayPageHost, lParam);
        UserOptions options;
        ReadSheetRecord(TrayPageHost, &options);
        FillTrayLists(page);
        ShowTraySection(page, options);
        RememberTrayState(page);
        static const int titles[] = {IDC_TRAY_IMPOSITION};
        KeepTitlesClearOfFrames(page, titles, ARRAYSIZE(titles));
        return TRUE;
    }
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam, TrayPageHost, TRAY_PAGE, ReadTraySection);
    case WM_COMMAND:
        return OnTrayCommand(page, LOWORD(wParam));
    case WM_DESTROY:
        ReleaseTemplatePictures(page);
        break;
    }
    return FALSE;
}
