// qlxkit.exe: what the test kit's scripts need and plain cmd cannot do alike
// on Windows 2000, XP and today's Windows.
//   qlxkit check                        exit 0 when run with administrator rights
//   qlxkit plan                         say what the kit changes on the machine
//   qlxkit clean                        remove what the test programs created
//   qlxkit run SECONDS PROGRAM [ARG...] run a program; end it after SECONDS
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#include "host/crash_report.h"
#include "host/test_names.h"
#include "testkit/cleanup.h"

namespace {

// Exit codes the scripts act on.
const int ExitNotElevated = 2;
const int ExitUsage = 3;
const int ExitTimedOut = 124;

// Membership that counts: on Windows with user account control an
// administrator's ordinary token carries the group for denying only, and
// CheckTokenMembership then answers no.
int CommandCheck()
{
    SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
    PSID administrators = NULL;
    BOOL member = FALSE;
    if (AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                 &administrators)) {
        if (!CheckTokenMembership(NULL, administrators, &member))
            member = FALSE;
        FreeSid(administrators);
    }
    if (member)
        return 0;
    printf("The test kit needs administrator rights: it installs printers and printer drivers.\n"
           "Right-click run-tests.cmd and choose \"Run as administrator\" (on Windows 2000 and XP,\n"
           "log on as an administrator or use \"Run as...\"). Nothing was changed.\n");
    return ExitNotElevated;
}

int CommandPlan()
{
    printf("While it runs, the kit creates on this machine, and removes again after every test program:\n"
           "  - local printers named " "%ls..." " on port FILE: with print processor winprint;\n"
           "  - printer drivers named %ls... and their files %ls... in the spooler's driver folder,\n"
           "    some with the plug-in qlx4120ui.dll, unless a driver here has another one;\n"
           "  - registry keys HKLM\\SYSTEM\\Printers\\%ls... (the plug-in's stored settings);\n"
           "  - scratch folders %%TEMP%%\\%ls...\n"
           "It removes only names that begin with \"%ls\" and changes nothing else.\n",
           HOST_TEST_PREFIX, HOST_TEST_PREFIX, HOST_TEST_PREFIX, HOST_TEST_PREFIX, HOST_TEST_PREFIX,
           HOST_TEST_PREFIX);
    return 0;
}

int CommandClean()
{
    int failures = KitCleanUp();
    return failures ? 1 : 0;
}

// Past one argument of a command line, by the rules the C runtime splits
// arguments with (quotes group, backslashes before a quote escape it).
const wchar_t *SkipArgument(const wchar_t *line)
{
    while (*line == L' ' || *line == L'\t')
        ++line;
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
        if (*line == L'\\' && line[1] == L'"')
            ++line;
        else if (*line == L'"')
            quoted = !quoted;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

// The program inherits this console and its redirections; it is ended when
// it outlives its time, so that a hung test cannot hold the kit.
int CommandRun(unsigned seconds)
{
    const wchar_t *rest = GetCommandLineW();
    for (int i = 0; i < 3; ++i)
        rest = SkipArgument(rest);
    if (!*rest || !seconds)
        return ExitUsage;

    wchar_t *command = _wcsdup(rest);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!command || !CreateProcessW(NULL, command, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        printf("cannot start %ls: error %lu\n", rest, static_cast<unsigned long>(GetLastError()));
        free(command);
        return ExitUsage;
    }
    free(command);
    DWORD code = ExitTimedOut;
    if (WaitForSingleObject(process.hProcess, seconds * 1000) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, ExitTimedOut);
        WaitForSingleObject(process.hProcess, 10000);
        printf("TIMEOUT: ended after %u s: %ls\n", seconds, rest);
    } else {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    InstallCrashReporter();
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc >= 2 && !wcscmp(argv[1], L"check"))
        return CommandCheck();
    if (argc >= 2 && !wcscmp(argv[1], L"plan"))
        return CommandPlan();
    if (argc >= 2 && !wcscmp(argv[1], L"clean"))
        return CommandClean();
    if (argc >= 4 && !wcscmp(argv[1], L"run"))
        return CommandRun(static_cast<unsigned>(wcstoul(argv[2], NULL, 10)));
    fprintf(stderr, "usage: qlxkit check | plan | clean | run SECONDS PROGRAM [ARGUMENTS]\n");
    return ExitUsage;
}
