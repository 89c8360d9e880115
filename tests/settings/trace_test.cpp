// The trace log. The log switched on lives in a DLL of its own that each
// test loads afresh, which gives each test the state of a new process.
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <string>
#include <vector>

#include "tests/settings/settings_support.h"

namespace {

typedef void (*TraceLogProc)(const char *format, ...);

class TraceOn {
public:
    TraceOn() : m_module(LoadLibraryW(EnvPath(L"QLX_TRACELOG_DLL").c_str()))
    {
        EXPECT_TRUE(m_module != NULL);
        log = HostProcAs<TraceLogProc>(GetProcAddress(m_module, "TraceLog"));
        EXPECT_TRUE(log != NULL);
    }
    ~TraceOn() { FreeLibrary(m_module); }
    TraceLogProc log;

private:
    HMODULE m_module;
};

bool IsHeader(const std::string &line)
{
    // "Log File Created: Wed Jan 02 02:03:55 1980"
    const std::string prefix = "Log File Created: ";
    if (line.compare(0, prefix.size(), prefix) != 0 || line.size() != prefix.size() + 24)
        return false;
    const std::string stamp = line.substr(prefix.size());
    return stamp[3] == ' ' && stamp[7] == ' ' && isdigit(stamp[8]) && isdigit(stamp[9]) && stamp[13] == ':' &&
           stamp[16] == ':' && stamp[19] == ' ';
}

// "Tue Dec 08" and "2026": the day, month and year a header made at that
// moment names, in English whatever the locale.
std::string HeaderDate(const SYSTEMTIME &at)
{
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[32];
    snprintf(text, sizeof(text), "%s %s %02u %04u", days[at.wDayOfWeek % 7], months[(at.wMonth + 11) % 12],
             at.wDay, at.wYear);
    return text;
}

// The header's date without its time of day.
std::string DateOfHeader(const std::string &line)
{
    const std::string stamp = line.substr(line.size() - 24);
    return stamp.substr(0, 10) + stamp.substr(19);
}

// Splits at CR LF, the text-mode line end.
std::vector<std::string> Lines(const std::string &content)
{
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = content.find("\r\n", start)) != std::string::npos) {
        lines.push_back(content.substr(start, end - start));
        start = end + 2;
    }
    if (start < content.size())
        lines.push_back(content.substr(start));
    return lines;
}

// "<seconds>:<text>" with the seconds of now.
void ExpectEntry(const std::string &line, const std::string &text)
{
    size_t colon = line.find(':');
    ASSERT_NE(std::string::npos, colon) << line;
    long seconds = atol(line.substr(0, colon).c_str());
    EXPECT_LE(labs(static_cast<long>(time(NULL)) - seconds), 5) << line;
    EXPECT_EQ(text, line.substr(colon + 1));
}

TEST(TraceLogTest, HeaderOncePerProcessThenBlankLineThenEntries)
{
    ScratchDirectory dir;
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    {
        TraceOn trace;
        trace.log("first %d\n", 1);
        trace.log("name %s, %d\n", L"Kontor 2", -3);
    }
    {
        TraceOn secondProcess;
        secondProcess.log("again\n");
    }
    std::vector<std::string> lines = Lines(ReadWholeFile(dir.File(L"UILog.txt")));
    ASSERT_EQ(7u, lines.size());
    GetLocalTime(&after);
    EXPECT_TRUE(IsHeader(lines[0])) << lines[0];
    // A log sent in from a user's machine is dated by this line.
    std::string date = DateOfHeader(lines[0]);
    EXPECT_TRUE(date == HeaderDate(before) || date == HeaderDate(after)) << lines[0];
    EXPECT_EQ("", lines[1]);
    ExpectEntry(lines[2], "first 1");
    ExpectEntry(lines[3], "name Kontor 2, -3");
    EXPECT_TRUE(IsHeader(lines[4])) << "a second process writes its own header";
    EXPECT_EQ("", lines[5]);
    ExpectEntry(lines[6], "again");
}

TEST(TraceLogTest, FormatIsCutAt255Characters)
{
    ScratchDirectory dir;
    TraceOn trace;
    std::string format(300, 'f');
    trace.log(format.c_str());
    std::vector<std::string> lines = Lines(ReadWholeFile(dir.File(L"UILog.txt")));
    ASSERT_EQ(3u, lines.size());
    ExpectEntry(lines[2], std::string(255, 'f'));
}

// A directory in the log's place makes it unwritable without needing
// permissions, which the prefix's account would override.
TEST(TraceLogTest, UnwritableLogWritesNothingAndNoHeaderLater)
{
    ScratchDirectory dir;
    TraceOn trace;
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"UILog.txt").c_str(), NULL));
    trace.log("lost\n");
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"UILog.txt").c_str()));
    trace.log("kept\n");
    std::vector<std::string> lines = Lines(ReadWholeFile(dir.File(L"UILog.txt")));
    ASSERT_EQ(1u, lines.size());
    ExpectEntry(lines[0], "kept");
}

TEST(TraceLogTest, ShippedPluginNeverTouchesTheLog)
{
    ScratchDirectory dir;
    PluginModule plugin;
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    PrivateDevmode devmode;
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.pOEMDMIn = param.pOEMDMOut = &devmode;
    ui->DevMode(OEMDM_SIZE, &param);
    ui->DevMode(OEMDM_DEFAULT, &param);
    ui->DevMode(OEMDM_CONVERT, &param);
    ui->PrinterEvent(const_cast<PWSTR>(HOST_TEST_NAME(L"Trace")), 0, 0, 0);
    OEMCUIPPARAM items;
    ZeroMemory(&items, sizeof(items));
    ui->CommonUIProp(OEMCUIP_DOCPROP, &items);
    ui->Release();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(dir.File(L"UILog.txt").c_str()));
}

} // namespace
