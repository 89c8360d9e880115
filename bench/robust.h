// Measuring tools that the benchmark program and the robustness tests share:
// a seeded generator, the process's resource counters, guard-paged buffers,
// the whole sheet cycle, the leak run and the two fuzzers.
#pragma once

#include <stdint.h>

#include <string>

#include "host/crash_report.h"
#include "host/sheet_host.h"
#include "settings/useroptions.h"

// xorshift64*: the same sequence on both architectures and every compiler,
// which std::uniform_int_distribution does not promise.
class Rng {
public:
    explicit Rng(uint64_t seed);
    uint64_t Next();
    uint32_t Below(uint32_t bound); // 0 .. bound-1
    bool Percent(uint32_t percent);
    void Fill(void *data, size_t size);

private:
    uint64_t state;
};

// QLX_SEED when it is set (to replay a run), else a fresh one.
uint64_t ChooseSeed();

// Each figure says where it came from: Wine answers some of the counting
// APIs with 0, and then a weaker count stands in for them.
struct ResourceCounts {
    DWORD userObjects;    // GetGuiResources, or the process's windows
    DWORD gdiObjects;     // GetGuiResources only
    DWORD handles;        // GetProcessHandleCount, or a probe of handle values
    SIZE_T privateBytes;  // committed private memory, walked with VirtualQuery
    SIZE_T pagefileUsage; // GetProcessMemoryInfo's figure, for comparison
    const char *userSource;
    const char *gdiSource;
    const char *handlesSource;
};
ResourceCounts CountResources();

// size usable bytes that end exactly where a no-access page begins, so the
// first byte written or read behind them faults. The rest of the page in
// front is filled with a pattern that FrontIntact checks.
class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t size);
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer &) = delete;
    GuardedBuffer &operator=(const GuardedBuffer &) = delete;
    BYTE *Data() const { return data; }
    bool FrontIntact() const;

private:
    BYTE *base;
    size_t reserved;
    BYTE *data;
};

// Document Properties opened the host's way, then every page selected once,
// so that all five have run WM_INITDIALOG. False when any step failed.
bool OpenSheetAllPages(HostSheet *sheet, IPrintOemUI *ui, HANDLE hPrinter);
// OK, the sheet pumped until it is gone, then PROPSHEETUI_REASON_DESTROY.
bool CloseSheetWithOk(HostSheet *sheet);
// Open, visit the five pages, OK.
bool RunSheetCycle(IPrintOemUI *ui);

struct LeakReport {
    int cycles;
    int failedCycles;  // a cycle whose sheet did not open or close
    int driftedCycles; // USER or GDI count not back at its baseline after a cycle
    std::string firstDrift;
    ResourceCounts baseline;
    ResourceCounts final;
    long long privateGrowth;
    long long userGrowth;
    long long gdiGrowth;
    long long handleGrowth;
};
// Two warm-up cycles first: the first sheet of a process registers window
// classes, loads comctl32's images and caches fonts, which is no leak.
LeakReport RunLeakCycles(IPrintOemUI *ui, int cycles);

struct FuzzReport {
    uint64_t seed;
    int cases;
    int failures;
    std::string firstFailure;
};

// Random "User Info" values under HKLM\SYSTEM\Printers\<name>, each read
// back with the store's reader into a guarded record.
FuzzReport FuzzStoreReader(uint64_t seed, int cases, const wchar_t *name);
// Random headers and cbBufSize values through IPrintOemUI::DevMode, both
// extensions guarded.
FuzzReport FuzzDevMode(IPrintOemUI *ui, uint64_t seed, int cases);

// The full default record, as the store and the devmode handler write it.
UserOptions FullDefaultRecord();

