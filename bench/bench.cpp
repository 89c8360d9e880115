// qlxbench: the plug-in's paths timed against what the platform needs at
// least for the same work, in one process and interleaved, so that a noisy
// machine slows both sides alike. Then the leak cycles with the control run
// that proves the GDI counter, memory growth per sheet, and both fuzzers.
//
//   qlxbench.exe PLUGIN.dll ARCH OUT.json [reps] [leak cycles] [fuzz cases]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/bare_store.h"
#include "bench/robust.h"
#include "bench/sheet_bench.h"

#include <commctrl.h>

#include "host/platform_kind.h"
#include "host/test_names.h"
#include "platform/module.h"
#include "settings/store.h"

namespace {

template <typename Work> double TimeLoop(int count, Work work)
{
    double start = Seconds();
    for (int i = 0; i < count; ++i)
        work();
    return Seconds() - start;
}

// One repetition times the floor and the plug-in in alternating blocks, so
// that a burst of noise on this shared machine lands on both sides alike.
template <typename PluginWork, typename FloorWork>
Ratio Compare(const char *key, const char *label, double target, int reps, int count, PluginWork plugin,
              FloorWork floor)
{
    const int blocks = 10;
    std::vector<double> ratios, pluginTimes, floorTimes;
    plugin();
    floor();
    for (int r = 0; r < reps; ++r) {
        double p = 0, f = 0;
        for (int b = 0; b < blocks; ++b) {
            if ((r + b) % 2) {
                f += TimeLoop(count / blocks, floor);
                p += TimeLoop(count / blocks, plugin);
            } else {
                p += TimeLoop(count / blocks, plugin);
                f += TimeLoop(count / blocks, floor);
            }
        }
        ratios.push_back(p / f);
        pluginTimes.push_back(p * 1e6 / count);
        floorTimes.push_back(f * 1e6 / count);
    }
    return {key, label, target, Summarise(ratios), Summarise(pluginTimes).median, Summarise(floorTimes).median};
}

// The floor's callee: the same work a devmode call must do at least, behind
// a virtual call the compiler cannot see through.
struct FloorCallee {
    virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) = 0;
};
struct CopyingCallee : FloorCallee {
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) override
    {
        if (mode == OEMDM_DEFAULT)
            memset(param->pOEMDMOut, 0, param->cbBufSize);
        else
            memcpy(param->pOEMDMOut, param->pOEMDMIn, param->cbBufSize);
        return S_OK;
    }
};
CopyingCallee TheCallee;
FloorCallee *volatile Callee = &TheCallee;

// Wine's process-wide anonymous memory (what GetProcessMemoryInfo calls
// pagefile usage) also holds what the Unix side allocates for windows and
// GDI objects, which VirtualQuery cannot see. Its growth per sheet, for the
// plug-in's sheet and the floor's, in blocks taken in turn (the order
// reversed every round) so that the heap's own steps land on all alike.
enum SheetKind { PluginSheet, FloorSheet, BareFloorSheet, SheetKinds };

struct SheetMemory {
    Spread pagefileBytes; // per sheet, over the blocks
    double gdiObjects;    // per sheet, median over the blocks
};

void RunSheetOfKind(SheetKind kind, IPrintOemUI *ui, HMODULE module)
{
    if (kind == PluginSheet) {
        RunSheetCycle(ui);
        return;
    }
    DestroyWindow(OpenFloorSheet(module, kind == FloorSheet ? FloorPageProc : BarePageProc));
    Drain();
}

void MeasureSheetMemory(IPrintOemUI *ui, HMODULE module, int rounds, int block, SheetMemory (&out)[SheetKinds])
{
    std::vector<double> bytes[SheetKinds], gdi[SheetKinds];
    for (int r = 0; r < rounds; ++r) {
        for (int k = 0; k < SheetKinds; ++k) {
            SheetKind kind = static_cast<SheetKind>(r % 2 ? SheetKinds - 1 - k : k);
            ResourceCounts before = CountResources();
            for (int i = 0; i < block; ++i)
                RunSheetOfKind(kind, ui, module);
            ResourceCounts after = CountResources();
            bytes[kind].push_back((static_cast<double>(after.pagefileUsage) - before.pagefileUsage) / block);
            gdi[kind].push_back((static_cast<double>(after.gdiObjects) - before.gdiObjects) / block);
        }
    }
    for (int k = 0; k < SheetKinds; ++k)
        out[k] = {Summarise(bytes[k]), Summarise(gdi[k]).median};
}

Spread TimeSheetCycles(IPrintOemUI *ui, int reps, int count)
{
    std::vector<double> millis;
    for (int r = 0; r < reps; ++r) {
        double start = Seconds();
        for (int i = 0; i < count; ++i)
            RunSheetCycle(ui);
        millis.push_back((Seconds() - start) * 1e3 / count);
    }
    return Summarise(millis);
}

long long FileBytes(const wchar_t *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

typedef LONG(WINAPI *GetVersionProc)(OSVERSIONINFOEXW *);

// The Windows version the figures were taken on, as "5.1.2600 Service Pack
// 3". RtlGetVersion tells the truth where GetVersionEx answers an
// unmanifested program with 6.2 (Windows 8.1 on); Windows 2000 may lack it.
std::string WindowsVersion()
{
    OSVERSIONINFOEXW version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionProc rtlGetVersion =
        HostProcAs<GetVersionProc>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"));
    if (!rtlGetVersion || rtlGetVersion(&version) != 0)
        GetVersionExW(reinterpret_cast<OSVERSIONINFOW *>(&version));
    char text[200];
    snprintf(text, sizeof(text), "%lu.%lu.%lu%s%ls", static_cast<unsigned long>(version.dwMajorVersion),
             static_cast<unsigned long>(version.dwMinorVersion), static_cast<unsigned long>(version.dwBuildNumber),
             version.szCSDVersion[0] ? " " : "", version.szCSDVersion);
    // The figures go into JSON strings: nothing that needs escaping.
    for (char *c = text; *c; ++c)
        if (*c == '"' || *c == '\\' || static_cast<unsigned char>(*c) < 0x20)
            *c = ' ';
    return text;
}

int Argument(int argc, char **argv, int index, int fallback)
{
    return argc > index ? atoi(argv[index]) : fallback;
}


const char Usage[] =
    "usage: qlxbench PLUGIN.dll ARCH OUT.json [reps] [leak cycles] [fuzz cases] [BUILD.dll ...]\n"
    "       qlxbench --sheet REPS SHEETS PLUGIN.dll [BUILD.dll ...]\n"
    "BUILD.dll: language builds whose sheet ratios are compared, the first (Danish) with each;\n"
    "--sheet: only the sheet's opening, page by page and list by list, SHEETS sheets a repetition\n";

// A build by the folder it lies in (dist/<arch>/<code>/qlx4120ui.dll).
std::string BuildName(const char *path)
{
    std::string name(path);
    size_t end = name.find_last_of("/\\");
    if (end == std::string::npos)
        return name;
    size_t start = name.find_last_of("/\\", end - 1);
    return name.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

bool LoadBenchPlugin(const char *path, HostPlugin *plugin)
{
    wchar_t windowsPath[MAX_PATH];
    HostWindowsPath(path, windowsPath, MAX_PATH);
    if (!HostLoadPlugin(windowsPath, plugin)) {
        fprintf(stderr, "cannot load %s\n", path);
        return false;
    }
    // The pages key the store by this name; the store paths use their own.
    plugin->ui->PrinterEvent(const_cast<PWSTR>(BENCH_SHEET_PRINTER), 0, 0, 0);
    return true;
}

// The language builds, loaded side by side, their sheets compared; the
// figures as JSON members into json.
bool CompareBuilds(int count, char **paths, int reps, int sheets, std::string *json = NULL)
{
    if (count < 2)
        return true;
    std::vector<SheetBuild> builds(count);
    std::vector<std::string> names(count);
    for (int i = 0; i < count; ++i) {
        names[i] = BuildName(paths[i]);
        builds[i].name = names[i].c_str();
        if (!LoadBenchPlugin(paths[i], &builds[i].plugin))
            return false;
    }
    CompareSheetBuilds(builds.data(), count, reps, sheets);
    for (SheetBuild &build : builds) {
        char member[160];
        snprintf(member, sizeof(member), "%s\"%s\": {\"sheet_open_ratio\": %.3f, \"against_first\": %.3f}",
                 json && !json->empty() ? ", " : "", build.name, build.ratio.median, build.relative.median);
        if (json)
            *json += member;
        build.plugin.ui->Release();
    }
    return true;
}

void PrintRatio(const Ratio &r)
{
    printf("  %-36s %8.2fus %8.2fus  %5.2f [%5.2f .. %5.2f]   <= %4.2f  %s\n", r.label, r.pluginMicros, r.floorMicros,
           r.ratio.median, r.ratio.min, r.ratio.max, r.target, r.ratio.median <= r.target ? "yes" : "NO");
}

// The quick run: the sheet ratio, where opening goes and the builds.
int SheetOnly(int reps, int sheets, int count, char **paths)
{
    InstallCrashReporter();
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HostPlugin plugin;
    if (reps < 1 || sheets < 1 || !LoadBenchPlugin(paths[0], &plugin)) {
        fprintf(stderr, "%s", Usage);
        return 2;
    }
    // The pages code linked into this program loads its strings from here.
    ModuleInstance = plugin.module;
    PrintRatio(CompareSheetOpening(plugin.ui, plugin.module, reps, sheets));
    PrintRatio(CompareSheetWithSameState(plugin.ui, plugin.module, reps, sheets));
    ProfileSheetOpening(plugin.ui, plugin.module, reps * sheets);
    ProfilePageLists(plugin.module, reps * sheets);
    ProfilePageStates(plugin.module, reps * sheets);
    bool loaded = CompareBuilds(count - 1, paths + 1, reps, sheets);
    DeleteUserInfo(BENCH_SHEET_PRINTER);
    plugin.ui->Release();
    return loaded ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 5 && !strcmp(argv[1], "--sheet"))
        return SheetOnly(atoi(argv[2]), atoi(argv[3]), argc - 4, argv + 4);
    if (argc < 4) {
        fprintf(stderr, "%s", Usage);
        return 2;
    }
    const char *arch = argv[2];
    const char *jsonPath = argv[3];
    // Fewer repetitions than the default give figures too rough to judge
    // by, but prove a kit's script in seconds; the table says how many ran.
    int reps = std::max(1, Argument(argc, argv, 4, 9));
    int cycles = Argument(argc, argv, 5, 1000);
    int fuzzCases = Argument(argc, argv, 6, 100000);

    InstallCrashReporter();
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    wchar_t dllPath[MAX_PATH];
    HostWindowsPath(argv[1], dllPath, MAX_PATH);
    HostPlugin plugin;
    if (!LoadBenchPlugin(argv[1], &plugin))
        return 1;
    IPrintOemUI *ui = plugin.ui;
    ModuleInstance = plugin.module;
    const wchar_t *storeName = HOST_TEST_NAME(L"Bench Store");
    UserOptions record = FullDefaultRecord();
    SetUserInfo(&record, storeName);

    std::vector<Ratio> ratios;
    ratios.push_back(Compare(
        "store_read_ratio", "GetUserInfo, existing record", 1.15, reps, 4000,
        [&] { GetUserInfo(&record, storeName); },
        [&] { BareStoreRead(storeName, &record); }));
    ratios.push_back(Compare(
        "store_write_ratio", "SetUserInfo", 1.15, reps, 2000, [&] { SetUserInfo(&record, storeName); },
        [&] { BareStoreWrite(storeName, record); }));

    static PrivateDevmode in, out;
    OEMDMPARAM dm;
    ZeroMemory(&dm, sizeof(dm));
    dm.cbSize = sizeof(dm);
    dm.cbBufSize = sizeof(PrivateDevmode);
    dm.pOEMDMIn = &in;
    dm.pOEMDMOut = &out;
    ui->DevMode(OEMDM_DEFAULT, &dm);
    in = out;
    ratios.push_back(Compare(
        "devmode_default_ratio", "DevMode OEMDM_DEFAULT", 2.0, reps, 20000,
        [&] { ui->DevMode(OEMDM_DEFAULT, &dm); }, [&] { Callee->DevMode(OEMDM_DEFAULT, &dm); }));
    ratios.push_back(Compare(
        "devmode_convert_ratio", "DevMode OEMDM_CONVERT", 2.0, reps, 20000,
        [&] { ui->DevMode(OEMDM_CONVERT, &dm); }, [&] { Callee->DevMode(OEMDM_CONVERT, &dm); }));

    ratios.push_back(CompareSheetOpening(ui, plugin.module, reps, 5));
    ratios.push_back(CompareSheetWithSameState(ui, plugin.module, reps, 5));
    Spread cycle = TimeSheetCycles(ui, reps, 5);
    long long dllBytes = FileBytes(dllPath);

    double started = Seconds();
    LeakReport leak = RunLeakCycles(ui, cycles);
    double leakSeconds = Seconds() - started;
    // The same count with no sheet and one bitmap leaked a cycle on purpose:
    // the GDI figure above is believed only if this one reads every bitmap.
    LeakReport control = RunLeakCycles(NULL, cycles, 1);
    bool controlHolds = control.gdiGrowth == control.bitmapsPlanted && control.bitmapsPlanted == cycles &&
                        !control.driftedCycles;

    const int memoryRounds = 5;
    const int memoryBlock = std::max(1, std::min(cycles, 100) / memoryRounds);
    SheetMemory memory[SheetKinds];
    MeasureSheetMemory(ui, plugin.module, memoryRounds, memoryBlock, memory);

    started = Seconds();
    FuzzReport storeFuzz = FuzzStoreReader(ChooseSeed(), fuzzCases, HOST_TEST_NAME(L"Bench Fuzz"));
    FuzzReport devmodeFuzz = FuzzDevMode(ui, ChooseSeed(), fuzzCases);
    double fuzzSeconds = Seconds() - started;

    const char *wine = HostWineVersion();
    char platform[64] = "Windows";
    if (wine)
        snprintf(platform, sizeof(platform), "Wine %s", wine);
    printf("\n%s on %s: %d repetitions, median [min .. max]\n", arch, platform, reps);
    printf("  %-36s %10s %10s  %-24s %6s  %s\n", "path", "plug-in", "floor", "ratio", "target", "met");
    for (const Ratio &r : ratios)
        PrintRatio(r);
    ProfileSheetOpening(ui, plugin.module, reps);
    ProfilePageLists(plugin.module, reps);
    ProfilePageStates(plugin.module, reps);
    std::string buildsJson;
    bool buildsLoaded = CompareBuilds(argc - 7, argv + 7, reps, 2, &buildsJson);
    printf("  %-36s %8.1f ms [%.1f .. %.1f]\n", "sheet cycle (open, 5 pages, OK)", cycle.median, cycle.min,
           cycle.max);
    printf("  %-36s %lld bytes\n", "DLL size", dllBytes);
    printf("  leak, %d cycles in %.0f s: %d cycles failed, %d off the USER/GDI baseline (%lu/%lu)%s%s\n",
           leak.cycles, leakSeconds, leak.failedCycles, leak.driftedCycles,
           static_cast<unsigned long>(leak.baseline.userObjects), static_cast<unsigned long>(leak.baseline.gdiObjects),
           leak.driftedCycles ? ", first: " : "", leak.firstDrift.c_str());
    printf("    %-34s %+lld (VirtualQuery)\n", "private bytes", leak.privateGrowth);
    printf("    %-34s %+lld (%s)\n", "USER objects", leak.userGrowth, leak.final.userSource);
    printf("    %-34s %+lld (%s)\n", "GDI objects", leak.gdiGrowth, leak.final.gdiSource);
    printf("    %-34s %+lld (%s)\n", "handles", leak.handleGrowth, leak.final.handlesSource);
    printf("    %-34s %+lld KiB (GetProcessMemoryInfo)\n", "pagefile usage",
           (static_cast<long long>(leak.final.pagefileUsage) - static_cast<long long>(leak.baseline.pagefileUsage)) /
               1024);
    printf("  control, %d cycles leaking one bitmap each: GDI %+lld (%s), %d cycles off the count: %s\n",
           control.cycles, control.gdiGrowth, control.final.gdiSource, control.driftedCycles,
           controlHolds ? "the counter sees every bitmap" : "THE GDI COUNTER MISSES LEAKS");
    printf("  pagefile usage per sheet, median [min .. max] of %d blocks of %d sheets:\n", memoryRounds,
           memoryBlock);
    static const char *const kindNames[SheetKinds] = {"plug-in sheet", "floor sheet",
                                                      "floor sheet keeping its pictures"};
    for (int k = 0; k < SheetKinds; ++k)
        printf("    %-34s %+8.0f [%+.0f .. %+.0f] bytes, GDI objects %+.1f\n", kindNames[k],
               memory[k].pagefileBytes.median, memory[k].pagefileBytes.min, memory[k].pagefileBytes.max,
               memory[k].gdiObjects);
    for (const FuzzReport *f : {&storeFuzz, &devmodeFuzz})
        printf("  fuzz %-8s seed 0x%016llx: %d cases, %d failed%s%s\n", f == &storeFuzz ? "store" : "devmode",
               static_cast<unsigned long long>(f->seed), f->cases, f->failures, f->failures ? "; first: " : "",
               f->firstFailure.c_str());
    printf("  (fuzzing took %.0f s)\n", fuzzSeconds);

    wchar_t jsonWindowsPath[MAX_PATH];
    HostWindowsPath(jsonPath, jsonWindowsPath, MAX_PATH);
    FILE *json = _wfopen(jsonWindowsPath, L"w");
    if (!json) {
        fprintf(stderr, "cannot write %s\n", jsonPath);
        return 1;
    }
    fprintf(json, "{\"platform\": \"%s\", ", platform);
    for (const Ratio &r : ratios)
        fprintf(json, "\"%s\": %.3f, ", r.key, r.ratio.median);
    fprintf(json,
            "\"sheet_cycle_ms\": %.2f, \"dll_bytes\": %lld, \"leak_cycles\": %d, \"leak_private_bytes\": %lld, "
            "\"leak_user_objects\": %lld, \"leak_gdi_objects\": %lld, \"leak_handles\": %lld, "
            "\"leak_counters\": {\"private_bytes\": \"VirtualQuery\", \"user_objects\": \"%s\", "
            "\"gdi_objects\": \"%s\", \"handles\": \"%s\"}, "
            "\"gdi_control\": {\"cycles\": %d, \"bitmaps_leaked\": %d, \"gdi_objects\": %lld}, "
            "\"pagefile_bytes_per_sheet\": {\"plugin\": %.0f, \"floor\": %.0f, \"floor_keeping_pictures\": %.0f}",
            cycle.median, dllBytes, leak.cycles, leak.privateGrowth, leak.userGrowth, leak.gdiGrowth,
            leak.handleGrowth, leak.final.userSource, leak.final.gdiSource, leak.final.handlesSource, control.cycles,
            control.bitmapsPlanted, control.gdiGrowth, memory[PluginSheet].pagefileBytes.median,
            memory[FloorSheet].pagefileBytes.median, memory[BareFloorSheet].pagefileBytes.median);
    fprintf(json, ", \"sheet_open_ratio_by_build\": {%s}", buildsJson.c_str());
    fprintf(json, ", \"windows\": \"%s\", \"wine\": %s%s%s}", WindowsVersion().c_str(), wine ? "\"" : "",
            wine ? wine : "null", wine ? "\"" : "");
    fclose(json);

    DeleteUserInfo(storeName);
    DeleteUserInfo(BENCH_SHEET_PRINTER);
    ui->Release();
    bool clean = buildsLoaded && !storeFuzz.failures && !devmodeFuzz.failures && !leak.failedCycles && controlHolds;
    return clean ? 0 : 1;
}
