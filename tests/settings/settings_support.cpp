#include "tests/settings/settings_support.h"

#include "host/printer_setup.h"
#include "host/record_decoder.h"

const UserOptions &GoldenRecord()
{
    static UserOptions golden;
    static bool loaded;
    if (!loaded) {
        size_t size = 0;
        memset(&golden, 0xEE, sizeof(golden));
        EXPECT_TRUE(DecoderReadFile(EnvPath(L"QLX_GOLDEN_RECORD").c_str(), &golden, &size));
        EXPECT_EQ(sizeof(golden), size);
        loaded = true;
    }
    return golden;
}

void InstallTestDriver()
{
    static bool installed;
    if (!installed)
        installed = HostInstallDriver(TEST_DRIVER_NAME, EnvPath(L"QLX_DRIVER_CONFIG").c_str());
    ASSERT_TRUE(installed);
}

void AddTestPrinter(const std::wstring &name)
{
    InstallTestDriver();
    ASSERT_TRUE(HostAddPrinter(name.c_str(), TEST_DRIVER_NAME));
}

void RemoveTestPrinter(const std::wstring &name)
{
    HostDeletePrinter(name.c_str());
}

DWORD ReadPrinterData(const std::wstring &printer, const wchar_t *value, DWORD *type, void *data, DWORD size)
{
    DWORD needed = 0;
    return HostGetPrinterData(printer.c_str(), value, type, static_cast<BYTE *>(data), size, &needed);
}

ScratchDirectory::ScratchDirectory()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetCurrentDirectoryW(MAX_PATH, m_previous);
    for (unsigned n = GetTickCount();; ++n) {
        m_path = std::wstring(temp) + HOST_TEST_PREFIX + std::to_wstring(n);
        if (CreateDirectoryW(m_path.c_str(), NULL))
            break;
    }
    SetCurrentDirectoryW(m_path.c_str());
}

ScratchDirectory::~ScratchDirectory()
{
    SetCurrentDirectoryW(m_previous);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((m_path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring child = m_path + L"\\" + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(child.c_str());
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(m_path.c_str());
}
