// The record decoder on what an admin would hand it: a value exported with
// reg.exe, a devmode extension, a stray file.
#include <stdio.h>

#include <string>

#include "tests/settings/settings_support.h"

#include "host/record_decoder.h"
#include "settings/store.h"

namespace {

const wchar_t DecoderKey[] = HOST_TEST_NAME(L"Decoder");

std::string Decoded(const UserOptions &record, HMODULE strings)
{
    ScratchDirectory dir;
    FILE *out = _wfopen(dir.File(L"decoded.txt").c_str(), L"wb");
    DecoderPrintRecord(&record, strings, out);
    fclose(out);
    return ReadWholeFile(dir.File(L"decoded.txt"));
}

void WriteBytes(const std::wstring &path, const void *data, DWORD size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, data, size, &written, NULL));
    CloseHandle(file);
}

bool RunReg(const std::wstring &arguments)
{
    std::wstring command = L"reg.exe " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

TEST(DecoderTest, ReadsTheValueThatRegExportWrites)
{
    wchar_t reg[MAX_PATH];
    if (!SearchPathW(NULL, L"reg.exe", NULL, MAX_PATH, reg, NULL))
        GTEST_SKIP() << "no reg.exe here: Windows 2000 has it only with its Support Tools";
    UserOptions record = GoldenRecord();
    record.duplex = 2;
    lstrcpyW(record.owner, L"Søren");
    ASSERT_EQ(ERROR_SUCCESS, SetUserInfo(&record, DecoderKey));
    ScratchDirectory dir;
    std::wstring file = dir.File(L"export.reg");
    ASSERT_TRUE(RunReg(L"export \"HKLM\\SYSTEM\\Printers\\" + std::wstring(DecoderKey) + L"\" \"" + file + L"\" /y"));
    DeleteStored(DecoderKey);

    UserOptions read;
    size_t size = 0;
    ASSERT_TRUE(DecoderReadFile(file.c_str(), &read, &size));
    EXPECT_EQ("", RecordDiff(record, read));
}

TEST(DecoderTest, ReadsDevmodeExtensionsAndRefusesOtherFiles)
{
    ScratchDirectory dir;
    PrivateDevmode devmode;
    memset(&devmode, 0x21, sizeof(devmode));
    devmode.options = GoldenRecord();
    WriteBytes(dir.File(L"devmode.bin"), &devmode, sizeof(devmode));
    WriteBytes(dir.File(L"other.bin"), &devmode, 100);

    UserOptions read;
    size_t size = 0;
    ASSERT_TRUE(DecoderReadFile(dir.File(L"devmode.bin").c_str(), &read, &size));
    EXPECT_EQ("", RecordDiff(GoldenRecord(), read));
    EXPECT_FALSE(DecoderReadFile(dir.File(L"other.bin").c_str(), &read, &size));
    EXPECT_EQ(100u, size);
}

TEST(DecoderTest, PrintsFieldsInRecordOrderWithTheirMeaning)
{
    UserOptions record = GoldenRecord();
    record.whitePoint = 3;
    record.staple = -1;
    record.mirror = 2;
    record.sectionSize = 2;
    std::string text = Decoded(record, NULL);

    EXPECT_LT(text.find(" initialized "), text.find(" jobAction "));
    EXPECT_LT(text.find(" mediaType "), text.find(" addressText "));
    EXPECT_LT(text.find(" hasJobPassword "), text.find(" infoAux "));
    EXPECT_NE(std::string::npos, text.find("12345 (valid)"));
    EXPECT_NE(std::string::npos, text.find("rgbCorrection          on\n"));
    EXPECT_NE(std::string::npos, text.find("printSimulation        off\n"));
    EXPECT_NE(std::string::npos, text.find("mirror                 2 (not a flag value"));
    EXPECT_NE(std::string::npos, text.find("whitePoint             3 (beyond the list's 3 entries)"));
    EXPECT_NE(std::string::npos, text.find("staple                 -1 (nothing chosen)"));
    EXPECT_NE(std::string::npos, text.find("sectionSize            2 = 8\n"));
    EXPECT_NE(std::string::npos, text.find("gamma                  3\n")) << "no strings, position alone";
    EXPECT_NE(std::string::npos, text.find("addressText            \"255.255.255.255\""));
}

// The list texts come from the plug-in's string table once it has one.
TEST(DecoderTest, NamesListPositionsFromThePluginsStrings)
{
    HMODULE strings = DecoderLoadStrings(PluginPath());
    ASSERT_TRUE(strings != NULL);
    WCHAR expected[256];
    bool haveString = LoadStringW(strings, 77, expected, 256) > 0;
    std::string text = Decoded(GoldenRecord(), strings);
    FreeLibrary(strings);
    if (haveString) {
        char utf8[512];
        WideCharToMultiByte(CP_UTF8, 0, expected, -1, utf8, sizeof(utf8), NULL, NULL);
        EXPECT_NE(std::string::npos, text.find("printDisposition       2 = " + std::string(utf8) + "\n"));
    } else {
        EXPECT_NE(std::string::npos, text.find("printDisposition       2\n"));
    }
}

} // namespace
