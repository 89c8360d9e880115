#include "pages/protocol.h"

#include "diag/tracelog.h"
#include "platform/module.h"
#include "settings/printername.h"
#include "settings/store.h"

void CapturePageHost(PageHost *host, LPARAM lParam)
{
    const PROPSHEETPAGEW *page = reinterpret_cast<const PROPSHEETPAGEW *>(lParam);
    host->param = reinterpret_cast<POEMUIPSPARAM>(page->lParam);
    host->pOEMDM = host->param ? host->param->pOEMDM : NULL;
}

static void SavePageSection(HWND page, ReadSectionProc read)
{
    // The store is the only channel between pages: start from what the
    // other pages saved and overwrite only this page's own fields.
    UserOptions options;
    GetUserInfo(&options, CurrentPrinterName);
    read(page, options);
    SetUserInfo(&options, CurrentPrinterName);
}

static void ReportPageApplied(const PageHost &host, PageIndex index)
{
    if (!host.param || !host.param->pOEMUserData)
        return;
    const PageUserData *data = static_cast<const PageUserData *>(host.param->pOEMUserData);
    data->pfnComPropSheet(data->hComPropSheet, CPSFUNC_SET_RESULT, data->pageHandles[index], CPSUI_OK);
}

static void WipeIdentityFields()
{
    UserOptions options;
    GetUserInfo(&options, CurrentPrinterName);
    ClearIdentityFields(options);
    SetUserInfo(&options, CurrentPrinterName);
    TraceLog("Cancel button hit...\n");
}

BOOL HandlePageNotify(HWND page, LPARAM lParam, const PageHost &host, PageIndex index, ReadSectionProc read)
{
    switch (reinterpret_cast<const NMHDR *>(lParam)->code) {
    case PSN_KILLACTIVE:
        SavePageSection(page, read);
        break;
    case PSN_APPLY:
        ReportPageApplied(host, index);
        break;
    case PSN_QUERYCANCEL:
        WipeIdentityFields();
        break;
    }
    return FALSE;
}

BOOL MarkSheetChanged(HWND page)
{
    SendMessageW(GetParent(page), PSM_CHANGED, 0, 0);
    return TRUE;
}

static BOOL CALLBACK ReleasePicture(HWND control, LPARAM)
{
    WCHAR className[8];
    if (GetClassNameW(control, className, ARRAYSIZE(className)) && !lstrcmpiW(className, L"Static") &&
        (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        HGDIOBJ picture = reinterpret_cast<HGDIOBJ>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (picture)
            DeleteObject(picture);
    }
    return TRUE;
}

void ReleaseTemplatePictures(HWND window)
{
    EnumChildWindows(window, ReleasePicture, 0);
}

// LoadStringW always terminates what it copies.
void LoadListString(UINT id, WCHAR *text)
{
    if (!LoadStringW(ModuleInstance, id, text, LIST_ENTRY_UNITS))
        text[0] = 0;
}

void AddRecordListEntry(HWND page, int list, const RecordList &entries, int position)
{
    WCHAR text[LIST_ENTRY_UNITS];
    RecordListEntry(entries, position, ModuleInstance, text);
    SendDlgItemMessageW(page, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// What CB_INITSTORAGE reserves per entry for its text: the entries are
// short names, and the list grows past the reserve if one is longer.
static const int ListEntryReserveBytes = 32 * sizeof(WCHAR);

static void FillPageList(HWND page, const PageList &list)
{
    HWND box = GetDlgItem(page, list.control);
    int count = RecordListCount(*list.entries);
    // Turned off, a list box leaves its scroll bar and its invalidation
    // until redraw is turned on again, once for the whole list.
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, CB_INITSTORAGE, count, count * ListEntryReserveBytes);
    WCHAR text[LIST_ENTRY_UNITS];
    for (int position = 0; position < count; ++position) {
        RecordListEntry(*list.entries, position, ModuleInstance, text);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
}

void FillPageLists(HWND page, const PageList *lists, int count)
{
    for (int i = 0; i < count; ++i)
        FillPageList(page, lists[i]);
}

// An index outside the list leaves the list with no selection.
void SelectListEntry(HWND page, int list, LONG index)
{
    SendDlgItemMessageW(page, list, CB_SETCURSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(index)), 0);
}

void SelectEnabledListEntry(HWND page, int list, LONG index, bool enabled)
{
    HWND box = GetDlgItem(page, list);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(index)), 0);
    EnableWindow(box, enabled);
}

LONG SelectedListEntry(HWND page, int list)
{
    LRESULT index = SendDlgItemMessageW(page, list, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<LONG>(index);
}

void SetChecked(HWND page, int button, bool checked)
{
    CheckDlgButton(page, button, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SetCheckedEnabled(HWND page, int button, bool checked, bool enabled)
{
    HWND control = GetDlgItem(page, button);
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(control, enabled);
}

bool IsChecked(HWND page, int button)
{
    return IsDlgButtonChecked(page, button) == BST_CHECKED;
}

LONG CheckedFlag(HWND page, int button)
{
    return IsChecked(page, button) ? 1 : 0;
}

void EnableControl(HWND page, int control, bool enabled)
{
    EnableWindow(GetDlgItem(page, control), enabled);
}

void ShowControl(HWND page, int control, bool shown)
{
    ShowWindow(GetDlgItem(page, control), shown ? SW_SHOW : SW_HIDE);
}

// The box's own procedure and its title, kept on the box while it lives.
static const WCHAR FrameProcedureProperty[] = L"QlxFrameProcedure";
static const WCHAR FrameTitleProperty[] = L"QlxFrameTitle";
// A frame titled by a check box has a blank caption of its own.
static const WCHAR TitledFrameCaption[] = L" ";

static LRESULT CALLBACK TitledFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(frame, FrameProcedureProperty));
    HWND title = static_cast<HWND>(GetPropW(frame, FrameTitleProperty));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(frame, FrameProcedureProperty);
        RemovePropW(frame, FrameTitleProperty);
        return CallWindowProcW(previous, frame, message, wParam, lParam);
    }
    LRESULT result = CallWindowProcW(previous, frame, message, wParam, lParam);
    if (message == WM_PAINT && IsWindowVisible(title))
        RedrawWindow(title, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}

void KeepTitlesClearOfFrames(HWND page, const int *titleCheckBoxes, int count)
{
    HWND titles[MAX_TITLED_FRAMES];
    RECT titleRects[MAX_TITLED_FRAMES];
    int waiting = 0;
    for (int i = 0; i < count && i < MAX_TITLED_FRAMES; ++i) {
        titles[i] = GetDlgItem(page, titleCheckBoxes[i]);
        if (!titles[i] || !GetWindowRect(titles[i], &titleRects[i]))
            titles[i] = NULL;
        else
            ++waiting;
    }
    // Each step to a sibling asks the window manager for the page's
    // controls again, so only the likely frames are visited, in one pass
    // for all the titles, until each has its frame: buttons whose own
    // caption is a blank, since the check box gives the frame its title.
    // A frame belongs to the title its top edge runs through.
    for (HWND frame = FindWindowExW(page, NULL, L"Button", TitledFrameCaption); frame && waiting;
         frame = FindWindowExW(page, frame, L"Button", TitledFrameCaption)) {
        if ((GetWindowLongW(frame, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX || GetPropW(frame, FrameProcedureProperty))
            continue;
        RECT frameRect;
        GetWindowRect(frame, &frameRect);
        for (int i = 0; i < count && i < MAX_TITLED_FRAMES; ++i) {
            const RECT &title = titleRects[i];
            bool edgeThroughTitle = frameRect.top >= title.top && frameRect.top < title.bottom &&
                                    frameRect.left < title.right && frameRect.right > title.left;
            if (!titles[i] || !edgeThroughTitle)
                continue;
            // Both properties are in place before the first message arrives.
            SetPropW(frame, FrameTitleProperty, titles[i]);
            SetPropW(frame, FrameProcedureProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrW(frame, GWLP_WNDPROC)));
            SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TitledFrameProc));
            titles[i] = NULL;
            --waiting;
            break;
        }
    }
}
