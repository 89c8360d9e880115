// A crash ends the program at once with one line that says what faulted and
// where, instead of waiting for a debugger or a dialog. The test programs,
// the benchmark and the harness's tools install it first thing.
#pragma once

// What the program was doing, printed with a crash (for example the fuzz
// case, so that it can be replayed). printf-style; "-" when idle.
void SetCrashContext(const char *format, ...);

// Installs the unhandled-exception filter and keeps the system from
// showing error boxes of its own.
void InstallCrashReporter();

// While on, a fault ends the program even where the system would swallow
// it: DispatchMessage catches every exception raised in a timer callback,
// and a test script that steps through modal dialogs from one would then
// wait for its own timeout. Calls nest.
void ReportFaultsInCallbacks(bool on);
