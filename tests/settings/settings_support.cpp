#include "tests/settings/settings_support.h"
#include "settings/store.h"

#include "host/printer_setup.h"
#include "host/record_decoder.h"

GuardedPages::GuardedPages(size_t bytes)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    size_t page = info.dwPageSize;
    size_t committed = (bytes + page - 1) / page * page;
    m_base = static_cast<BYTE *>(VirtualAlloc(NULL, committed + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    m_end = m_base + committed;
    DWORD old;
    EXPECT_TRUE(VirtualProtect(m_end, page, PAGE_NOACCESS, &old));
}

GuardedPages::~GuardedPages()
{
    VirtualFree(m_base, 0, MEM_RELEASE);
}

PWSTR GuardedPages::Name(const std::wstring &prefix, size_t length, wchar_t fill)
{
    std::wstring text = prefix;
    text.resize(length, fill);
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    PWSTR name = static_cast<PWSTR>(End(bytes));
    memcpy(name, text.c_str(), bytes);
    return name;
}

std::wstring StoreKeyPath(const std::wstring &keyName)
{
    return std::wstring(STORE_PARENT_KEY L"\\") + keyName;
}

bool StoreKeyExists(const std::wstring &keyName)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(keyName).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void DeleteStoreKey(const std::wstring &keyName)
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, StoreKeyPath(keyName).c_str());
}

void WriteStoredValue(const std::wstring &keyName, const void *data, DWORD size, DWORD type)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(keyName).c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key, STORE_VALUE_NAME, 0, type, static_cast<const BYTE *>(data), size));
    RegCloseKey(key);
}

DWORD ReadStoredValue(const std::wstring &keyName, UserOptions *record)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(keyName).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD size = sizeof(*record);
    LONG status = RegQueryValueExW(key, STORE_VALUE_NAME, NULL, NULL, reinterpret_cast<BYTE *>(record), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? size : 0;
}

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

UserOptions FilledRecord(BYTE fill)
{
    UserOptions record;
    memset(&record, fill, sizeof(record));
    return record;
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

std::string ReadWholeFile(const std::wstring &path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string content(GetFileSize(file, NULL), '\0');
    DWORD read = 0;
    if (!content.empty())
        ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, NULL);
    CloseHandle(file);
    content.resize(read);
    return content;
}

std::wstring EnvPath(const wchar_t *variable)
{
    wchar_t path[MAX_PATH] = {0};
    if (!GetEnvironmentVariableW(variable, path, MAX_PATH))
        ADD_FAILURE() << "environment variable not set";
    return path;
}
