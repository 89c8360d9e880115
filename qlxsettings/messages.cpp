// What every command prints: a line of output, and a one-line message on
// standard error that gives the exit code.
#include "qlxsettings/tool.h"

#include "recordtext/output.h"

void Say(const std::wstring &line)
{
    OutputText(OUTPUT_STDOUT, line + L"\n");
}

int Fail(int code, const std::wstring &message)
{
    OutputText(OUTPUT_STDERR, L"qlxsettings: " + message + L"\n");
    return code;
}
