#include "bench/sheet_bench.h"

#include <stdio.h>

#include <string>

#include <commctrl.h>

#include "bench/robust.h"
#include "pages/pages.h"
#include "pages/protocol.h"
#include "resources/resource.h"
#include "settings/recordfields.h"

INT_PTR CALLBACK FloorPageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    if (message == WM_DESTROY)
        ReleaseTemplatePictures(page);
    return message == WM_INITDIALOG;
}

INT_PTR CALLBACK BarePageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

static const int PageTemplates[] = {IDD_FILE_PAGE, IDD_COLOR_PAGE, IDD_OTHER_PAGE, IDD_TRAY_PAGE, IDD_INFO_PAGE};
static const char *const PageNames[] = {"File", "Color", "Other", "Tray", "Info"};

static void CreateFloorPages(HMODULE module, HPROPSHEETPAGE (&pages)[5], DLGPROC pageProc = FloorPageProc)
{
    PROPSHEETPAGEW page;
    ZeroMemory(&page, sizeof(page));
    page.dwSize = sizeof(page);
    page.hInstance = module;
    page.pfnDlgProc = pageProc;
    for (int i = 0; i < 5; ++i) {
        page.pszTemplate = MAKEINTRESOURCEW(PageTemplates[i]);
        pages[i] = CreatePropertySheetPageW(&page);
    }
}

static HWND ShowFloorSheet(HPROPSHEETPAGE (&pages)[5])
{
    PROPSHEETHEADERW header;
    ZeroMemory(&header, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = L"Dokumentegenskaber";
    header.nPages = 5;
    header.phpage = pages;
    return reinterpret_cast<HWND>(PropertySheetW(&header));
}

HWND OpenFloorSheet(HMODULE module, DLGPROC pageProc)
{
    HPROPSHEETPAGE pages[5];
    CreateFloorPages(module, pages, pageProc);
    HWND window = ShowFloorSheet(pages);
    for (int i = 1; i < 5; ++i)
        PropSheet_SetCurSel(window, NULL, i);
    return window;
}

void Drain()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

static void TimePluginSheet(IPrintOemUI *ui, double *plugin)
{
    HostSheet sheet;
    double start = Seconds();
    OpenSheetAllPages(&sheet, ui, NULL);
    *plugin += Seconds() - start;
    CloseSheetWithOk(&sheet);
}

static void TimeFloorSheet(HMODULE module, double *floor, DLGPROC pageProc)
{
    double start = Seconds();
    HWND window = OpenFloorSheet(module, pageProc);
    *floor += Seconds() - start;
    DestroyWindow(window);
    Drain();
}

// One plug-in sheet and one floor sheet, each timed until its fifth page
// exists, in the order given; closing is not timed.
static void TimeSheetPair(IPrintOemUI *ui, HMODULE module, double *plugin, double *floor, bool floorFirst,
                          DLGPROC floorProc = FloorPageProc)
{
    if (floorFirst)
        TimeFloorSheet(module, floor, floorProc);
    TimePluginSheet(ui, plugin);
    if (!floorFirst)
        TimeFloorSheet(module, floor, floorProc);
}

// The pages must fill their lists and set their controls, which the floor's
// empty pages never do. Under Wine that platform work alone costs 5 to 12%
// of the floor sheet (ProfilePageStates, the floor that leaves the same
// pages); on top of it the pages' own code may add its 3%.
static const double SheetOpeningTarget = 1.12;

static Ratio CompareSheets(const char *key, const char *label, double target, DLGPROC floorProc,
                           IPrintOemUI *ui, HMODULE module, int reps, int count)
{
    std::vector<double> ratios, pluginTimes, floorTimes;
    for (int r = -1; r < reps; ++r) {
        double p = 0, f = 0;
        for (int i = 0; i < count; ++i)
            TimeSheetPair(ui, module, &p, &f, (r + i) % 2 != 0, floorProc);
        if (getenv("QLX_BENCH_TRACE"))
            printf("  %s rep %d: plug-in %.1f ms, floor %.1f ms\n", key, r, p * 1e3 / count, f * 1e3 / count);
        if (r < 0)
            continue; // warm-up
        ratios.push_back(p / f);
        pluginTimes.push_back(p * 1e6 / count);
        floorTimes.push_back(f * 1e6 / count);
    }
    return {key, label, target, Summarise(ratios), Summarise(pluginTimes).median, Summarise(floorTimes).median};
}

Ratio CompareSheetOpening(IPrintOemUI *ui, HMODULE module, int reps, int count)
{
    return CompareSheets("sheet_open_ratio", "open Document Properties, 5 pages", SheetOpeningTarget, FloorPageProc,
                         ui, module, reps, count);
}

// What the pages' own code may add to the platform's work.
static const double SheetOverSameStateTarget = 1.03;

Ratio CompareSheetWithSameState(IPrintOemUI *ui, HMODULE module, int reps, int count)
{
    LearnPageStates(module);
    return CompareSheets("sheet_same_state_ratio", "the same, floor leaving the same pages", SheetOverSameStateTarget,
                         SameStatePageProc, ui, module, reps, count);
}

void ProfileSheetOpening(IPrintOemUI *ui, HMODULE module, int count)
{
    enum { Devmode, Init, FirstPage, Phases = FirstPage + 5 };
    std::vector<double> plugin[Phases], floor[Phases];
    for (int i = 0; i < count; ++i) {
        HostSheet sheet;
        double t = Seconds(), next;
        HostPrepareDevmode(&sheet, ui, NULL);
        next = Seconds(), plugin[Devmode].push_back(next - t), t = next;
        HostAddPages(&sheet);
        next = Seconds(), plugin[Init].push_back(next - t), t = next;
        HostShowSheet(&sheet, L"Dokumentegenskaber");
        next = Seconds(), plugin[FirstPage].push_back(next - t), t = next;
        for (int p = 1; p < 5; ++p) {
            PropSheet_SetCurSel(sheet.window, NULL, p);
            next = Seconds(), plugin[FirstPage + p].push_back(next - t), t = next;
        }
        CloseSheetWithOk(&sheet);

        HPROPSHEETPAGE pages[5];
        t = Seconds();
        floor[Devmode].push_back(0);
        CreateFloorPages(module, pages);
        next = Seconds(), floor[Init].push_back(next - t), t = next;
        HWND window = ShowFloorSheet(pages);
        next = Seconds(), floor[FirstPage].push_back(next - t), t = next;
        for (int p = 1; p < 5; ++p) {
            PropSheet_SetCurSel(window, NULL, p);
            next = Seconds(), floor[FirstPage + p].push_back(next - t), t = next;
        }
        DestroyWindow(window);
        Drain();
    }
    printf("  where opening goes, median of %d sheets (ms)   plug-in      floor      extra\n", count);
    for (int p = 0; p < Phases; ++p) {
        char name[64];
        if (p == Devmode)
            snprintf(name, sizeof(name), "devmode size/default/merge");
        else if (p == Init)
            snprintf(name, sizeof(name), "INIT, five pages created");
        else
            snprintf(name, sizeof(name), "%s page%s", PageNames[p - FirstPage],
                     p == FirstPage ? " (PropertySheetW, first page)" : " (selected, created)");
        double pm = Summarise(plugin[p]).median * 1e3, fm = Summarise(floor[p]).median * 1e3;
        printf("    %-43s %9.2f %10.2f %+10.2f\n", name, pm, fm, pm - fm);
    }
}

// ------------------------------------------------------------ the lists

struct ProfiledPage {
    int index; // into PageTemplates
    const PageList *lists;
    const int *count;
};

static const ProfiledPage ProfiledPages[] = {
    {0, FilePageLists, &FilePageListCount},
    {1, ColorPageLists, &ColorPageListCount},
    {2, OtherPageLists, &OtherPageListCount},
    {3, TrayPageLists, &TrayPageListCount},
};

// The platform calls of one list's filling with the texts at hand: what
// any code that fills the list the same way must pay.
static void FillListFromTexts(HWND page, int control, const std::vector<std::wstring> &texts)
{
    HWND box = GetDlgItem(page, control);
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, CB_INITSTORAGE, texts.size(), texts.size() * 32 * sizeof(WCHAR));
    for (const std::wstring &text : texts)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
}

// The record field a list stands for, which names it: the last of those
// that share the list (the disposition's choice follows its result).
static const char *ListFieldName(const RecordList &entries)
{
    const char *name = "?";
    for (int i = 0; i < RecordFieldCount; ++i)
        if (RecordFields[i].list == &entries)
            name = RecordFields[i].name;
    return name;
}

// The same entries one message at a time, each finding its list again and
// redrawn as it comes: how a list is filled without those chores spared.
static void FillListEntryByEntry(HWND page, int control, const std::vector<std::wstring> &texts)
{
    for (const std::wstring &text : texts)
        SendDlgItemMessageW(page, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

static HWND CreatePageOf(HMODULE module, int index, HWND frame)
{
    return CreateDialogParamW(module, MAKEINTRESOURCEW(PageTemplates[index]), frame, FloorPageProc, 0);
}

void ProfilePageLists(HMODULE module, int count)
{
    // A visible, sheet-like frame; pages are created hidden inside it, as
    // the sheet creates them.
    HWND frame = CreateWindowExW(0, L"#32770", L"Dokumentegenskaber", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 640,
                                 720, NULL, NULL, NULL, NULL);
    printf("  the lists, median of %d fillings (us)        entries   plug-in  same calls  extra  entry by entry\n",
           count);
    double totals[3] = {0, 0, 0};
    for (const ProfiledPage &profiled : ProfiledPages) {
        int lists = *profiled.count;
        std::vector<std::vector<std::wstring>> texts(lists);
        for (int l = 0; l < lists; ++l) {
            const RecordList &entries = *profiled.lists[l].entries;
            for (int e = 0; e < RecordListCount(entries); ++e) {
                WCHAR text[LIST_ENTRY_UNITS];
                RecordListEntry(entries, e, module, text);
                texts[l].push_back(text);
            }
        }
        enum { Plugin, SameCalls, EntryByEntry, Ways };
        std::vector<std::vector<double>> times[Ways];
        for (int w = 0; w < Ways; ++w)
            times[w].resize(lists);
        for (int i = 0; i < count; ++i) {
            for (int k = 0; k < Ways; ++k) {
                int way = (k + i) % Ways;
                HWND page = CreatePageOf(module, profiled.index, frame);
                for (int l = 0; l < lists; ++l) {
                    double start = Seconds();
                    if (way == Plugin)
                        FillPageLists(page, &profiled.lists[l], 1);
                    else if (way == SameCalls)
                        FillListFromTexts(page, profiled.lists[l].control, texts[l]);
                    else
                        FillListEntryByEntry(page, profiled.lists[l].control, texts[l]);
                    times[way][l].push_back(Seconds() - start);
                }
                DestroyWindow(page);
            }
        }
        for (int l = 0; l < lists; ++l) {
            double m[Ways];
            for (int w = 0; w < Ways; ++w)
                totals[w] += m[w] = Summarise(times[w][l]).median * 1e6;
            printf("    %-5s page, %-27s %7d %9.0f %11.0f %+6.0f %14.0f\n", PageNames[profiled.index],
                   ListFieldName(*profiled.lists[l].entries), static_cast<int>(texts[l].size()), m[Plugin],
                   m[SameCalls], m[Plugin] - m[SameCalls], m[EntryByEntry]);
        }
    }
    printf("    %-45s %9.0f %11.0f %+6.0f %14.0f\n", "all lists", totals[0], totals[1], totals[0] - totals[1],
           totals[2]);
    DestroyWindow(frame);
    Drain();
}

// ------------------------------------------------------------ builds

void CompareSheetBuilds(SheetBuild *builds, int count, int reps, int sheets)
{
    // Each plug-in sheet is paired with the floor sheet timed next to it;
    // the median of those pair ratios stands against a burst of noise that
    // a sum over a repetition would take in whole.
    std::vector<std::vector<double>> ratios(count);
    for (int r = -1; r < reps; ++r) {
        // Sheet by sheet, every build in turn, the order turning each time.
        for (int i = 0; i < sheets; ++i)
            for (int k = 0; k < count; ++k) {
                int b = (k + i + (r < 0 ? 0 : r)) % count;
                double p = 0, f = 0;
                TimeSheetPair(builds[b].plugin.ui, builds[b].plugin.module, &p, &f, (r + i) % 2 != 0);
                if (r >= 0) // the first round warms up
                    ratios[b].push_back(p / f);
            }
    }
    printf("  sheet ratio of each build, %d sheets each: median [min .. max] of the pairs; against %s\n", reps * sheets,
           builds[0].name);
    for (int b = 0; b < count; ++b) {
        Spread s = builds[b].ratio = Summarise(ratios[b]);
        double relative = s.median / builds[0].ratio.median;
        builds[b].relative = {relative, relative, relative};
        printf("    %-8s %5.3f [%5.3f .. %5.3f]   %+5.1f%%  %s\n", builds[b].name, s.median, s.min, s.max,
               (relative - 1) * 100, relative <= 1.02 && relative >= 0.98 ? "within 2%" : "NOT within 2%");
    }
}
