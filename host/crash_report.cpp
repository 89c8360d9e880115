#include "host/crash_report.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static char CrashContext[256] = "-";

void SetCrashContext(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vsnprintf(CrashContext, sizeof(CrashContext), format, args);
    va_end(args);
}

static const char *ExceptionName(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
        return "access violation";
    case EXCEPTION_STACK_OVERFLOW:
        return "stack overflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        return "illegal instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        return "integer division by zero";
    case EXCEPTION_GUARD_PAGE:
        return "guard page";
    case EXCEPTION_IN_PAGE_ERROR:
        return "in-page error";
    case EXCEPTION_BREAKPOINT:
        return "breakpoint";
    case EXCEPTION_PRIV_INSTRUCTION:
        return "privileged instruction";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
        return "misaligned data";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return "array bounds exceeded";
    }
    return "exception";
}

// The module an address lies in and the offset into it. VirtualQuery finds
// the image's base, which is its module handle; this works on every Windows
// the plug-in runs on, unlike GetModuleHandleEx.
static void DescribeAddress(const void *address, char *text, size_t size)
{
    MEMORY_BASIC_INFORMATION memory;
    char path[MAX_PATH];
    if (VirtualQuery(address, &memory, sizeof(memory)) && memory.AllocationBase &&
        GetModuleFileNameA(static_cast<HMODULE>(memory.AllocationBase), path, sizeof(path))) {
        const char *name = strrchr(path, '\\');
        snprintf(text, size, "%s+0x%lx", name ? name + 1 : path,
                 static_cast<unsigned long>(static_cast<const BYTE *>(address) -
                                            static_cast<const BYTE *>(memory.AllocationBase)));
    } else {
        snprintf(text, size, "no module");
    }
}

static LONG WINAPI ReportCrash(EXCEPTION_POINTERS *pointers)
{
    const EXCEPTION_RECORD *record = pointers->ExceptionRecord;
    char where[MAX_PATH + 32];
    DescribeAddress(record->ExceptionAddress, where, sizeof(where));
    char access[64] = "";
    if (record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2)
        snprintf(access, sizeof(access), " (%s %p)",
                 record->ExceptionInformation[0] == 0   ? "reading"
                 : record->ExceptionInformation[0] == 8 ? "executing"
                                                        : "writing",
                 reinterpret_cast<void *>(record->ExceptionInformation[1]));
    fprintf(stderr, "\nCRASH: %s 0x%08lx%s at %p (%s) while: %s\n", ExceptionName(record->ExceptionCode),
            static_cast<unsigned long>(record->ExceptionCode), access, record->ExceptionAddress, where,
            CrashContext);
    fflush(stdout);
    fflush(stderr);
    // Straight out: no debugger, no dialog, and no DLL detach code that
    // could wait on a lock the crashed code holds.
    TerminateProcess(GetCurrentProcess(), record->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

static volatile LONG CallbackDepth;

// A first-chance handler, so it sees the fault before DispatchMessage's own
// handler does; it acts only on faults no code means to survive.
static LONG WINAPI ReportCallbackFault(EXCEPTION_POINTERS *pointers)
{
    switch (pointers->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        if (CallbackDepth > 0)
            ReportCrash(pointers);
        break;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

typedef PVOID(WINAPI *AddVectoredHandlerProc)(ULONG, PVECTORED_EXCEPTION_HANDLER);

void ReportFaultsInCallbacks(bool on)
{
    // Windows 2000 has no vectored handlers; there the script's own
    // timeout still turns a swallowed fault into a failure.
    static bool installed;
    if (on && !installed) {
        installed = true;
        AddVectoredHandlerProc add = reinterpret_cast<AddVectoredHandlerProc>(reinterpret_cast<void (*)(void)>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddVectoredExceptionHandler")));
        if (add)
            add(1, ReportCallbackFault);
    }
    if (on)
        InterlockedIncrement(&CallbackDepth);
    else
        InterlockedDecrement(&CallbackDepth);
}

void InstallCrashReporter()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
}
