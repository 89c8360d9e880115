// qlxsettings.exe as an admin runs it: a console program against printers
// in the prefix's real spooler and their records in its real registry. The
// expected words are read from the plug-in itself, so the tests hold for
// every language build.
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "host/printer_setup.h"
#include "host/sheet_host.h"
#include "qlxsettings/exitcodes.h"
#include "recordtext/plugintexts.h"
#include "recordtext/regfile.h"
#include "resources/resource.h"
#include "settings/recordfields.h"
#include "settings/store.h"
#include "tests/support/record_support.h"
#include "tests/support/test_support.h"

namespace {

// Two drivers that carry the plug-in, so that two printers have records of
// their own; the office printer's name differs from its driver's.
const wchar_t DriverA[] = HOST_TEST_NAME(L"Tool Driver A");
const wchar_t DriverB[] = HOST_TEST_NAME(L"Tool Driver B");
const wchar_t Office[] = HOST_TEST_NAME(L"Tool Office");
const wchar_t Branch[] = HOST_TEST_NAME(L"Tool Branch");

struct ToolRun {
    DWORD code = 0xdeadbeef;
    std::string out; // UTF-8, as redirected output is
    std::string err;
};

std::wstring TempFile(const wchar_t *name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + HOST_TEST_NAME(L"tool-") + name;
}

HANDLE Inheritable(const std::wstring &path)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
}

// The tool run with its output redirected to files. With unwritableOut
// every write to standard output fails, as on a full disk: the file is
// open for reading only.
ToolRun RunTool(const std::wstring &arguments, bool unwritableOut = false)
{
    ToolRun run;
    std::wstring outPath = TempFile(L"out.txt"), errPath = TempFile(L"err.txt");
    HANDLE out = Inheritable(outPath), err = Inheritable(errPath);
    if (unwritableOut) {
        CloseHandle(out);
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
        out = CreateFileW(outPath.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0, NULL);
    }
    std::wstring command = L"\"" + EnvPath(L"QLX_TOOL_EXE") + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process;
    if (CreateProcessW(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
}

// record with the identity fields of user.
UserOptions IdentityOver(UserOptions record, const UserOptions &user)
{
    memcpy(record.owner, user.owner, sizeof(record.owner));
    memcpy(record.jobPassword, user.jobPassword, sizeof(record.jobPassword));
    memcpy(record.accountNumber, user.accountNumber, sizeof(record.accountNumber));
    memcpy(record.securePassword, user.securePassword, sizeof(record.securePassword));
    record.securePrint = user.securePrint;
    record.hasJobPassword = user.hasJobPassword;
    return record;
}

class ToolTest : public ::testing::Test {
protected:
    // Where a driver of the machine's own has another qlx4120ui.dll, the
    // test drivers would replace its copy: the suite then does not run.
    static bool Blocked() { return HostWouldReplaceDriverFile(PluginPath(), NULL); }

    static void SetUpTestSuite()
    {
        if (Blocked())
            return;
        wchar_t config[MAX_PATH];
        lstrcpynW(config, EnvPath(L"QLX_DRIVER_CONFIG").c_str(), MAX_PATH);
        ASSERT_TRUE(HostInstallDriver(DriverA, config, PluginPath()));
        ASSERT_TRUE(HostInstallDriver(DriverB, config, PluginPath()));
        ASSERT_TRUE(HostAddPrinter(Office, DriverA));
        ASSERT_TRUE(HostAddPrinter(Branch, DriverB));
    }
    static void TearDownTestSuite()
    {
        HostDeletePrinter(Office);
        HostDeletePrinter(Branch);
        for (const wchar_t *name : {Office, Branch, DriverA, DriverB})
            DeleteUserInfo(name);
    }

    void SetUp() override
    {
        if (Blocked())
            GTEST_SKIP() << "a printer driver installed here has a qlx4120ui.dll of its own";
        ResetRecords();
        texts = LoadLibraryExW(PluginPath(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(texts != NULL);
    }

    // Both records of both printers start as one known record.
    void ResetRecords()
    {
        start = DefaultRecord();
        lstrcpyW(start.owner, L"Ann");
        lstrcpyW(start.jobPassword, L"pw");
        start.hasJobPassword = 1;
        for (const wchar_t *name : {Office, Branch, DriverA, DriverB})
            ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&start, name));
    }
    void TearDown() override { FreeLibrary(texts); }

    std::wstring String(UINT id)
    {
        wchar_t text[256] = L"";
        LoadStringW(texts, id, text, 256);
        return text;
    }

    // A radio button's caption as the window manager shows it, from the
    // page's template made a pop-up of its own.
    std::wstring Caption(UINT dialog, int control)
    {
        HRSRC found = FindResourceW(texts, MAKEINTRESOURCEW(dialog), RT_DIALOG);
        const BYTE *resource = static_cast<const BYTE *>(LockResource(LoadResource(texts, found)));
        std::vector<BYTE> copy(resource, resource + SizeofResource(texts, found));
        DWORD style;
        memcpy(&style, &copy[12], sizeof(style)); // DLGTEMPLATEEX's style
        style = (style & ~WS_CHILD) | WS_POPUP;
        memcpy(&copy[12], &style, sizeof(style));
        HWND window = CreateDialogIndirectParamW(GetModuleHandleW(NULL),
                                                 reinterpret_cast<const DLGTEMPLATE *>(copy.data()), NULL, NULL, 0);
        wchar_t text[256] = L"";
        GetDlgItemTextW(window, control, text, 256);
        DestroyWindow(window);
        return text;
    }

    UserOptions start;
    HMODULE texts = NULL;
};

// ------------------------------------------------------------- set, show

// Each kind of field, set by an admin's words, lands in the record the
// printer's Document Properties reads and in the installation's record, and
// changes nothing but its own bytes; show then names it as the page does.
TEST_F(ToolTest, SetThenShowRoundTripsEachKindOfField)
{
    struct Case {
        const char *field;
        std::wstring value; // as given to set
        LONG number;        // stored, for fields that are not texts
        std::wstring shown; // in show's line for the field
    };
    const Case cases[] = {
        {"duplex", String(IDS_DUPLEX_LONG_EDGE), 1, L"1 = " + String(IDS_DUPLEX_LONG_EDGE)},
        {"printProfile", String(IDS_PROFILE_CUSTOM) + L"3", 5, L"5 = " + String(IDS_PROFILE_CUSTOM) + L"3"},
        {"sectionSize", L"16", 3, L"3 = 16"},
        {"mediaType", L"7", 7, L"7 = " + String(IDS_MEDIA_HEAVY_1S)},
        {"collate", L"on", 1, L"on"},
        {"colorMode", Caption(IDD_COLOR_PAGE, IDC_COLOR_MODE_GRAY), 1,
         L"1 = " + Caption(IDD_COLOR_PAGE, IDC_COLOR_MODE_GRAY)},
        {"jobAux1", L"-7", -7, L"-7"},
        {"jobAux0", L"300", 300, L"300"},
        {"comment", L"S\u00f8ren's proof", 0, L"\"S\u00f8ren's proof\""},
        {"owner", L"\u00c6bel\u00f8", 0, L"\"\u00c6bel\u00f8\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        ResetRecords();
        const RecordField *field = FindRecordField(c.field);
        ASSERT_TRUE(field != NULL);
        std::wstring identity = field->identity ? L" --identity" : L"";
        std::wstring name(c.field, c.field + strlen(c.field));
        ToolRun set = RunTool(L"set \"" + std::wstring(Office) + L"\" \"" + name + L"=" + c.value + L"\"" + identity);
        ASSERT_EQ(EXIT_OK, set.code) << set.err;

        UserOptions expected = start;
        if (field->kind == FIELD_TEXT)
            lstrcpyW(RecordFieldText(expected, *field), c.value.c_str());
        else
            SetRecordFieldValue(expected, *field, c.number);
        UserOptions pages = StoredRecord(DriverA), installed = StoredRecord(Office);
        EXPECT_EQ("", RecordDiff(expected, pages));
        EXPECT_EQ("", RecordDiff(expected, installed));

        ToolRun show = RunTool(L"show \"" + std::wstring(Office) + L"\"" + identity);
        EXPECT_EQ(EXIT_OK, show.code);
        std::string line = " " + std::string(c.field) + std::string(22 - strlen(c.field), ' ') + " " + Utf8(c.shown) + "\n";
        EXPECT_NE(std::string::npos, show.out.find(line)) << show.out;
    }
}

TEST_F(ToolTest, ShowNamesBothKeysAndGivesOneJsonObjectPerPrinter)
{
    ToolRun show = RunTool(L"show \"" + std::wstring(Office) + L"\"");
    EXPECT_EQ(EXIT_OK, show.code);
    EXPECT_NE(std::string::npos,
              show.out.find("HKLM\\SYSTEM\\Printers\\" HOST_TEST_PREFIX_NARROW "Tool Driver A (Document Properties"));
    EXPECT_NE(std::string::npos,
              show.out.find("HKLM\\SYSTEM\\Printers\\" HOST_TEST_PREFIX_NARROW "Tool Office (stored at installation)"));
    EXPECT_NE(std::string::npos, show.out.find("jobPassword            (hidden; --identity shows it)"));

    ToolRun json = RunTool(L"show --all --json");
    EXPECT_EQ(EXIT_OK, json.code);
    size_t office = json.out.find("{\"printer\":\"" HOST_TEST_PREFIX_NARROW "Tool Office\",\"driver\":\"" HOST_TEST_PREFIX_NARROW
                                  "Tool Driver A\"");
    ASSERT_NE(std::string::npos, office) << json.out;
    std::string object = json.out.substr(office, json.out.find('\n', office) - office);
    EXPECT_NE(std::string::npos, object.find("\"record\":\"valid\",\"initialized\":12345,\"jobAction\":0,"));
    EXPECT_NE(std::string::npos, object.find("\"owner\":null,\"jobPassword\":null,\"comment\":\"\","));
    EXPECT_EQ('}', object.back());
    EXPECT_NE(std::string::npos, json.out.find("{\"printer\":\"" HOST_TEST_PREFIX_NARROW "Tool Branch\""));
}

// --------------------------------------------------------------- refusals

// Every refused input names what is wrong, returns its own code and leaves
// every record byte for byte as it was.
TEST_F(ToolTest, RefusedInputLeavesTheRecordsAsTheyWere)
{
    std::wstring file = TempFile(L"bad.reg");
    std::wstring header = L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\";
    struct Case {
        std::wstring arguments;
        std::wstring fileText; // written to bad.reg first, when not empty
        DWORD code;
        const char *message;
    };
    const std::wstring office = L"\"" + std::wstring(Office) + L"\" ";
    const Case cases[] = {
        {L"set " + office + L"duplex=3", L"", EXIT_REFUSED, "duplex: \"3\" is not allowed; allowed: 0 = "},
        {L"set " + office + L"duplex=sideways", L"", EXIT_REFUSED, "is not allowed"},
        {L"set " + office + L"collate=2", L"", EXIT_REFUSED, "allowed: on, off, 1, 0"},
        {L"set " + office + L"staple=-1", L"", EXIT_REFUSED, "staple"},
        {L"set " + office + L"jobAux0=40000", L"", EXIT_REFUSED, "from -32768 to 32767"},
        {L"set " + office + L"comment=" + std::wstring(256, L'c'), L"", EXIT_REFUSED, "at most 255 characters"},
        {L"set " + office + L"colour=1", L"", EXIT_REFUSED, "not a field of the record"},
        {L"set " + office + L"initialized=1", L"", EXIT_REFUSED, "validity marker"},
        {L"set " + office + L"owner=Bob", L"", EXIT_REFUSED, "give --identity"},
        {L"set " + office + L"duplex=1 collate=maybe", L"", EXIT_REFUSED, "collate"},
        {L"set " + office + L"dispositionSelection=0", L"", EXIT_REFUSED,
         "For this record: jobAction=1 printDisposition=0 dispositionSelection=0"},
        {L"set " + office + L"impositionType=4 outputSheetSize=6", L"", EXIT_REFUSED, "2-up"},
        {L"set " + office + L"jobAction=1", L"", EXIT_REFUSED, "go together"},
        {L"set " + office + L"jobPassword= --identity", L"", EXIT_REFUSED, "hasJobPassword=0"},
        {L"set " + office + L"securePrint=on --identity", L"", EXIT_REFUSED, "without a securePassword"},
        {L"reset " + office + L"colour", L"", EXIT_REFUSED, "allowed: file, color, other, tray, info"},
        {L"set \"" HOST_TEST_PREFIX L"Tool Nowhere\" duplex=1", L"", EXIT_NO_PRINTER, "no such printer"},
        {L"set " + office, L"", EXIT_USAGE, "NAME=VALUE"},
        {L"frobnicate", L"", EXIT_USAGE, "not a command"},
        {L"import \"" + file + L"\" " + office, L"REGEDIT5\r\n", EXIT_BAD_FILE, "not a registry export"},
        {L"import \"" + file + L"\" " + office, header + L"X]\r\n\"User Info\"=hex:39,30,00\r\n", EXIT_BAD_FILE,
         "holds 3 bytes; a record has 1436"},
        {L"import \"" + file + L"\"", header + L"X]\r\n\"Other\"=dword:1\r\n", EXIT_BAD_FILE, "only binary"},
        {L"import \"" + file + L"\"", L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n",
         EXIT_BAD_FILE, "not a printer's record key"},
        {L"import \"" + TempFile(L"absent.reg") + L"\"", L"", EXIT_FAILED, "cannot read"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(Utf8(c.arguments));
        if (!c.fileText.empty()) {
            HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            DWORD written = 0;
            WriteFile(handle, c.fileText.data(), static_cast<DWORD>(c.fileText.size() * sizeof(wchar_t)), &written, NULL);
            CloseHandle(handle);
        }
        ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(c.code, run.code) << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << run.err;
        EXPECT_EQ(run.err.size() - 1, run.err.find('\n')) << "not one line: " << run.err;
        for (const wchar_t *name : {Office, DriverA})
            EXPECT_EQ("", RecordDiff(start, StoredRecord(name)));
    }
}

// The installation's key denies this account the write: set and reset
// report it with their own code, and the record Document Properties reads,
// which comes first, is not written either.
TEST_F(ToolTest, AccessDeniedIsReportedAndNothingIsWritten)
{
    WCHAR path[STORE_PATH_UNITS];
    UserInfoKeyPath(Office, path);
    ASSERT_TRUE(DenyKeySetValue(path, true));
    UserOptions changed = start;
    changed.duplex = 2;
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&changed, DriverA));
    // reset would write the full default, set the staple position.
    for (const wchar_t *command :
         {L"reset \"" HOST_TEST_PREFIX L"Tool Office\"", L"set \"" HOST_TEST_PREFIX L"Tool Office\" staple=1"}) {
        ToolRun run = RunTool(command);
        EXPECT_EQ(EXIT_ACCESS_DENIED, run.code) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("access denied")) << run.err;
        EXPECT_EQ("", RecordDiff(changed, StoredRecord(DriverA))) << "written before the refusal";
        EXPECT_EQ("", RecordDiff(start, StoredRecord(Office)));
    }
    ASSERT_TRUE(DenyKeySetValue(path, false));
}

TEST_F(ToolTest, ShowAndSetTellMissingAndInvalidRecordsApart)
{
    UserOptions unmarked = start;
    unmarked.initialized = 1;
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&unmarked, DriverA));
    ToolRun invalid = RunTool(L"show \"" + std::wstring(Office) + L"\"");
    EXPECT_EQ(EXIT_INVALID_RECORD, invalid.code);
    EXPECT_NE(std::string::npos, invalid.out.find("invalid record (no validity marker; the pages show defaults)"));
    EXPECT_NE(std::string::npos, invalid.out.find("12345 (valid)")) << "shows what the pages show";
    EXPECT_EQ(EXIT_INVALID_RECORD, RunTool(L"set \"" + std::wstring(Office) + L"\" duplex=1").code);
    UserOptions kept;
    EXPECT_EQ(sizeof(kept), ReadStoredValue(DriverA, &kept)) << "the store would read it as the default";
    EXPECT_EQ("", RecordDiff(unmarked, kept));

    DeleteUserInfo(DriverA);
    EXPECT_EQ(EXIT_NO_RECORD, RunTool(L"show \"" + std::wstring(Office) + L"\"").code);
    EXPECT_EQ(EXIT_NO_RECORD, RunTool(L"export \"" + std::wstring(Office) + L"\"").code);
    // reset repairs: the full default, under both keys; the installation's
    // key keeps its own user's identity fields.
    EXPECT_EQ(EXIT_OK, RunTool(L"reset \"" + std::wstring(Office) + L"\"").code);
    EXPECT_EQ("", RecordDiff(DefaultRecord(), StoredRecord(DriverA)));
    EXPECT_EQ("", RecordDiff(IdentityOver(DefaultRecord(), start), StoredRecord(Office)));
}

TEST_F(ToolTest, ResetOfASectionKeepsTheRestAndTheIdentityFields)
{
    UserOptions changed = start;
    changed.duplex = 2;
    changed.mirror = 1;
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&changed, DriverA));
    EXPECT_EQ(EXIT_OK, RunTool(L"reset \"" + std::wstring(Office) + L"\" tray info").code);
    UserOptions expected = changed;
    expected.duplex = 0;
    EXPECT_EQ("", RecordDiff(expected, StoredRecord(DriverA)));
    EXPECT_EQ(EXIT_OK, RunTool(L"reset \"" + std::wstring(Office) + L"\" info --identity").code);
    EXPECT_EQ(0, StoredRecord(DriverA).owner[0]);
}

// ---------------------------------------------------------- export, import

TEST_F(ToolTest, ExportThenImportIntoAnotherPrinterGivesTheSameRecord)
{
    UserOptions site = start;
    site.duplex = 1;
    site.collate = 1;
    site.mediaType = 4;
    lstrcpyW(site.comment, L"site \u00e6\u00f8\u00e5");
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&site, DriverA));
    UserOptions branchUser = start;
    lstrcpyW(branchUser.owner, L"Bo");
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&branchUser, DriverB));

    std::wstring file = TempFile(L"site.reg");
    ASSERT_EQ(EXIT_OK, RunTool(L"export \"" + std::wstring(Office) + L"\" \"" + file + L"\"").code);
    ToolRun import = RunTool(L"import \"" + file + L"\" \"" + std::wstring(Branch) + L"\"");
    ASSERT_EQ(EXIT_OK, import.code) << import.err;
    // Without --identity the branch's own user keeps owner and password.
    UserOptions expected = site;
    lstrcpyW(expected.owner, L"Bo");
    EXPECT_EQ("", RecordDiff(expected, StoredRecord(DriverB)));

    ASSERT_EQ(EXIT_OK, RunTool(L"export \"" + std::wstring(Office) + L"\" \"" + file + L"\" --identity").code);
    ASSERT_EQ(EXIT_OK, RunTool(L"import \"" + file + L"\" \"" + std::wstring(Branch) + L"\" --identity").code);
    EXPECT_EQ("", RecordDiff(site, StoredRecord(DriverB)));
    EXPECT_EQ("", RecordDiff(site, StoredRecord(Branch)));

    // The file without a printer goes back to the keys it names.
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&start, DriverA));
    EXPECT_EQ(EXIT_OK, RunTool(L"import \"" + file + L"\" --identity").code);
    EXPECT_EQ("", RecordDiff(site, StoredRecord(DriverA)));
}

// Redirected, export's standard output is the .reg file itself: UTF-16
// behind a BOM as regedit reads it, byte for byte what export writes to a
// file. That file replaces an older, longer one whole.
TEST_F(ToolTest, ExportToRedirectedOutputIsTheRegFileAndReplacesAnOldOne)
{
    ToolRun piped = RunTool(L"export \"" + std::wstring(Office) + L"\"");
    ASSERT_EQ(EXIT_OK, piped.code) << piped.err;
    ASSERT_GE(piped.out.size(), 2u);
    EXPECT_EQ("\xFF\xFE", piped.out.substr(0, 2));
    std::vector<RegRecord> records;
    std::wstring error;
    ASSERT_EQ(REG_PARSED, ParseRegFile(std::vector<BYTE>(piped.out.begin(), piped.out.end()), &records, &error));
    ASSERT_EQ(2u, records.size());
    EXPECT_TRUE(records[0].key == DriverA);
    EXPECT_TRUE(records[1].key == Office);
    UserOptions expected = start;
    ClearIdentityFields(expected);
    EXPECT_EQ("", RecordDiff(expected, records[0].record));

    std::wstring file = TempFile(L"replaced.reg");
    HANDLE old = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    std::string longer(3 * piped.out.size(), 'x');
    DWORD written = 0;
    WriteFile(old, longer.data(), static_cast<DWORD>(longer.size()), &written, NULL);
    CloseHandle(old);
    ToolRun exported = RunTool(L"export \"" + std::wstring(Office) + L"\" \"" + file + L"\"");
    ASSERT_EQ(EXIT_OK, exported.code) << exported.err;
    EXPECT_TRUE(ReadWholeFile(file) == piped.out);
    DeleteFileW(file.c_str());
}

// A failed write leaves what was at the path as it was, leaves nothing
// else behind, and says why.
TEST_F(ToolTest, FailedExportLeavesTheOldFileAndSaysWhy)
{
    std::wstring folder = TempFile(L"folder.reg"), readOnly = TempFile(L"read-only.reg"),
                 nowhere = TempFile(L"nowhere\\site.reg");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), NULL));
    HANDLE old = CreateFileW(readOnly.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY, NULL);
    DWORD written = 0;
    WriteFile(old, "old", 3, &written, NULL);
    CloseHandle(old);
    struct Case {
        const char *what;
        std::wstring path;
    } cases[] = {{"a folder", folder}, {"a read-only file", readOnly}, {"a missing folder", nowhere}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ToolRun run = RunTool(L"export \"" + std::wstring(Office) + L"\" \"" + c.path + L"\"");
        EXPECT_EQ(EXIT_FAILED, run.code);
        size_t said = run.err.find("cannot write the file: ");
        EXPECT_NE(std::string::npos, said) << run.err;
        EXPECT_TRUE(said != std::string::npos && run.err.find("(error ", said) != std::string::npos)
            << "the system's reason: " << run.err;
        EXPECT_EQ("", run.out);
        WIN32_FIND_DATAW found;
        HANDLE left = FindFirstFileW((c.path + L"*").c_str(), &found);
        EXPECT_TRUE(left == INVALID_HANDLE_VALUE || FindNextFileW(left, &found) == FALSE)
            << "a temporary file is left beside the path";
        if (left != INVALID_HANDLE_VALUE)
            FindClose(left);
    }
    EXPECT_NE(0u, GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ("old", ReadWholeFile(readOnly));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(TempFile(L"nowhere").c_str()));
    RemoveDirectoryW(folder.c_str());
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(readOnly.c_str());
}

// Output that could not be written is no success, for a script that reads
// it: exit code 8 and the system's reason on standard error.
TEST_F(ToolTest, FailedWritesToStandardOutputEndWithExitCode8)
{
    std::wstring file = TempFile(L"site.reg");
    for (const std::wstring &command :
         {L"export \"" + std::wstring(Office) + L"\"", L"export \"" + std::wstring(Office) + L"\" \"" + file + L"\"",
          L"show \"" + std::wstring(Office) + L"\" --json", std::wstring(L"list"), std::wstring(L"--help")}) {
        SCOPED_TRACE(Utf8(command));
        ToolRun run = RunTool(command, true);
        EXPECT_EQ(EXIT_FAILED, run.code);
        EXPECT_NE(std::string::npos, run.err.find("cannot write to standard output: ")) << run.err;
    }
    DeleteFileW(file.c_str());
}

TEST_F(ToolTest, ImportRefusesTruncatedOversizedAndUnmarkedExports)
{
    std::wstring file = TempFile(L"site.reg");
    ASSERT_EQ(EXIT_OK, RunTool(L"export \"" + std::wstring(Office) + L"\" \"" + file + L"\"").code);
    std::string original = ReadWholeFile(file);
    std::wstring text(reinterpret_cast<const wchar_t *>(original.data()) + 1, original.size() / 2 - 1);
    size_t last = text.rfind(L"\r\n", text.size() - 3);
    struct Case {
        const char *what;
        std::wstring text;
        const char *message;
    } cases[] = {
        {"truncated", text.substr(0, last) + L"\r\n", "bytes; a record has 1436"},
        {"oversized", text.substr(0, text.size() - 2) + L",00\r\n", "holds 1437 bytes"},
        {"unmarked", text.substr(0, text.find(L"=hex:39,30") + 5) + L"00" + text.substr(text.find(L"=hex:39,30") + 7),
         "lacks the validity marker"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written = 0;
        std::wstring bytes = L"\xFEFF" + c.text;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size() * sizeof(wchar_t)), &written, NULL);
        CloseHandle(handle);
        ToolRun run = RunTool(L"import \"" + file + L"\" \"" + std::wstring(Branch) + L"\"");
        EXPECT_EQ(EXIT_BAD_FILE, run.code);
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << run.err;
        EXPECT_EQ("", RecordDiff(start, StoredRecord(DriverB)));
    }
}

// import holds a file's record to the rules set holds an admin's words to:
// a combination the pages never save is refused and nothing is written.
// The identity fields' rules count only with --identity, since import keeps
// each key's own identity fields otherwise.
TEST_F(ToolTest, ImportRefusesRecordsThePagesNeverSave)
{
    struct Case {
        const char *what;
        void (*change)(UserOptions &);
        const wchar_t *option;
        DWORD code;
        const char *message;
    } cases[] = {
        {"printing, but the disposition differs from the list's",
         [](UserOptions &r) { r.dispositionSelection = 1; }, L"", EXIT_BAD_FILE, "go together"},
        {"2-up imposition on an A4 sheet",
         [](UserOptions &r) {
             r.impositionType = 4;
             r.outputSheetSize = 6;
         },
         L"", EXIT_BAD_FILE, "not offered"},
        {"secure printing without a password", [](UserOptions &r) { r.securePrint = 1; }, L" --identity",
         EXIT_BAD_FILE, "without a securePassword"},
        {"the same, its identity fields left aside", [](UserOptions &r) { r.securePrint = 1; }, L"", EXIT_OK, ""},
    };
    std::wstring file = TempFile(L"rules.reg");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        UserOptions record = start;
        c.change(record);
        std::vector<BYTE> bytes = RegFileBytes(RegFileText({}, {{HOST_TEST_NAME(L"Tool Driver B"), record}}));
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
        CloseHandle(handle);
        ToolRun run = RunTool(L"import \"" + file + L"\"" + c.option);
        EXPECT_EQ(c.code, run.code) << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.message)) << run.err;
        if (c.code != EXIT_OK) {
            EXPECT_EQ("", RecordDiff(start, StoredRecord(DriverB)));
        }
    }
}

// ------------------------------------------------------- identity fields

// An identity text as an earlier version left it: text, terminator, then
// the rest of a longer text that was there before.
template <size_t N> void WithRemnant(WCHAR (&field)[N], const wchar_t *before, const wchar_t *now)
{
    memset(field, 0, sizeof(field));
    lstrcpynW(field, before, N);
    memcpy(field, now, (wcslen(now) + 1) * sizeof(WCHAR));
}

// The same text with nothing behind it.
template <size_t N> void Clean(WCHAR (&field)[N])
{
    for (size_t i = wcslen(field); i < N; ++i)
        field[i] = 0;
}

void CleanIdentity(UserOptions &record)
{
    Clean(record.owner);
    Clean(record.jobPassword);
    Clean(record.accountNumber);
    Clean(record.securePassword);
}

// The two keys of one printer hold different users' identity fields, each
// with the rest of an older text behind it. set, reset and import change
// each key from its own record: each keeps its own identity fields, and
// none of them keeps a remnant.
TEST_F(ToolTest, EachKeyKeepsItsOwnIdentityWithNothingBehindIt)
{
    UserOptions pagesUser = start, installUser = start;
    WithRemnant(pagesUser.owner, L"LongOwnerName", L"x");
    WithRemnant(pagesUser.jobPassword, L"SECRET78", L"y");
    WithRemnant(installUser.owner, L"AnotherOwner", L"Bo");
    WithRemnant(installUser.accountNumber, L"4711-0815-4711", L"");
    WithRemnant(installUser.securePassword, L"SECURE78", L"s");
    installUser.securePrint = 1;
    UserOptions site = DefaultRecord();
    site.duplex = 2;
    site.mirror = 1;
    std::wstring file = TempFile(L"site.reg");
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&site, DriverB));
    ASSERT_EQ(EXIT_OK, RunTool(L"export \"" + std::wstring(Branch) + L"\" \"" + file + L"\"").code);

    const std::wstring office = L"\"" + std::wstring(Office) + L"\" ";
    struct Row {
        std::wstring command;
        std::function<void(UserOptions &)> expect; // applied to each key's record
    } rows[] = {
        {L"set " + office + L"duplex=1", [](UserOptions &r) { r.duplex = 1; }},
        {L"reset " + office, [](UserOptions &r) { r = IdentityOver(DefaultRecord(), r); }},
        {L"reset " + office + L"tray", [](UserOptions &r) { r.duplex = 0; }},
        {L"import \"" + file + L"\" \"" + std::wstring(Office) + L"\"",
         [site](UserOptions &r) { r = IdentityOver(site, r); }},
        {L"set " + office + L"owner=z --identity", [](UserOptions &r) { lstrcpyW(r.owner, L"z"); }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(Utf8(row.command));
        ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&pagesUser, DriverA));
        ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&installUser, Office));
        ToolRun run = RunTool(row.command);
        ASSERT_EQ(EXIT_OK, run.code) << run.err;
        for (auto key : {std::make_pair(DriverA, pagesUser), std::make_pair(Office, installUser)}) {
            UserOptions expected = key.second;
            row.expect(expected);
            CleanIdentity(expected);
            EXPECT_EQ("", RecordDiff(expected, StoredRecord(key.first))) << "under " << Utf8(key.first);
        }
    }
}

// An export leaves the machine: without --identity the identity fields are
// zero over their whole width, with it the texts end at their terminators.
// Neither carries a unit of an older text, nor does show --json.
TEST_F(ToolTest, ExportAndShowCarryNoRemnantOfOldTexts)
{
    UserOptions stored = start;
    WithRemnant(stored.owner, L"LongOwnerName", L"x");
    WithRemnant(stored.jobPassword, L"SECRET78", L"");
    WithRemnant(stored.accountNumber, L"ACCOUNT-4711", L"A");
    WithRemnant(stored.securePassword, L"SECURE78", L"s");
    stored.securePrint = 1;
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&stored, DriverA));

    UserOptions withoutIdentity = stored, withIdentity = stored;
    memset(withoutIdentity.owner, 0, sizeof(withoutIdentity.owner));
    memset(withoutIdentity.jobPassword, 0, sizeof(withoutIdentity.jobPassword));
    memset(withoutIdentity.accountNumber, 0, sizeof(withoutIdentity.accountNumber));
    memset(withoutIdentity.securePassword, 0, sizeof(withoutIdentity.securePassword));
    withoutIdentity.securePrint = withoutIdentity.hasJobPassword = 0;
    CleanIdentity(withIdentity);
    const struct {
        const wchar_t *option;
        const UserOptions *expected;
    } rows[] = {{L"", &withoutIdentity}, {L" --identity", &withIdentity}};
    std::wstring file = TempFile(L"site.reg");
    for (const auto &row : rows) {
        SCOPED_TRACE(Utf8(row.option));
        ASSERT_EQ(EXIT_OK, RunTool(L"export \"" + std::wstring(Office) + L"\" \"" + file + L"\"" + row.option).code);
        std::string text = ReadWholeFile(file);
        std::vector<RegRecord> records;
        std::wstring error;
        ASSERT_EQ(REG_PARSED, ParseRegFile(std::vector<BYTE>(text.begin(), text.end()), &records, &error)) << Utf8(error);
        ASSERT_EQ(2u, records.size());
        for (const RegRecord &record : records)
            EXPECT_EQ("", RecordDiff(*row.expected, record.record)) << Utf8(record.key);

        ToolRun json = RunTool(L"show \"" + std::wstring(Office) + L"\" --json" + row.option);
        for (const char *remnant : {"ngOwnerName", "CRET78", "COUNT", "CURE78"})
            EXPECT_EQ(std::string::npos, json.out.find(remnant)) << json.out;
    }
}

// ----------------------------------------------- what the user then sees

// The sheet opened for a printer whose name differs from its driver's shows
// what set wrote.
TEST_F(ToolTest, DocumentPropertiesOfThePrinterShowsTheValueSet)
{
    ASSERT_EQ(EXIT_OK, RunTool(L"set \"" + std::wstring(Office) + L"\" duplex=2").code);
    PluginModule plugin;
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    HANDLE printer = NULL;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(Office), &printer, NULL));
    HostSheet sheet;
    ASSERT_TRUE(HostOpenDocumentProperties(&sheet, ui, printer, L"Document Properties"));
    SendMessageW(sheet.window, PSM_SETCURSEL, 3, 0);
    HWND tray = reinterpret_cast<HWND>(SendMessageW(sheet.window, PSM_GETCURRENTPAGEHWND, 0, 0));
    EXPECT_EQ(2, SendDlgItemMessageW(tray, IDC_TRAY_DUPLEX, CB_GETCURSEL, 0, 0));
    HostEndSheet(&sheet);
    ClosePrinter(printer);
    ui->Release();
}

// Scripts and group-policy reports test the numbers the help and the README
// give; a number, once given a meaning, keeps it.
TEST(ExitCodes, HelpGivesEachMeaningItsNumber)
{
    static const struct {
        int number;
        const char *meaning;
    } rows[] = {
        {0, "done"}, {1, "the command line is not understood"}, {2, "no such printer"},
        {3, "no record is stored"}, {4, "the stored record is invalid"}, {5, "access denied"},
        {6, "a field name or value was refused"}, {7, "the .reg file is malformed"}, {8, "another failure"},
    };
    ToolRun run = RunTool(L"--help");
    EXPECT_EQ(0u, run.code);
    for (const auto &row : rows)
        EXPECT_NE(std::string::npos, run.out.find("  " + std::to_string(row.number) + "  " + row.meaning))
            << row.number << " " << row.meaning;

    // A command line that names no command does nothing, and says so.
    static const struct {
        const wchar_t *arguments;
        DWORD code;
    } lines[] = {{L"", 1}, {L"--frobnicate", 1}, {L"frobnicate", 1}};
    for (const auto &line : lines)
        EXPECT_EQ(line.code, RunTool(line.arguments).code) << Utf8(line.arguments);
}

// --------------------------------------------------------- template reader

// The captions come from templates in whatever DLL an admin names: a
// template cut short anywhere gives the caption or nothing, and reads no
// byte past its end (the page behind it is inaccessible).
TEST(TemplateCaption, CutTemplatesGiveTheCaptionOrNothing)
{
    HMODULE texts = LoadLibraryExW(PluginPath(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceW(texts, MAKEINTRESOURCEW(IDD_FILE_PAGE), RT_DIALOG);
    DWORD size = SizeofResource(texts, found);
    const BYTE *resource = static_cast<const BYTE *>(LockResource(LoadResource(texts, found)));
    std::wstring full = TemplateControlCaption(resource, size, IDC_FILE_SPOOL_HOLD);
    EXPECT_FALSE(full.empty());

    GuardedPages guard(size);
    for (DWORD length = 0; length <= size; ++length) {
        BYTE *copy = static_cast<BYTE *>(guard.End(length));
        memcpy(copy, resource, length);
        std::wstring caption = TemplateControlCaption(copy, length, IDC_FILE_SPOOL_HOLD);
        EXPECT_TRUE(caption.empty() || caption == full) << length;
    }
    EXPECT_EQ(L"", TemplateControlCaption(resource, size, 4242));
    FreeLibrary(texts);
}

} // namespace
