#include "host/sheet_tour.h"

#include <commctrl.h>

#include "host/screenshot.h"
#include "resources/resource.h"

// What the tour's timer looks for while a modal dialog runs: the dialog's
// caption, the picture to take of it, and whether it was found.
static wchar_t TourCaption[256];
static const wchar_t *TourPicture;
static bool TourPictureTaken;

static BOOL CALLBACK FindTourDialog(HWND window, LPARAM lParam)
{
    wchar_t text[256];
    if (IsWindowVisible(window) && GetWindowTextW(window, text, 256) && !lstrcmpW(text, TourCaption)) {
        *reinterpret_cast<HWND *>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

static void CALLBACK TourTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindTourDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    KillTimer(NULL, timer);
    TourPictureTaken = HostSaveWindowPicture(dialog, TourPicture);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The caption a dialog template gives its window, read from the template
// itself so that the tour finds the dialog in every language.
static bool TemplateCaption(HMODULE module, WORD id, wchar_t *caption, int units)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    const WORD *at = found ? static_cast<const WORD *>(LockResource(LoadResource(module, found))) : NULL;
    if (!at || SizeofResource(module, found) < 32)
        return false;
    const WORD *end = at + SizeofResource(module, found) / sizeof(WORD);
    // DLGTEMPLATEEX or DLGTEMPLATE, then the menu and the class, each a
    // 0xFFFF and an ordinal, or a string.
    at += at[0] == 1 && at[1] == 0xFFFF ? 13 : 9;
    for (int field = 0; field < 2 && at < end; ++field) {
        if (*at == 0xFFFF)
            at += 2;
        else
            while (at < end && *at++)
                ;
    }
    int length = 0;
    while (at < end && *at && length < units - 1)
        caption[length++] = static_cast<wchar_t>(*at++);
    caption[length] = 0;
    return at < end && !*at;
}

// Opens a modal dialog by sending a page the command a user's click sends,
// takes its picture from inside its modal loop, and closes it.
static bool PictureModalDialog(HMODULE module, HWND page, int control, WORD notification, WORD dialog,
                               const wchar_t *path)
{
    if (!TemplateCaption(module, dialog, TourCaption, 256))
        return false;
    TourPicture = path;
    TourPictureTaken = false;
    UINT_PTR timer = SetTimer(NULL, 0, 100, TourTick);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(control, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, control)));
    KillTimer(NULL, timer);
    return TourPictureTaken;
}

static bool PicturePage(HostSheet *sheet, int page, const wchar_t *folder)
{
    PropSheet_SetCurSel(sheet->window, NULL, page);
    HostPumpSheet(sheet);
    Sleep(200);
    static const wchar_t *const tabs[] = {L"file", L"color", L"other", L"tray", L"info"};
    wchar_t path[MAX_PATH];
    wsprintfW(path, L"%s\\sheet-%d-%s.bmp", folder, page + 1, page < 5 ? tabs[page] : L"page");
    bool ok = HostSaveWindowPicture(sheet->window, path);
    HostSay("%s a picture of page %d\n", ok ? "saved" : "could not save", page + 1);
    return ok;
}

static void Click(HWND page, int control)
{
    SendDlgItemMessageW(page, control, BM_CLICK, 0, 0);
}

static void Choose(HWND page, int list, int index)
{
    SendDlgItemMessageW(page, list, CB_SETCURSEL, index, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, list)));
}

// A few choices a user might make, so that the pictures and the stored
// record show the pages at work rather than only their defaults.
static void MakeChoices(HWND page, int index)
{
    switch (index) {
    case 0:
        Choose(page, IDC_FILE_DISPOSITION, 0);
        break;
    case 1:
        Click(page, IDC_COLOR_PRINTER_SCREENED);
        Click(page, IDC_COLOR_RGB_PROFILE_SOURCE);
        Choose(page, IDC_COLOR_RGB_PROFILE, 0);
        break;
    case 2:
        Click(page, IDC_OTHER_SAVE_AS_TIFF);
        Choose(page, IDC_OTHER_TIFF_RESOLUTION, 1);
        break;
    case 3:
        Choose(page, IDC_TRAY_STAPLE, 1);
        Choose(page, IDC_TRAY_MEDIA_TYPE, 2);
        break;
    case 4:
        // Names and numbers that read alike in every language.
        SetDlgItemTextW(page, IDC_INFO_OWNER, L"QLX Demo");
        SetDlgItemTextW(page, IDC_INFO_COMMENT, L"Job 4711 \u00B7 A3 \u00B7 2 \u00D7 250");
        break;
    }
}

bool HostTourSheet(HostSheet *sheet, HMODULE module, const wchar_t *folder)
{
    SetWindowPos(sheet->window, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    bool ok = true;
    wchar_t path[MAX_PATH];
    for (int page = 0; page < sheet->pageCount; ++page) {
        PropSheet_SetCurSel(sheet->window, NULL, page);
        HostPumpSheet(sheet);
        HWND current = PropSheet_GetCurrentPageHwnd(sheet->window);
        MakeChoices(current, page);
        ok = PicturePage(sheet, page, folder) && ok;
        if (page == 1) {
            wsprintfW(path, L"%s\\sheet-render-help.bmp", folder);
            ok = PictureModalDialog(module, current, IDC_COLOR_HELP_ICON, STN_CLICKED, IDD_RENDER_HELP, path) && ok;
            HostSay("opened and closed the rendering-style help\n");
        } else if (page == 4) {
            wsprintfW(path, L"%s\\sheet-secure-print.bmp", folder);
            ok = PictureModalDialog(module, current, IDC_SECURE_PRINT_BUTTON, BN_CLICKED, IDD_SECURE_PRINT, path) &&
                 ok;
            HostSay("opened and cancelled the secure-print dialog\n");
        }
    }
    PropSheet_PressButton(sheet->window, PSBTN_OK);
    HostSay("pressed OK\n");
    HostRunSheet(sheet);
    return ok;
}
