// qlxkit.exe: what the test kit's scripts need and plain cmd cannot do alike
// on Windows 2000, XP and today's Windows. `qlxkit --help` lists the
// commands and exit codes.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#include "host/crash_report.h"
#include "host/test_names.h"
#include "testkit/cleanup.h"

namespace {

// Exit codes the scripts act on. A program run by `qlxkit run` may exit
// with 124 or 125 itself; the scripts count any code but 0 as a failure.
const int ExitNotElevated = 2;
const int ExitUsage = 3;
const int ExitTimedOut = 124;
const int ExitRunFailed = 125;

// The longest limit whose milliseconds still fit a wait, short of INFINITE.
const unsigned long MaxSeconds = (INFINITE - 1) / 1000;

const char Usage[] =
    "usage: qlxkit check | plan | clean | drivers | run SECONDS PROGRAM [ARGUMENTS] | --help\n";

int CommandHelp()
{
    printf("qlxkit: the test kit's helper\n"
           "  qlxkit check       exit 0 with administrator rights, %d without\n"
           "  qlxkit plan        say what the kit changes on this machine\n"
           "  qlxkit clean       remove what the test programs created (names beginning with %ls);\n"
           "                     exit 1 when something could not be removed\n"
           "  qlxkit drivers     list every file an installed printer driver names, one path a line\n"
           "  qlxkit run SECONDS PROGRAM [ARGUMENTS]\n"
           "                     run PROGRAM; after SECONDS end it and every process it started\n"
           "Exit codes of run:\n"
           "  the program's own  when it ended by itself\n"
           "  %d                 it ran past SECONDS and was ended\n"
           "  %d                 it could not be started, watched or ended\n"
           "  %d                   bad arguments (also for any other command)\n",
           ExitNotElevated, HOST_TEST_PREFIX, ExitTimedOut, ExitRunFailed, ExitUsage);
    return 0;
}

int UsageError(const char *why)
{
    fprintf(stderr, "qlxkit: %s\n%s", why, Usage);
    return ExitUsage;
}

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

int CommandDrivers()
{
    return KitListDriverFiles() ? 0 : 1;
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

// Whole seconds, 1 up to what a wait can count; 0 for anything else.
unsigned long ParseSeconds(const wchar_t *text)
{
    unsigned long seconds = 0;
    if (!*text)
        return 0;
    for (; *text; ++text) {
        if (*text < L'0' || *text > L'9')
            return 0;
        seconds = seconds * 10 + static_cast<unsigned long>(*text - L'0');
        if (seconds > MaxSeconds)
            return 0;
    }
    return seconds;
}

unsigned long ActiveProcesses(HANDLE job)
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting;
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof(accounting),
                                   NULL))
        return static_cast<unsigned long>(-1);
    return accounting.ActiveProcesses;
}

// Ends every process of the job and waits until the job is empty, so that
// the clean-up after this program finds nothing busy. False when they could
// not be ended or are still there after the wait.
bool EndJob(HANDLE job, UINT code)
{
    if (!TerminateJobObject(job, code)) {
        DWORD error = GetLastError();
        printf("qlxkit: cannot end the processes of the program: error %lu\n", static_cast<unsigned long>(error));
        return false;
    }
    unsigned long active = 0;
    for (int tries = 0; tries < 100; ++tries) {
        active = ActiveProcesses(job);
        if (active == 0)
            return true;
        Sleep(100);
    }
    if (active == static_cast<unsigned long>(-1))
        printf("qlxkit: cannot tell whether the program's processes ended\n");
    else
        printf("qlxkit: %lu process(es) of the program still run 10 s after ending them\n", active);
    return false;
}

// The program inherits this console and its redirections. It and every
// process it starts run in one job object, so that at the time limit a
// hung test's harness, tool or reg.exe ends with it and holds no printer or
// file the clean-up after it must remove.
int CommandRun(int argc, wchar_t **argv)
{
    if (argc < 3)
        return UsageError("run needs SECONDS and a PROGRAM");
    unsigned long seconds = ParseSeconds(argv[2]);
    if (!seconds)
        return UsageError("SECONDS must be a whole number from 1 on");
    if (argc < 4)
        return UsageError("run needs a PROGRAM");
    const wchar_t *rest = GetCommandLineW();
    for (int i = 0; i < 3; ++i)
        rest = SkipArgument(rest);
    if (!*rest)
        return UsageError("run needs a PROGRAM");

    // Kill-on-close: should this helper itself be ended or fail below, the
    // program does not outlive it.
    HANDLE job = CreateJobObjectW(NULL, NULL);
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
        ZeroMemory(&limits, sizeof(limits));
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    } else {
        DWORD error = GetLastError();
        printf("qlxkit: cannot create a job object: error %lu\n", static_cast<unsigned long>(error));
    }

    wchar_t *command = _wcsdup(rest);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    // Suspended until it is in the job: nothing it starts may escape.
    BOOL started = command && CreateProcessW(NULL, command, NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL,
                                             &startup, &process);
    DWORD error = GetLastError();
    free(command);
    if (!started) {
        printf("qlxkit: cannot start %ls: error %lu\n", rest, static_cast<unsigned long>(error));
        if (job)
            CloseHandle(job);
        return ExitRunFailed;
    }
    // Windows before 8 puts no process in two jobs: where this helper runs
    // in a job of its own (some consoles and schedulers make one), only the
    // program itself can be ended, and its output says so.
    bool inJob = job && AssignProcessToJobObject(job, process.hProcess);
    if (!inJob) {
        if (job) {
            error = GetLastError();
            printf("qlxkit: cannot put the program in a job object (error %lu); at the time limit only the "
                   "program itself is ended, not what it started\n",
                   static_cast<unsigned long>(error));
            CloseHandle(job);
            job = NULL;
        } else {
            printf("qlxkit: at the time limit only the program itself is ended, not what it started\n");
        }
    }
    if (ResumeThread(process.hThread) == static_cast<DWORD>(-1)) {
        error = GetLastError();
        printf("qlxkit: cannot resume %ls: error %lu\n", rest, static_cast<unsigned long>(error));
        TerminateProcess(process.hProcess, ExitRunFailed);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (job)
            CloseHandle(job);
        return ExitRunFailed;
    }
    CloseHandle(process.hThread);

    int result;
    DWORD waited = WaitForSingleObject(process.hProcess, seconds * 1000);
    if (waited == WAIT_OBJECT_0) {
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) {
            result = static_cast<int>(code);
        } else {
            error = GetLastError();
            printf("qlxkit: cannot read the exit code of %ls: error %lu\n", rest, static_cast<unsigned long>(error));
            result = ExitRunFailed;
        }
        // What the program left running would keep the next clean-up from
        // its printers and files just as a hung program would.
        unsigned long left = job ? ActiveProcesses(job) : 0;
        if (left && left != static_cast<unsigned long>(-1)) {
            printf("qlxkit: ending %lu process(es) %ls left running\n", left, rest);
            if (!EndJob(job, ExitTimedOut))
                result = ExitRunFailed;
        }
    } else if (waited == WAIT_TIMEOUT) {
        bool ended;
        if (job) {
            ended = EndJob(job, ExitTimedOut);
        } else {
            ended = TerminateProcess(process.hProcess, ExitTimedOut) != FALSE;
            error = GetLastError();
            if (!ended)
                printf("qlxkit: cannot end %ls: error %lu\n", rest, static_cast<unsigned long>(error));
            else if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
                ended = false;
        }
        printf("TIMEOUT: ended after %lu s%s: %ls\n", seconds, job ? "" : " (the program only)", rest);
        result = ended ? ExitTimedOut : ExitRunFailed;
    } else {
        error = GetLastError();
        printf("qlxkit: cannot wait for %ls: error %lu\n", rest, static_cast<unsigned long>(error));
        if (job)
            EndJob(job, ExitRunFailed);
        else
            TerminateProcess(process.hProcess, ExitRunFailed);
        result = ExitRunFailed;
    }
    CloseHandle(process.hProcess);
    if (job)
        CloseHandle(job);
    return result;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    InstallCrashReporter();
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc < 2)
        return UsageError("no command");
    const wchar_t *command = argv[1];
    if (!wcscmp(command, L"--help") || !wcscmp(command, L"-h") || !wcscmp(command, L"/?"))
        return CommandHelp();
    if (!wcscmp(command, L"check"))
        return CommandCheck();
    if (!wcscmp(command, L"plan"))
        return CommandPlan();
    if (!wcscmp(command, L"clean"))
        return CommandClean();
    if (!wcscmp(command, L"drivers"))
        return CommandDrivers();
    if (!wcscmp(command, L"run"))
        return CommandRun(argc, argv);
    return UsageError("unknown command");
}
