// The trace log. TRACE_LOG_ENABLED is given per trace setting; the shipped
// plug-in is built without it, and then a call costs nothing at all.
#include "diag/tracelog.h"

#if TRACE_LOG_ENABLED

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <time.h>

#define TRACE_FORMAT_UNITS 256
// wvsprintfW writes at most 1024 units, its terminator included.
#define TRACE_TEXT_UNITS 1025

static int TraceCallCount;

// asctime's layout, built by hand so that the day always has its leading
// zero and the names stay English whatever the C runtime does.
static void WriteHeader(FILE *file)
{
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    SYSTEMTIME now;
    GetLocalTime(&now);
    fprintf(file, "Log File Created: %s %s %02u %02u:%02u:%02u %04u\n\n", days[now.wDayOfWeek % 7],
            months[(now.wMonth + 11) % 12], now.wDay, now.wHour, now.wMinute, now.wSecond, now.wYear);
}

// The format is widened so that "%s" takes the UTF-16 texts the callers
// pass; wvsprintfW keeps the platform's meaning of "%s" whatever the C
// runtime's printf does.
static void WriteEntry(FILE *file, const char *format, va_list args)
{
    WCHAR wideFormat[TRACE_FORMAT_UNITS];
    int i;
    for (i = 0; i < TRACE_FORMAT_UNITS - 1 && format[i]; ++i)
        wideFormat[i] = static_cast<unsigned char>(format[i]);
    wideFormat[i] = 0;

    WCHAR text[TRACE_TEXT_UNITS];
    wvsprintfW(text, wideFormat, args);
    char narrow[TRACE_TEXT_UNITS * 2];
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), NULL, NULL);
    if (length == 0)
        narrow[0] = 0;
    fprintf(file, "%d:%s", static_cast<int>(time(NULL)), narrow);
}

void TraceLog(const char *format, ...)
{
    FILE *file = fopen("UILog.txt", "a");
    // The header belongs to the first call only: if that call could not open
    // the file, the process never writes one.
    if (file && TraceCallCount == 0)
        WriteHeader(file);
    if (file) {
        va_list args;
        va_start(args, format);
        WriteEntry(file, format, args);
        va_end(args);
    }
    ++TraceCallCount;
    if (file)
        fclose(file);
}

#else

void TraceLog(const char *, ...)
{
}

#endif
