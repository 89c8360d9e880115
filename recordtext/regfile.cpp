#include "recordtext/regfile.h"
#include "settings/store.h"

#include <string.h>

#include "recordtext/output.h"

static const wchar_t RegVersion5[] = L"Windows Registry Editor Version 5.00";
static const wchar_t RegVersion4[] = L"REGEDIT4";
static const wchar_t RecordRoot[] = L"HKEY_LOCAL_MACHINE\\" STORE_PARENT_KEY L"\\";
static const wchar_t RecordValue[] = L"\"User Info\"";

// ------------------------------------------------------------------ write

std::wstring RegFileText(const std::vector<std::wstring> &comments, const std::vector<RegRecord> &records)
{
    static const wchar_t hex[] = L"0123456789abcdef";
    std::wstring text = std::wstring(RegVersion5) + L"\r\n\r\n";
    for (const std::wstring &comment : comments)
        text += L"; " + comment + L"\r\n";
    for (const RegRecord &entry : records) {
        text += L"\r\n[" + std::wstring(RecordRoot) + entry.key + L"]\r\n" + RecordValue + L"=hex:";
        const BYTE *bytes = reinterpret_cast<const BYTE *>(&entry.record);
        // regedit's own wrapping: about 80 columns, continued lines indented.
        size_t column = wcslen(RecordValue) + 5;
        for (size_t i = 0; i < sizeof(entry.record); ++i) {
            text += hex[bytes[i] >> 4];
            text += hex[bytes[i] & 15];
            column += 2;
            if (i + 1 == sizeof(entry.record))
                break;
            text += L',';
            if (++column >= 76) {
                text += L"\\\r\n  ";
                column = 2;
            }
        }
        text += L"\r\n";
    }
    return text;
}

std::vector<BYTE> RegFileBytes(const std::wstring &text)
{
    std::vector<BYTE> bytes = {0xFF, 0xFE};
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>((unit >> 8) & 0xFF));
    }
    return bytes;
}

// ------------------------------------------------------------------- read

static std::wstring DecodeText(const std::vector<BYTE> &bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        return text;
    }
    size_t skip = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    const char *data = reinterpret_cast<const char *>(bytes.data()) + skip;
    int length = static_cast<int>(bytes.size() - skip);
    if (length <= 0)
        return std::wstring();
    UINT codePage = CP_UTF8;
    int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, data, length, NULL, 0);
    if (units <= 0) {
        codePage = CP_ACP;
        units = MultiByteToWideChar(codePage, 0, data, length, NULL, 0);
    }
    std::wstring text(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, data, length, &text[0], units);
    return text;
}

// A line without its blanks and its CR. A line of nothing else, as hand
// edits leave them, comes out empty like any other blank line.
static std::wstring Trimmed(const std::wstring &line)
{
    size_t first = line.find_first_not_of(L" \t\r");
    if (first == std::wstring::npos)
        return std::wstring();
    size_t last = line.find_last_not_of(L" \t\r");
    return line.substr(first, last - first + 1);
}

// Lines with regedit's continuations joined: a line ending in a backslash
// goes on in the next. A comment never does: regedit takes a ';' line as a
// comment whole, whatever it ends in, and an admin's note ending in a path
// must not swallow the key under it.
static std::vector<std::wstring> LogicalLines(const std::wstring &text)
{
    std::vector<std::wstring> lines;
    std::wstring pending;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        bool comment = pending.empty() && !line.empty() && line[0] == L';';
        if (!comment && !line.empty() && line.back() == L'\\') {
            line.pop_back();
            pending += line;
            continue;
        }
        lines.push_back(pending + line);
        pending.clear();
    }
    if (!pending.empty())
        lines.push_back(pending);
    return lines;
}

static int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// "39,30,04,..." into bytes; false at anything but pairs of hex digits.
static bool ParseHexBytes(const std::wstring &digits, std::vector<BYTE> *bytes)
{
    size_t i = 0;
    while (i < digits.size()) {
        while (i < digits.size() && (digits[i] == L' ' || digits[i] == L'\t'))
            ++i;
        if (i == digits.size())
            break;
        int high = HexDigit(digits[i]), low = i + 1 < digits.size() ? HexDigit(digits[i + 1]) : -1;
        if (high < 0 || low < 0)
            return false;
        bytes->push_back(static_cast<BYTE>(high * 16 + low));
        i += 2;
        while (i < digits.size() && (digits[i] == L' ' || digits[i] == L'\t'))
            ++i;
        if (i < digits.size() && digits[i++] != L',')
            return false;
    }
    return true;
}

// Whether text holds prefix at *at, ASCII letters in either case; moves *at
// past it. regedit matches key roots, value names and type prefixes without
// regard to case, and the names matched here are all ASCII. A locale's fold
// would not do: a Turkish system folds 'i' to a dotted capital, and
// HKEY_LOCAL_MACHINE would then not match itself.
static bool TakeFolded(const std::wstring &text, size_t *at, const wchar_t *prefix)
{
    size_t length = wcslen(prefix);
    if (text.size() - *at < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        wchar_t a = text[*at + i], b = prefix[i];
        if (a >= L'a' && a <= L'z')
            a = static_cast<wchar_t>(a - L'a' + L'A');
        if (b >= L'a' && b <= L'z')
            b = static_cast<wchar_t>(b - L'a' + L'A');
        if (a != b)
            return false;
    }
    *at += length;
    return true;
}

static RegParse Refuse(RegParse kind, const std::wstring &why, std::wstring *error)
{
    *error = why;
    return kind;
}

RegParse ParseRegFile(const std::vector<BYTE> &bytes, std::vector<RegRecord> *records, std::wstring *error)
{
    records->clear();
    std::vector<std::wstring> lines = LogicalLines(DecodeText(bytes));
    size_t at = 0;
    while (at < lines.size() && lines[at].empty())
        ++at;
    if (at == lines.size() || (lines[at] != RegVersion5 && lines[at] != RegVersion4))
        return Refuse(REG_MALFORMED, L"not a registry export: the first line is not \"" + std::wstring(RegVersion5) +
                                         L"\"", error);

    bool haveValue = true;
    for (++at; at < lines.size(); ++at) {
        const std::wstring &line = lines[at];
        if (line.empty() || line[0] == L';')
            continue;
        if (line[0] == L'[') {
            if (!haveValue)
                return Refuse(REG_MALFORMED, L"the key " + records->back().key + L" has no \"User Info\" value", error);
            std::wstring path = line.back() == L']' ? line.substr(1, line.size() - 2) : std::wstring();
            size_t name = 0;
            if (!TakeFolded(path, &name, RecordRoot) || name == path.size() ||
                path.find(L'\\', name) != std::wstring::npos)
                return Refuse(REG_MALFORMED, line + L" is not a printer's record key (" + RecordRoot + L"<name>)",
                              error);
            // Two records for one key: which one import would leave is
            // no admin's intent.
            for (const RegRecord &earlier : *records) {
                size_t same = 0;
                if (earlier.key.size() == path.size() - name && TakeFolded(path.substr(name), &same, earlier.key.c_str()))
                    return Refuse(REG_MALFORMED, L"the key " + earlier.key + L" appears twice", error);
            }
            records->push_back(RegRecord());
            records->back().key = path.substr(name);
            haveValue = false;
            continue;
        }
        if (records->empty() || haveValue)
            return Refuse(REG_MALFORMED, L"unexpected line: " + line.substr(0, 60), error);
        size_t data = 0;
        if (!TakeFolded(line, &data, RecordValue) || !TakeFolded(line, &data, L"=") ||
            (!TakeFolded(line, &data, L"hex:") && !TakeFolded(line, &data, L"hex(3):")))
            return Refuse(REG_MALFORMED, L"only binary \"User Info\" values are imported, not: " + line.substr(0, 60),
                          error);
        std::vector<BYTE> value;
        if (!ParseHexBytes(line.substr(data), &value))
            return Refuse(REG_MALFORMED, L"the \"User Info\" value of " + records->back().key + L" is not hex bytes",
                          error);
        if (value.size() != sizeof(UserOptions))
            return Refuse(REG_WRONG_SIZE, L"the \"User Info\" value of " + records->back().key + L" holds " +
                                              Number(static_cast<long>(value.size())) + L" bytes; a record has " +
                                              Number(static_cast<long>(sizeof(UserOptions))),
                          error);
        memcpy(&records->back().record, value.data(), sizeof(UserOptions));
        if (records->back().record.initialized != USER_OPTIONS_MARKER)
            return Refuse(REG_UNMARKED, L"the record of " + records->back().key +
                                            L" lacks the validity marker " + Number(USER_OPTIONS_MARKER) +
                                            L" (the plug-in would read defaults)",
                          error);
        haveValue = true;
    }
    if (records->empty())
        return Refuse(REG_MALFORMED, L"the file holds no record", error);
    if (!haveValue)
        return Refuse(REG_MALFORMED, L"the key " + records->back().key + L" has no \"User Info\" value", error);
    return REG_PARSED;
}

DWORD ReadWholeFile(const std::wstring &path, std::vector<BYTE> *bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    // A record's export is a few kilobytes; anything near this is no export.
    const DWORD limit = 1 << 20;
    DWORD size = GetFileSize(file, NULL), read = 0, error = ERROR_SUCCESS;
    if (size == INVALID_FILE_SIZE) {
        error = GetLastError();
    } else if (size > limit) {
        error = ERROR_FILE_TOO_LARGE;
    } else {
        bytes->assign(size, 0);
        if (size && !ReadFile(file, bytes->data(), size, &read, NULL))
            error = GetLastError();
        else if (read != size)
            error = ERROR_HANDLE_EOF;
    }
    CloseHandle(file);
    return error;
}

DWORD ReplaceWholeFile(const std::wstring &path, const std::vector<BYTE> &bytes)
{
    // A read-only file is one somebody means to keep. Windows refuses to
    // move another over it, as it refused to overwrite it; not every
    // implementation of MoveFileExW does, so it is asked first.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    // The new file is written whole under a name of its own beside the old
    // one, on the same volume, so that the move over the old one is a rename.
    HANDLE file = INVALID_HANDLE_VALUE;
    std::wstring temporary;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 16; ++attempt) {
        temporary = path + L".qlxsettings-" + Number(static_cast<long>(GetCurrentProcessId())) + L"-" +
                    Number(attempt) + L".tmp";
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return GetLastError();
    }
    if (file == INVALID_HANDLE_VALUE)
        return ERROR_FILE_EXISTS;
    DWORD error = ERROR_SUCCESS, written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL))
        error = GetLastError();
    else if (written != bytes.size())
        error = ERROR_HANDLE_DISK_FULL;
    if (!CloseHandle(file) && error == ERROR_SUCCESS)
        error = GetLastError();
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS)
        DeleteFileW(temporary.c_str());
    return error;
}
