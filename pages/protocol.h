// What every page of the sheet does alike: keeping the host's blocks, saving
// its section when left, reporting Apply, wiping the identity fields on
// Cancel and marking the sheet changed; plus the control chores the pages
// share.
#pragma once

#include "pages/sheet.h"
#include "settings/recordfields.h"

// The host's blocks as a page keeps them from WM_INITDIALOG until the next
// page of its kind is created.
struct PageHost {
    POEMUIPSPARAM param;
    PVOID pOEMDM;
};

// WM_INITDIALOG: lParam is the page's PROPSHEETPAGEW, whose lParam is the
// sheet's OEMUIPSPARAM.
void CapturePageHost(PageHost *host, LPARAM lParam);

typedef void (*ReadSectionProc)(HWND page, UserOptions &options);

// PSN_KILLACTIVE, PSN_APPLY and PSN_QUERYCANCEL, alike for every page:
// - leaving the page reads the store, lets read overwrite the page's own
//   fields, and writes the record back;
// - Apply reports CPSUI_OK for this page's own handle;
// - Cancel clears owner, passwords, account number and the two Info flags
//   in the stored record; everything else, the comment included, stays.
// Always FALSE: a page may always be left, Apply and Cancel always succeed.
BOOL HandlePageNotify(HWND page, LPARAM lParam, const PageHost &host, PageIndex index, ReadSectionProc read);

// Sends PSM_CHANGED to the sheet frame and returns TRUE, the result of every
// command a page handles.
BOOL MarkSheetChanged(HWND page);

// WM_DESTROY of every page and dialog: the static controls that show a
// template's pictures load the bitmaps themselves, and Wine's never delete
// them, so each page or dialog closed would leave its pictures behind. The
// window takes them back from its controls and deletes them; a control left
// without a picture has nothing to delete on Windows either.
void ReleaseTemplatePictures(HWND window);

// WM_INITDIALOG of a page whose check box titles a group box: the check box
// sits on the box's top edge, above it in z-order and WS_EX_TRANSPARENT, so
// that Windows paints it after the box and its background hides the frame
// line. Wine paints siblings in z-order, the box after the check box, and
// the line runs through the title. The box is subclassed to have the title
// repainted after every paint of its own, so the title reads clearly
// whichever order the system paints in; where the order was right already,
// the title is only painted once more, the same. All the page's titles are
// given at once (at most MAX_TITLED_FRAMES).
#define MAX_TITLED_FRAMES 4
void KeepTitlesClearOfFrames(HWND page, const int *titleCheckBoxes, int count);

// A drop-down list of a page and the record list whose entries it shows;
// each page names its lists once, in a table its fill routine walks.
struct PageList {
    int control;
    const RecordList *entries;
};

// Fills each list of the table with its entries, as the field table makes
// them, at WM_INITDIALOG. The list's window is looked up once, not once per
// entry, and it neither redraws nor updates its scroll bar while it grows:
// with a hundred entries a sheet, those per-entry chores of the platform
// were most of what the pages added to opening the sheet.
void FillPageLists(HWND page, const PageList *lists, int count);

// Control chores.
// A string of the module into text, which holds LIST_ENTRY_UNITS units.
void LoadListString(UINT id, WCHAR *text);
// Appends one entry of a record list, as the field table makes it.
void AddRecordListEntry(HWND page, int list, const RecordList &entries, int position);
void SelectListEntry(HWND page, int list, LONG index);
LONG SelectedListEntry(HWND page, int list);
void SetChecked(HWND page, int button, bool checked);
bool IsChecked(HWND page, int button);
LONG CheckedFlag(HWND page, int button);
void EnableControl(HWND page, int control, bool enabled);
// The same for a control that is both set and enabled: each look-up of a
// control by its id asks the window manager for the page's controls, so a
// control the page sets twice is looked up once.
void SelectEnabledListEntry(HWND page, int list, LONG index, bool enabled);
void SetCheckedEnabled(HWND page, int button, bool checked, bool enabled);
void ShowControl(HWND page, int control, bool shown);
