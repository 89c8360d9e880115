// Each page's WM_INITDIALOG against the least the platform needs to leave
// the same page behind: a floor page whose procedure makes, with direct
// calls on each control, exactly the changes the plug-in's page made to the
// template (controls destroyed, lists filled and chosen, buttons checked,
// controls enabled, shown or hidden, texts and edit limits set). In a sheet
// it also pays the platform's part of what every page must do besides:
// mark the sheet changed as often as the plug-in's page did while it was
// created (the Info page's texts, set, report changes like any edit), and
// save on leaving with the registry calls of one read and one write.
#include "bench/sheet_bench.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "bench/bare_store.h"
#include "pages/pages.h"
#include "resources/resource.h"

namespace {

struct ControlChange {
    int id;
    bool destroy;
    int enable, show, check; // -1: unchanged
    std::vector<std::wstring> entries;
    int selection; // -2: unchanged
    bool setText;
    std::wstring text;
    int limit; // 0: unchanged
};

struct PageChanges {
    std::vector<ControlChange> changes;
    int marks; // PSM_CHANGED sent while the page was created
};

struct PageOfSheet {
    const char *name;
    int templateId;
    DLGPROC proc;
};

const PageOfSheet Pages[] = {
    {"File", IDD_FILE_PAGE, CFileDlgProc},   {"Color", IDD_COLOR_PAGE, CColorDlgProc},
    {"Other", IDD_OTHER_PAGE, COtherDlgProc}, {"Tray", IDD_TRAY_PAGE, CTrayDlgProc},
    {"Info", IDD_INFO_PAGE, BRIVELDocDocInfoPSDlgProc},
};

std::vector<HWND> Children(HWND page)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::wstring Text(HWND control)
{
    WCHAR text[512] = L"";
    GetWindowTextW(control, text, ARRAYSIZE(text));
    return text;
}

bool IsClass(HWND control, const wchar_t *name)
{
    WCHAR className[32] = L"";
    GetClassNameW(control, className, ARRAYSIZE(className));
    return !lstrcmpiW(className, name);
}

std::vector<std::wstring> Entries(HWND list)
{
    std::vector<std::wstring> entries;
    int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        WCHAR entry[LIST_ENTRY_UNITS] = L"";
        if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < LIST_ENTRY_UNITS)
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        entries.push_back(entry);
    }
    return entries;
}

RECT PlaceIn(HWND page, HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(NULL, page, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// What the plug-in's page changed in the template, control by control.
ControlChange Compare(HWND floorPage, HWND floor, HWND pluginPage)
{
    ControlChange change = {GetDlgCtrlID(floor), false, -1, -1, -1, {}, -2, false, L"", 0};
    RECT place = PlaceIn(floorPage, floor);
    HWND plugin = NULL;
    for (HWND candidate : Children(pluginPage)) {
        RECT other = PlaceIn(pluginPage, candidate);
        if (GetDlgCtrlID(candidate) == change.id && EqualRect(&place, &other))
            plugin = candidate;
    }
    if (!plugin) {
        change.destroy = true;
        return change;
    }
    if (!IsWindowEnabled(plugin) != !IsWindowEnabled(floor))
        change.enable = IsWindowEnabled(plugin) ? 1 : 0;
    LONG visible = GetWindowLongW(plugin, GWL_STYLE) & WS_VISIBLE;
    if (visible != (GetWindowLongW(floor, GWL_STYLE) & WS_VISIBLE))
        change.show = visible ? SW_SHOW : SW_HIDE;
    if (IsClass(plugin, L"Button")) {
        LRESULT checked = SendMessageW(plugin, BM_GETCHECK, 0, 0);
        if (checked != SendMessageW(floor, BM_GETCHECK, 0, 0))
            change.check = static_cast<int>(checked);
    }
    if (IsClass(plugin, L"ComboBox")) {
        std::vector<std::wstring> entries = Entries(plugin);
        if (entries != Entries(floor))
            change.entries = entries;
        LRESULT selection = SendMessageW(plugin, CB_GETCURSEL, 0, 0);
        if (selection != SendMessageW(floor, CB_GETCURSEL, 0, 0))
            change.selection = static_cast<int>(selection);
    } else if (Text(plugin) != Text(floor)) {
        change.setText = true;
        change.text = Text(plugin);
    }
    if (IsClass(plugin, L"Edit")) {
        LRESULT limit = SendMessageW(plugin, EM_GETLIMITTEXT, 0, 0);
        if (limit != SendMessageW(floor, EM_GETLIMITTEXT, 0, 0))
            change.limit = static_cast<int>(limit);
    }
    return change;
}

bool Changes(const ControlChange &c)
{
    return c.destroy || c.enable >= 0 || c.show >= 0 || c.check >= 0 || !c.entries.empty() || c.selection != -2 ||
           c.setText || c.limit;
}

// The changes as direct calls, lists filled the way the pages fill them.
void Apply(HWND page, const PageChanges &changes)
{
    for (const ControlChange &c : changes.changes) {
        HWND control = GetDlgItem(page, c.id);
        if (c.destroy) {
            DestroyWindow(control);
            continue;
        }
        if (!c.entries.empty()) {
            SendMessageW(control, WM_SETREDRAW, FALSE, 0);
            SendMessageW(control, CB_INITSTORAGE, c.entries.size(), c.entries.size() * 32 * sizeof(WCHAR));
            for (const std::wstring &entry : c.entries)
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
            SendMessageW(control, WM_SETREDRAW, TRUE, 0);
        }
        if (c.selection != -2)
            SendMessageW(control, CB_SETCURSEL, c.selection, 0);
        if (c.limit)
            SendMessageW(control, EM_LIMITTEXT, c.limit, 0);
        if (c.setText)
            SetWindowTextW(control, c.text.c_str());
        if (c.check >= 0)
            SendMessageW(control, BM_SETCHECK, c.check, 0);
        if (c.enable >= 0)
            EnableWindow(control, c.enable);
        if (c.show >= 0)
            ShowWindow(control, c.show);
    }
}

HWND CreatePage(HMODULE module, const PageOfSheet &page, HWND frame, DLGPROC proc)
{
    // The page procedures take their PROPSHEETPAGEW; without the sheet's
    // block they read the store themselves.
    static PROPSHEETPAGEW description;
    description.dwSize = sizeof(description);
    description.pszTemplate = MAKEINTRESOURCEW(page.templateId);
    return CreateDialogParamW(module, MAKEINTRESOURCEW(page.templateId), frame, proc,
                              reinterpret_cast<LPARAM>(&description));
}

// The marks a page sends its frame while it is learned.
int MarksSeen;
WNDPROC FrameProcedure;

LRESULT CALLBACK CountingFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PSM_CHANGED)
        ++MarksSeen;
    return CallWindowProcW(FrameProcedure, frame, message, wParam, lParam);
}

HWND CreateFrame()
{
    // Visible and sheet-like; pages are created hidden inside it, as the
    // sheet creates them.
    HWND frame = CreateWindowExW(0, L"#32770", L"Dokumentegenskaber", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0,
                                 640, 720, NULL, NULL, NULL, NULL);
    FrameProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingFrameProc)));
    return frame;
}

// What each page changes, as learned for one module, and whether the floor
// that makes those changes left every control just as the page did.
const int PageCount = ARRAYSIZE(Pages);
PageChanges LearnedChanges[PageCount];
bool LearnedSame[PageCount];
HMODULE LearnedModule;

void TraceChanges(const PageChanges &changes)
{
    if (!getenv("QLX_BENCH_TRACE"))
        return;
    printf("      %d marks\n", changes.marks);
    for (const ControlChange &c : changes.changes)
        printf("      control %d:%s enable %d show %d check %d entries %d selection %d text %d limit %d\n", c.id,
               c.destroy ? " destroyed" : "", c.enable, c.show, c.check, static_cast<int>(c.entries.size()),
               c.selection, c.setText, c.limit);
}

} // namespace

INT_PTR CALLBACK SameStatePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam) {
        LPCWSTR pageTemplate = reinterpret_cast<const PROPSHEETPAGEW *>(lParam)->pszTemplate;
        for (int i = 0; i < PageCount; ++i) {
            if (pageTemplate != MAKEINTRESOURCEW(Pages[i].templateId))
                continue;
            Apply(page, LearnedChanges[i]);
            for (int mark = 0; mark < LearnedChanges[i].marks; ++mark)
                SendMessageW(GetParent(page), PSM_CHANGED, 0, 0);
        }
    }
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR *>(lParam)->code == PSN_KILLACTIVE) {
        UserOptions record;
        BareStoreRead(BENCH_SHEET_PRINTER, &record);
        BareStoreWrite(BENCH_SHEET_PRINTER, record);
    }
    return FloorPageProc(page, message, wParam, lParam);
}

bool LearnPageStates(HMODULE module)
{
    HWND frame = CreateFrame();
    bool allSame = true;
    for (int i = 0; i < PageCount; ++i) {
        HWND floorPage = CreatePage(module, Pages[i], frame, FloorPageProc);
        MarksSeen = 0;
        HWND pluginPage = CreatePage(module, Pages[i], frame, Pages[i].proc);
        LearnedChanges[i].marks = MarksSeen;
        LearnedChanges[i].changes.clear();
        for (HWND child : Children(floorPage)) {
            ControlChange change = Compare(floorPage, child, pluginPage);
            if (Changes(change))
                LearnedChanges[i].changes.push_back(change);
        }
        TraceChanges(LearnedChanges[i]);
        HWND sameStatePage = CreatePage(module, Pages[i], frame, SameStatePageProc);
        LearnedSame[i] = true;
        for (HWND child : Children(sameStatePage))
            if (Changes(Compare(sameStatePage, child, pluginPage)))
                LearnedSame[i] = false;
        allSame = allSame && LearnedSame[i];
        DestroyWindow(sameStatePage);
        DestroyWindow(pluginPage);
        DestroyWindow(floorPage);
    }
    DestroyWindow(frame);
    Drain();
    LearnedModule = module;
    return allSame;
}

void ProfilePageStates(HMODULE module, int count)
{
    if (LearnedModule != module)
        LearnPageStates(module);
    HWND frame = CreateFrame();
    printf("  each page created, median of %d (ms)   plug-in  same state      floor   plug-in's own  platform's\n",
           count);
    double totals[3] = {0, 0, 0};
    for (int p = 0; p < PageCount; ++p) {
        const DLGPROC procs[3] = {Pages[p].proc, SameStatePageProc, FloorPageProc};
        std::vector<double> times[3];
        for (int i = 0; i < count; ++i)
            for (int k = 0; k < 3; ++k) {
                int kind = (k + i) % 3;
                double start = Seconds();
                HWND created = CreatePage(module, Pages[p], frame, procs[kind]);
                times[kind].push_back(Seconds() - start);
                DestroyWindow(created);
            }
        double m[3];
        for (int k = 0; k < 3; ++k)
            totals[k] += m[k] = Summarise(times[k]).median * 1e3;
        printf("    %-5s page, %2d controls changed %12.2f %10.2f %10.2f %+15.2f %+11.2f%s\n", Pages[p].name,
               static_cast<int>(LearnedChanges[p].changes.size()), m[0], m[1], m[2], m[0] - m[1], m[1] - m[2],
               LearnedSame[p] ? "" : "  (NOT the same state)");
    }
    printf("    %-31s %12.2f %10.2f %10.2f %+15.2f %+11.2f\n", "five pages", totals[0], totals[1], totals[2],
           totals[0] - totals[1], totals[1] - totals[2]);
    DestroyWindow(frame);
    Drain();
}
