#include "bench/robust.h"

#include <stdarg.h>
#include <stdio.h>

#include <vector>

#include <commctrl.h>
#include <psapi.h>

#include "host/platform_kind.h"
#include "platform/module.h"
#include "settings/store.h"

// ------------------------------------------------------------------ numbers

Rng::Rng(uint64_t seed) : state(seed ? seed : 0x9E3779B97F4A7C15ull) {}

uint64_t Rng::Next()
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1Dull;
}

uint32_t Rng::Below(uint32_t bound)
{
    return bound ? static_cast<uint32_t>((Next() >> 32) % bound) : 0;
}

bool Rng::Percent(uint32_t percent)
{
    return Below(100) < percent;
}

void Rng::Fill(void *data, size_t size)
{
    BYTE *bytes = static_cast<BYTE *>(data);
    while (size >= 8) {
        uint64_t word = Next();
        CopyMemory(bytes, &word, 8);
        bytes += 8;
        size -= 8;
    }
    if (size) {
        uint64_t word = Next();
        CopyMemory(bytes, &word, size);
    }
}

// A seed as the reports print it (0x and hex digits) or in decimal. Parsed
// here: the C runtime's 64-bit parser is missing from Windows 2000's.
static uint64_t ParseSeed(const char *text)
{
    unsigned radix = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        radix = 16;
        text += 2;
    }
    uint64_t value = 0;
    for (; *text; ++text) {
        char c = *text;
        unsigned digit = c >= '0' && c <= '9'   ? c - '0'
                         : c >= 'a' && c <= 'f' ? c - 'a' + 10
                         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                : 99;
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

uint64_t ChooseSeed()
{
    char text[32];
    DWORD length = GetEnvironmentVariableA("QLX_SEED", text, sizeof(text));
    if (length && length < sizeof(text))
        return ParseSeed(text);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<uint64_t>(now.QuadPart) * 0x9E3779B97F4A7C15ull ^ GetCurrentProcessId();
}

// ----------------------------------------------------------------- counters

static SIZE_T PrivateCommittedBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    const BYTE *address = NULL;
    while (VirtualQuery(address, &info, sizeof(info)) == sizeof(info)) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        const BYTE *next = static_cast<const BYTE *>(info.BaseAddress) + info.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

typedef BOOL(WINAPI *HandleCountProc)(HANDLE, PDWORD);

// The counters each platform is measured with. Windows counts for itself;
// Wine answers GetGuiResources and GetProcessHandleCount with 0, so there
// the process's tables are probed instead.
static const char CountedByGuiResources[] = "GetGuiResources";
static const char CountedByHandleCount[] = "GetProcessHandleCount";
static const char CountedWindows[] = "windows of the process";
static const char ProbedGdiTable[] = "GetObjectType probe";
static const char ProbedHandleTable[] = "GetHandleInformation probe";

// Wine's handles are small multiples of 4 handed out from the bottom of the
// process's table, so asking each value in turn finds every open kernel
// handle, registry keys included. Windows 2000, which has no handle count
// to ask, hands out its handles from the bottom of the table too.
static DWORD ProbeHandles()
{
    // Each probe is a server round trip; past a long run of free values the
    // table has ended.
    DWORD count = 0, misses = 0, flags;
    for (ULONG_PTR value = 4; value < 0x10000 && misses < 256; value += 4) {
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            misses = 0;
        } else {
            ++misses;
        }
    }
    return count;
}

// Wine keeps the process's GDI objects in one table of 65,536 entries and
// takes a handle by its index alone when the upper word is 0, so asking
// every index finds every live object. The table is in the process's own
// memory: the whole walk costs no server round trip. Windows insists on the
// upper word and would find nothing.
static DWORD ProbeGdiObjects()
{
    DWORD count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)))
            ++count;
    return count;
}

static BOOL CALLBACK CountChildWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<DWORD *>(lParam);
    return TRUE;
}

static BOOL CALLBACK CountTopWindow(HWND window, LPARAM lParam)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD *>(lParam);
        EnumChildWindows(window, CountChildWindow, lParam);
    }
    return TRUE;
}

ResourceCounts CountResources()
{
    ResourceCounts counts = {};
    HANDLE process = GetCurrentProcess();
    DWORD lastError = GetLastError();
    if (HostWineVersion()) {
        // Of the USER objects only the windows can be counted.
        counts.userSource = CountedWindows;
        EnumWindows(CountTopWindow, reinterpret_cast<LPARAM>(&counts.userObjects));
        counts.gdiSource = ProbedGdiTable;
        counts.gdiObjects = ProbeGdiObjects();
        counts.handlesSource = ProbedHandleTable;
        counts.handles = ProbeHandles();
    } else {
        // XP SP1 and later only; the plug-in's own floor is Windows 2000,
        // where the handle table is probed as under Wine.
        static HandleCountProc handleCount = HostProcAs<HandleCountProc>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetProcessHandleCount"));
        counts.userSource = CountedByGuiResources;
        counts.userObjects = GetGuiResources(process, GR_USEROBJECTS);
        counts.gdiSource = CountedByGuiResources;
        counts.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
        if (handleCount && handleCount(process, &counts.handles)) {
            counts.handlesSource = CountedByHandleCount;
        } else {
            counts.handlesSource = ProbedHandleTable;
            counts.handles = ProbeHandles();
        }
    }
    counts.privateBytes = PrivateCommittedBytes();
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process, &memory, sizeof(memory)))
        counts.pagefileUsage = memory.PagefileUsage;
    // The probes fail by the thousand; a caller's last error survives them.
    SetLastError(lastError);
    return counts;
}

// ------------------------------------------------------------ guarded bytes

static const BYTE FrontPattern = 0xA5;

static size_t PageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

GuardedBuffer::GuardedBuffer(size_t size) : base(NULL), reserved(0), data(NULL)
{
    size_t page = PageSize();
    size_t usable = (size + page - 1) / page * page;
    if (!usable)
        usable = page;
    reserved = usable + page;
    base = static_cast<BYTE *>(VirtualAlloc(NULL, reserved, MEM_RESERVE, PAGE_NOACCESS));
    if (!base || !VirtualAlloc(base, usable, MEM_COMMIT, PAGE_READWRITE))
        return;
    data = base + usable - size;
    FillMemory(base, usable - size, FrontPattern);
}

GuardedBuffer::~GuardedBuffer()
{
    if (base)
        VirtualFree(base, 0, MEM_RELEASE);
}

bool GuardedBuffer::FrontIntact() const
{
    if (!data)
        return false;
    for (const BYTE *p = base; p < data; ++p)
        if (*p != FrontPattern)
            return false;
    return true;
}

// ------------------------------------------------------------ sheet cycles

static const int PageTotal = 5;

bool OpenSheetAllPages(HostSheet *sheet, IPrintOemUI *ui, HANDLE hPrinter)
{
    if (!HostOpenDocumentProperties(sheet, ui, hPrinter, L"Dokumentegenskaber") || sheet->pageCount != PageTotal)
        return false;
    // Pages are created on their first selection, synchronously.
    for (int i = 1; i < PageTotal; ++i)
        PropSheet_SetCurSel(sheet->window, NULL, i);
    for (int i = 0; i < PageTotal; ++i)
        if (!PropSheet_IndexToHwnd(sheet->window, i))
            return false;
    return true;
}

bool CloseSheetWithOk(HostSheet *sheet)
{
    bool closed = false;
    if (sheet->window) {
        PropSheet_PressButton(sheet->window, PSBTN_OK);
        // OK is posted; its notifications run in the next pumps.
        for (int i = 0; i < 500 && !closed; ++i) {
            closed = !HostPumpSheet(sheet);
            if (!closed)
                MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
    }
    HostEndSheet(sheet);
    return closed;
}

bool RunSheetCycle(IPrintOemUI *ui)
{
    HostSheet sheet;
    bool opened = OpenSheetAllPages(&sheet, ui, NULL);
    bool closed = CloseSheetWithOk(&sheet);
    return opened && closed;
}

LeakReport RunLeakCycles(IPrintOemUI *ui, int cycles, int bitmapsPlantedPerCycle)
{
    LeakReport report = {};
    report.cycles = cycles;
    for (int i = 0; ui && i < 2; ++i)
        RunSheetCycle(ui);
    std::vector<HBITMAP> planted;
    planted.reserve(static_cast<size_t>(cycles) * bitmapsPlantedPerCycle);
    report.baseline = CountResources();
    ResourceCounts now = report.baseline;
    for (int i = 0; i < cycles; ++i) {
        if (ui && !RunSheetCycle(ui))
            ++report.failedCycles;
        for (int b = 0; b < bitmapsPlantedPerCycle; ++b) {
            HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, NULL);
            if (bitmap)
                planted.push_back(bitmap);
        }
        now = CountResources();
        DWORD gdiExpected = report.baseline.gdiObjects + static_cast<DWORD>(planted.size());
        if (now.userObjects != report.baseline.userObjects || now.gdiObjects != gdiExpected) {
            if (!report.driftedCycles) {
                char text[128];
                snprintf(text, sizeof(text), "cycle %d: USER %lu (baseline %lu), GDI %lu (expected %lu)", i + 1,
                         static_cast<unsigned long>(now.userObjects),
                         static_cast<unsigned long>(report.baseline.userObjects),
                         static_cast<unsigned long>(now.gdiObjects), static_cast<unsigned long>(gdiExpected));
                report.firstDrift = text;
            }
            ++report.driftedCycles;
        }
    }
    report.final = now;
    report.bitmapsPlanted = static_cast<int>(planted.size());
    for (HBITMAP bitmap : planted)
        DeleteObject(bitmap);
    report.privateGrowth = static_cast<long long>(now.privateBytes) - static_cast<long long>(report.baseline.privateBytes);
    report.userGrowth = static_cast<long long>(now.userObjects) - report.baseline.userObjects;
    report.gdiGrowth = static_cast<long long>(now.gdiObjects) - report.baseline.gdiObjects;
    report.handleGrowth = static_cast<long long>(now.handles) - report.baseline.handles;
    return report;
}

// ------------------------------------------------------------------ fuzzers

UserOptions FullDefaultRecord()
{
    UserOptions record;
    MakeDefaultRecord(&record);
    return record;
}

static void Fail(FuzzReport *report, int index, const char *format, ...)
{
    if (!report->failures++) {
        char text[256];
        va_list args;
        va_start(args, format);
        vsnprintf(text, sizeof(text), format, args);
        va_end(args);
        char line[320];
        snprintf(line, sizeof(line), "seed 0x%016llx case %d: %s", static_cast<unsigned long long>(report->seed),
                 index, text);
        report->firstFailure = line;
    }
}

static const DWORD ValueTypes[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_MULTI_SZ, REG_QWORD, 0x7F};

FuzzReport FuzzStoreReader(uint64_t seed, int cases, const wchar_t *name)
{
    FuzzReport report = {seed, cases, 0, std::string()};
    Rng rng(seed);
    std::wstring path = std::wstring(STORE_PARENT_KEY L"\\") + name;
    const UserOptions defaults = FullDefaultRecord();
    static BYTE value[4096];

    for (int i = 0; i < cases; ++i) {
        SetCrashContext("store fuzz, seed 0x%016llx case %d", static_cast<unsigned long long>(seed), i);
        // Lengths cluster around the record's size, where the reader decides.
        DWORD length;
        uint32_t pick = rng.Below(100);
        if (pick < 30)
            length = sizeof(UserOptions);
        else if (pick < 40)
            length = sizeof(UserOptions) - 2 + rng.Below(5);
        else if (pick < 45)
            length = rng.Below(3);
        else
            length = rng.Below(sizeof(value) + 1);
        DWORD type = rng.Percent(70) ? REG_BINARY : ValueTypes[rng.Below(ARRAYSIZE(ValueTypes))];
        rng.Fill(value, length);
        if (length >= 2 && rng.Percent(50)) {
            value[0] = 0x39; // 12345, little-endian
            value[1] = 0x30;
        }
        enum { WithValue, WithoutValue, WithoutKey } shape = WithValue;
        pick = rng.Below(100);
        if (pick < 3)
            shape = WithoutKey;
        else if (pick < 8)
            shape = WithoutValue;

        RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str());
        if (shape != WithoutKey) {
            HKEY key;
            if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL)) {
                Fail(&report, i, "cannot create the test key");
                break;
            }
            if (shape == WithValue) {
                RegSetValueExW(key, STORE_VALUE_NAME, 0, type, value, length);
                // A string-typed value whose last unit is not a NUL but whose
                // next one in the caller's buffer is gets that terminator
                // counted as well (NT does so, and Wine with it): what the
                // reader meets is the stored length.
                RegQueryValueExW(key, STORE_VALUE_NAME, NULL, NULL, NULL, &length);
            }
            RegCloseKey(key);
        }

        GuardedBuffer record(sizeof(UserOptions));
        rng.Fill(record.Data(), sizeof(UserOptions));
        LONG status = GetUserInfo(reinterpret_cast<UserOptions *>(record.Data()), name);

        const UserOptions *read = reinterpret_cast<const UserOptions *>(record.Data());
        bool acceptable = shape == WithValue && length == sizeof(UserOptions) && value[0] == 0x39 && value[1] == 0x30;
        // The platform may refuse string-typed data that lacks room for a
        // terminator (Wine answers ERROR_MORE_DATA); the default is then right.
        bool stringType = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
        bool isStored = acceptable && !memcmp(read, value, sizeof(UserOptions));
        bool isDefault = !memcmp(read, &defaults, sizeof(UserOptions));
        if (!record.FrontIntact())
            Fail(&report, i, "wrote in front of the record");
        else if (read->initialized != USER_OPTIONS_MARKER)
            Fail(&report, i, "record marker %d (type %lu, %lu bytes)", read->initialized,
                 static_cast<unsigned long>(type), static_cast<unsigned long>(length));
        else if (acceptable && !isStored && !(stringType && isDefault))
            Fail(&report, i, "a valid stored record was not returned byte for byte (type %lu, %s, status %ld)",
                 static_cast<unsigned long>(type), isDefault ? "full default instead" : "mixed",
                 static_cast<long>(status));
        else if (!acceptable && !isDefault)
            Fail(&report, i, "neither stored record nor full default (shape %d, type %lu, %lu bytes)",
                 static_cast<int>(shape), static_cast<unsigned long>(type), static_cast<unsigned long>(length));
    }
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str());
    SetCrashContext("-");
    return report;
}

static const DWORD OtherModes[] = {0, 5, 6, 0xFFFFFFFF, 0x80000002};
static const HANDLE NoSuchPrinter = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x7FFF0000));

FuzzReport FuzzDevMode(IPrintOemUI *ui, uint64_t seed, int cases)
{
    FuzzReport report = {seed, cases, 0, std::string()};
    Rng rng(seed);
    static BYTE inBefore[4096], outBefore[4096];

    for (int i = 0; i < cases; ++i) {
        SetCrashContext("devmode fuzz, seed 0x%016llx case %d", static_cast<unsigned long long>(seed), i);
        DWORD mode;
        uint32_t pick = rng.Below(100);
        if (pick < 40)
            mode = OEMDM_DEFAULT;
        else if (pick < 80)
            mode = OEMDM_CONVERT;
        else if (pick < 90)
            mode = OEMDM_MERGE;
        else if (pick < 95)
            mode = OEMDM_SIZE;
        else
            mode = OtherModes[rng.Below(ARRAYSIZE(OtherModes))];

        DWORD size;
        pick = rng.Below(100);
        if (pick < 50)
            size = sizeof(PrivateDevmode);
        else if (pick < 70)
            size = sizeof(OEM_DMEXTRAHEADER) + rng.Below(sizeof(PrivateDevmode) - sizeof(OEM_DMEXTRAHEADER));
        else if (pick < 90)
            size = sizeof(PrivateDevmode) + rng.Below(sizeof(inBefore) - sizeof(PrivateDevmode) + 1);
        else
            size = rng.Below(sizeof(OEM_DMEXTRAHEADER));

        GuardedBuffer in(size), out(size);
        rng.Fill(in.Data(), size);
        rng.Fill(out.Data(), size);
        // Half the headers are what the host would pass, so that convert
        // sees matching and differing versions alike.
        if (size >= sizeof(OEM_DMEXTRAHEADER) && rng.Percent(50)) {
            OEM_DMEXTRAHEADER header = {size, OEM_SIGNATURE, OEM_SIGNATURE};
            if (rng.Percent(30))
                header.dwVersion ^= 1u << rng.Below(32);
            CopyMemory(in.Data(), &header, sizeof(header));
            if (rng.Percent(70))
                CopyMemory(out.Data(), &header, sizeof(header));
        }
        CopyMemory(inBefore, in.Data(), size);
        CopyMemory(outBefore, out.Data(), size);

        OEMDMPARAM param;
        ZeroMemory(&param, sizeof(param));
        param.cbSize = sizeof(param);
        param.hPrinter = mode == OEMDM_MERGE && rng.Percent(50) ? NoSuchPrinter : NULL;
        param.pOEMDMIn = in.Data();
        param.pOEMDMOut = out.Data();
        param.cbBufSize = size;
        HRESULT hr = ui->DevMode(mode, &param);

        if (!in.FrontIntact() || !out.FrontIntact()) {
            Fail(&report, i, "wrote in front of an extension (mode %lu, %lu bytes)", static_cast<unsigned long>(mode),
                 static_cast<unsigned long>(size));
            continue;
        }
        if (memcmp(in.Data(), inBefore, size)) {
            Fail(&report, i, "changed the input extension (mode %lu)", static_cast<unsigned long>(mode));
            continue;
        }
        const BYTE *result = out.Data();
        switch (mode) {
        case OEMDM_DEFAULT:
            if (FAILED(hr)) {
                if (size >= sizeof(PrivateDevmode))
                    Fail(&report, i, "default refused %lu bytes", static_cast<unsigned long>(size));
                else if (memcmp(result, outBefore, size))
                    Fail(&report, i, "refused default still wrote (%lu bytes)", static_cast<unsigned long>(size));
            } else if (size < sizeof(PrivateDevmode)) {
                Fail(&report, i, "default accepted %lu bytes", static_cast<unsigned long>(size));
            } else {
                // The default writes its fields over what the buffer held;
                // units behind a text's terminator stay as they were.
                PrivateDevmode expected;
                CopyMemory(&expected, outBefore, sizeof(expected));
                ResetUserOptions(&expected);
                const PrivateDevmode *dm = reinterpret_cast<const PrivateDevmode *>(result);
                if (dm->header.dwSize != size || dm->header.dwSignature != OEM_SIGNATURE ||
                    dm->header.dwVersion != OEM_SIGNATURE)
                    Fail(&report, i, "default header wrong");
                else if (memcmp(&dm->options, &expected.options, sizeof(UserOptions)))
                    Fail(&report, i, "default record differs from the full default");
                else if (memcmp(result + sizeof(PrivateDevmode), outBefore + sizeof(PrivateDevmode),
                                size - sizeof(PrivateDevmode)))
                    Fail(&report, i, "default wrote behind the record (%lu bytes)", static_cast<unsigned long>(size));
            }
            break;
        case OEMDM_CONVERT:
        case OEMDM_MERGE:
            if (FAILED(hr) || memcmp(result, inBefore, size))
                Fail(&report, i, "mode %lu: output is not the input (%lu bytes, hr 0x%08lx)",
                     static_cast<unsigned long>(mode), static_cast<unsigned long>(size), static_cast<unsigned long>(hr));
            break;
        case OEMDM_SIZE:
            if (FAILED(hr) || param.cbBufSize != sizeof(PrivateDevmode) || memcmp(result, outBefore, size))
                Fail(&report, i, "size answered %lu", static_cast<unsigned long>(param.cbBufSize));
            break;
        default:
            if (memcmp(result, outBefore, size))
                Fail(&report, i, "unknown mode %lu wrote", static_cast<unsigned long>(mode));
            break;
        }
    }
    SetCrashContext("-");
    return report;
}
