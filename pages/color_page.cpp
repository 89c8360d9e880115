// The Color page ("Farve"): colour model, printer mode, RGB and CMYK
// correction with their profiles, and the rendering style.
#include "platform/module.h"
#include "pages/pages.h"
#include "pages/protocol.h"
#include "pages/sheet_record.h"
#include "resources/resource.h"
#include "settings/recordfields.h"

static PageHost ColorPageHost;

const PageList ColorPageLists[] = {
    {IDC_COLOR_RENDERING_STYLE, &RenderingStyleList},
    {IDC_COLOR_GAMMA, &GammaList},
    {IDC_COLOR_WHITE_POINT, &WhitePointList},
    {IDC_COLOR_RGB_PROFILE, &RgbProfileList},
    {IDC_COLOR_PRINT_PROFILE, &PrintProfileList},
};
const int ColorPageListCount = ARRAYSIZE(ColorPageLists);

void FillColorLists(HWND page)
{
    FillPageLists(page, ColorPageLists, ColorPageListCount);
}

static void ShowColorPicture(HWND page, bool colour)
{
    ShowControl(page, IDC_COLOR_PICTURE_GRAY, !colour);
    ShowControl(page, IDC_COLOR_PICTURE_COLOR, colour);
}

void ShowColorSection(HWND page, const UserOptions &options)
{
    bool rgb = options.rgbCorrection == 1;
    bool standard = options.rgbSource == 1;
    bool profile = options.rgbSource == 0;
    bool cmyk = options.cmykCorrection == 1;

    SelectListEntry(page, IDC_COLOR_RENDERING_STYLE, options.renderingStyle);
    SetCheckedEnabled(page, IDC_COLOR_RGB_STANDARD, standard, rgb);
    SetCheckedEnabled(page, IDC_COLOR_RGB_PROFILE_SOURCE, profile, rgb);
    SelectEnabledListEntry(page, IDC_COLOR_GAMMA, options.gamma, rgb && standard);
    SelectEnabledListEntry(page, IDC_COLOR_WHITE_POINT, options.whitePoint, rgb && standard);
    SelectEnabledListEntry(page, IDC_COLOR_RGB_PROFILE, options.rgbProfile, rgb && profile);
    SelectEnabledListEntry(page, IDC_COLOR_PRINT_PROFILE, options.printProfile, cmyk);
    SetCheckedEnabled(page, IDC_COLOR_PRESERVE_GCR, options.preserveGcr == 1, cmyk);
    SetCheckedEnabled(page, IDC_COLOR_PRINT_SIMULATION, options.printSimulation == 1, rgb);
    SetChecked(page, IDC_COLOR_MODE_COLOR, options.colorMode == 0);
    SetChecked(page, IDC_COLOR_MODE_GRAY, options.colorMode == 1);
    SetChecked(page, IDC_COLOR_PRINTER_CONTONE, options.printerMode == 0);
    SetChecked(page, IDC_COLOR_PRINTER_SCREENED, options.printerMode == 1);
    SetChecked(page, IDC_COLOR_RGB_CORRECTION, rgb);
    SetChecked(page, IDC_COLOR_CMYK_CORRECTION, cmyk);
    SetChecked(page, IDC_COLOR_COMPOSITE_SPOT, options.compositeSpotColor == 1);
    ShowColorPicture(page, options.colorMode == 0);
}

void ReadColorSection(HWND page, UserOptions &options)
{
    // Disabled controls are read like enabled ones: a list a rule disabled
    // keeps and stores its choice.
    options.colorMode = IsChecked(page, IDC_COLOR_MODE_COLOR) ? 0 : 1;
    options.printerMode = IsChecked(page, IDC_COLOR_PRINTER_CONTONE) ? 0 : 1;
    options.rgbCorrection = CheckedFlag(page, IDC_COLOR_RGB_CORRECTION);
    options.rgbSource = CheckedFlag(page, IDC_COLOR_RGB_STANDARD);
    options.printSimulation = CheckedFlag(page, IDC_COLOR_PRINT_SIMULATION);
    options.cmykCorrection = CheckedFlag(page, IDC_COLOR_CMYK_CORRECTION);
    options.preserveGcr = CheckedFlag(page, IDC_COLOR_PRESERVE_GCR);
    options.compositeSpotColor = CheckedFlag(page, IDC_COLOR_COMPOSITE_SPOT);
    options.renderingStyle = SelectedListEntry(page, IDC_COLOR_RENDERING_STYLE);
    options.gamma = SelectedListEntry(page, IDC_COLOR_GAMMA);
    options.whitePoint = SelectedListEntry(page, IDC_COLOR_WHITE_POINT);
    options.rgbProfile = SelectedListEntry(page, IDC_COLOR_RGB_PROFILE);
    options.printProfile = SelectedListEntry(page, IDC_COLOR_PRINT_PROFILE);
}

static void EnableRgbSourceLists(HWND page, bool standard)
{
    EnableControl(page, IDC_COLOR_GAMMA, standard);
    EnableControl(page, IDC_COLOR_WHITE_POINT, standard);
    EnableControl(page, IDC_COLOR_RGB_PROFILE, !standard);
}

static void OnRgbCorrection(HWND page)
{
    bool rgb = IsChecked(page, IDC_COLOR_RGB_CORRECTION);
    bool standard = IsChecked(page, IDC_COLOR_RGB_STANDARD);
    EnableControl(page, IDC_COLOR_GAMMA, rgb && standard);
    EnableControl(page, IDC_COLOR_WHITE_POINT, rgb && standard);
    EnableControl(page, IDC_COLOR_PRINT_SIMULATION, rgb);
    EnableControl(page, IDC_COLOR_RGB_STANDARD, rgb);
    EnableControl(page, IDC_COLOR_RGB_PROFILE_SOURCE, rgb);
    EnableControl(page, IDC_COLOR_RGB_PROFILE, rgb && !standard);
}

static BOOL OnColorCommand(HWND page, int id)
{
    switch (id) {
    case IDC_COLOR_MODE_COLOR:
    case IDC_COLOR_MODE_GRAY: {
        // The colour model reaches the sheet's devmode at once, not only when
        // the page is left.
        bool colour = id == IDC_COLOR_MODE_COLOR;
        DevmodeOptions(ColorPageHost.pOEMDM).colorMode = colour ? 0 : 1;
        ShowColorPicture(page, colour);
        break;
    }
    case IDC_COLOR_DEFAULTS: {
        UserOptions &options = DevmodeOptions(ColorPageHost.pOEMDM);
        ResetColorSection(options);
        ShowColorSection(page, options);
        break;
    }
    case IDC_COLOR_RGB_CORRECTION:
        OnRgbCorrection(page);
        break;
    case IDC_COLOR_CMYK_CORRECTION: {
        bool cmyk = IsChecked(page, IDC_COLOR_CMYK_CORRECTION);
        EnableControl(page, IDC_COLOR_PRINT_PROFILE, cmyk);
        EnableControl(page, IDC_COLOR_PRESERVE_GCR, cmyk);
        break;
    }
    case IDC_COLOR_RGB_STANDARD:
    case IDC_COLOR_RGB_PROFILE_SOURCE:
        // Both buttons are disabled while RGB correction is off.
        EnableRgbSourceLists(page, IsChecked(page, IDC_COLOR_RGB_STANDARD));
        break;
    case IDC_COLOR_HELP_ICON:
        ShowRenderHelp(page, ModuleInstance);
        break;
    case IDC_COLOR_COMPOSITE_SPOT:
    case IDC_COLOR_PRINTER_SCREENED:
    case IDC_COLOR_RENDERING_STYLE:
    case IDC_COLOR_GAMMA:
    case IDC_COLOR_WHITE_POINT:
    case IDC_COLOR_PRINT_PROFILE:
    case IDC_COLOR_PRINTER_CONTONE:
    case IDC_COLOR_PRINT_SIMULATION:
    case IDC_COLOR_PRESERVE_GCR:
    case IDC_COLOR_RGB_PROFILE:
        break;
    default:
        return FALSE;
    }
    return MarkSheetChanged(page);
}

INT_PTR CALLBACK CColorDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        CapturePageHost(&ColorPageHost, lParam);
        UserOptions options;
        ReadSheetRecord(ColorPageHost, &options);
        FillColorLists(page);
        ShowColorSection(page, options);
        static const int titles[] = {IDC_COLOR_RGB_CORRECTION, IDC_COLOR_CMYK_CORRECTION};
        KeepTitlesClearOfFrames(page, titles, ARRAYSIZE(titles));
        return TRUE;
    }
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam, ColorPageHost, COLOR_PAGE, ReadColorSection);
    case WM_COMMAND:
        return OnColorCommand(page, LOWORD(wParam));
    case WM_DESTROY:
        ReleaseTemplatePictures(page);
        break;
    }
    return FALSE;
}
