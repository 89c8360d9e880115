#include "tests/support/record_support.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include "settings/printername.h"
#include "settings/recordfields.h"

UserOptions DefaultRecord()
{
    UserOptions record;
    FillMemory(&record, sizeof(record), 0xde);
    MakeDefaultRecord(&record);
    return record;
}

UserOptions FilledRecord(BYTE fill)
{
    UserOptions record;
    FillMemory(&record, sizeof(record), fill);
    return record;
}

std::wstring StoreKeyName(const wchar_t *printer)
{
    return ShortPrinterName(printer);
}

StoredState ReadStored(const std::wstring &keyName, UserOptions *record)
{
    StoredRead read;
    FillMemory(&read, sizeof(read), 0xde);
    FillMemory(record, sizeof(*record), 0xde);
    ReadRecordAt(keyName.c_str(), record, &read);
    return read.state;
}

UserOptions StoredRecord(const std::wstring &keyName)
{
    UserOptions record;
    EXPECT_EQ(STORED_VALID, ReadStored(keyName, &record)) << "no valid record is stored";
    return record;
}

void WriteStored(const std::wstring &keyName, const UserOptions &record)
{
    EXPECT_EQ(ERROR_SUCCESS, WriteRecordAt(keyName.c_str(), &record));
}

void DeleteStored(const std::wstring &keyName)
{
    DeleteRecordAt(keyName.c_str());
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

DWORD ReadStoredValue(const std::wstring &keyName, UserOptions *record)
{
    HKEY key;
    FillMemory(record, sizeof(*record), 0xde);
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(keyName).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    DWORD size = sizeof(*record);
    LONG status = RegQueryValueExW(key, STORE_VALUE_NAME, NULL, NULL, reinterpret_cast<BYTE *>(record), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? size : 0;
}

void WriteStoredValue(const std::wstring &keyName, const void *data, DWORD size, DWORD type)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, StoreKeyPath(keyName).c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, STORE_VALUE_NAME, 0, type, static_cast<const BYTE *>(data), size));
    RegCloseKey(key);
}

// One line for a field (or reserved byte) that differs.
static std::string FieldDiff(const UserOptions &expected, const UserOptions &actual, const RecordField *field,
                             size_t offset)
{
    char line[160];
    const BYTE *want = reinterpret_cast<const BYTE *>(&expected), *got = reinterpret_cast<const BYTE *>(&actual);
    if (!field) {
        snprintf(line, sizeof(line), "byte %u: %u, not %u\n", static_cast<unsigned>(offset), got[offset],
                 want[offset]);
    } else if (field->kind == FIELD_TEXT) {
        const WCHAR *a = RecordFieldText(expected, *field), *b = RecordFieldText(actual, *field);
        unsigned unit = 0;
        while (unit + 1 < field->width / sizeof(WCHAR) && a[unit] == b[unit])
            ++unit;
        snprintf(line, sizeof(line), "%s (offset %u): unit %u is 0x%04x, not 0x%04x\n", field->name,
                 static_cast<unsigned>(offset), unit, b[unit], a[unit]);
    } else {
        snprintf(line, sizeof(line), "%s (offset %u): %ld, not %ld\n", field->name, static_cast<unsigned>(offset),
                 RecordFieldValue(actual, *field), RecordFieldValue(expected, *field));
    }
    return line;
}

std::string RecordDiff(const UserOptions &expected, const UserOptions &actual)
{
    std::string diff;
    const BYTE *want = reinterpret_cast<const BYTE *>(&expected), *got = reinterpret_cast<const BYTE *>(&actual);
    for (size_t offset = 0; offset < sizeof(UserOptions);) {
        const RecordField *field = RecordFieldAt(offset);
        size_t width = field ? field->offset + field->width - offset : 1;
        if (memcmp(want + offset, got + offset, width))
            diff += FieldDiff(expected, actual, field, offset);
        offset += width;
    }
    return diff;
}

GuardedPages::GuardedPages(size_t bytes, DWORD guard)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    size_t page = info.dwPageSize;
    size_t committed = (bytes + page - 1) / page * page;
    m_base = static_cast<BYTE *>(VirtualAlloc(NULL, committed + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    m_end = m_base + committed;
    DWORD old;
    EXPECT_TRUE(VirtualProtect(m_end, page, guard, &old));
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
