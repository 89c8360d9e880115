// Opening Document Properties, timed against the floor: a sheet of the same
// five templates whose pages run nothing. The sheet as a whole, page by
// page, list by list, and the language builds side by side.
#pragma once

#include "bench/measure.h"
#include "host/plugin_host.h"
#include "host/test_names.h"

// The printer whose store key the benchmark's sheets use.
#define BENCH_SHEET_PRINTER HOST_TEST_NAME(L"Bench Sheet")

// The floor's page procedure: it only gives back the pictures its static
// controls loaded, which Wine's controls keep for ever.
INT_PTR CALLBACK FloorPageProc(HWND page, UINT message, WPARAM, LPARAM);
// The same page as the platform leaves it, pictures and all.
INT_PTR CALLBACK BarePageProc(HWND, UINT message, WPARAM, LPARAM);

// A floor sheet of module's templates with all five pages created.
HWND OpenFloorSheet(HMODULE module, DLGPROC pageProc = FloorPageProc);
// Dispatches what is pending, so that destroyed sheets are gone.
void Drain();

// The plug-in's sheet until its fifth page ran WM_INITDIALOG, against the
// floor's, in reps repetitions of count sheets each, taken in turn.
Ratio CompareSheetOpening(IPrintOemUI *ui, HMODULE module, int reps, int count);

// Where opening goes: the devmode and INIT calls, then each page's
// creation (its WM_INITDIALOG included), plug-in against floor.
void ProfileSheetOpening(IPrintOemUI *ui, HMODULE module, int count);

// Each list of each page filled as the page fills it, against the same
// platform calls with the texts at hand and against adding the entries one
// message at a time with redraw on, on pages made from module's
// templates (module must be the build the benchmark's pages code loads its
// strings from).
void ProfilePageLists(HMODULE module, int count);

// A floor page procedure that makes, with direct calls on each control, the
// changes the plug-in's page of the same template makes (as LearnPageStates
// learned them): the least the platform needs to leave the same page.
INT_PTR CALLBACK SameStatePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Learns what each of module's pages changes in its template; false when
// the floor cannot leave some page exactly as the plug-in does.
bool LearnPageStates(HMODULE module);

// The plug-in's sheet against a floor sheet whose pages leave the same
// state (SameStatePageProc): what the pages' own code adds.
Ratio CompareSheetWithSameState(IPrintOemUI *ui, HMODULE module, int reps, int count);

// Each page created on its own, three ways: by the plug-in's page
// procedure; by a floor procedure that makes the same changes to the
// template with direct calls (the platform's cost of the state the page
// must leave); by the floor procedure alone. module as for ProfilePageLists.
void ProfilePageStates(HMODULE module, int count);

// The sheet ratio of each build, the builds taken in turn sheet by sheet,
// and each build's ratio against the first one's. The first build is the
// one the others are held to (the Danish one).
struct SheetBuild {
    const char *name;
    HostPlugin plugin;
    Spread ratio;    // the build's sheets against the floor sheets beside them
    Spread relative; // its median against the first build's
};
void CompareSheetBuilds(SheetBuild *builds, int count, int reps, int sheets);
