#include "recordtext/output.h"

#include <windows.h>

static bool OutputBroken = false;

static HANDLE StreamHandle(OutputStream stream)
{
    HANDLE handle = GetStdHandle(stream == OUTPUT_STDOUT ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    return handle == INVALID_HANDLE_VALUE ? NULL : handle;
}

// Ends a failed write. Standard error has nowhere to say so; standard
// output's first failure is said there, with the system's reason.
static bool WriteFailed(OutputStream stream)
{
    DWORD error = GetLastError();
    if (stream == OUTPUT_STDOUT && !OutputBroken) {
        OutputBroken = true;
        OutputText(OUTPUT_STDERR, L"qlxsettings: cannot write to standard output: " + SystemReason(error) + L"\n");
    }
    return false;
}

// A pipe may take fewer bytes than it is given: the rest goes in further
// writes.
static bool WriteAll(HANDLE handle, const char *data, size_t size)
{
    while (size > 0) {
        DWORD chunk = size > 0x10000 ? 0x10000 : static_cast<DWORD>(size), written = 0;
        if (!WriteFile(handle, data, chunk, &written, NULL))
            return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Consoles before Windows 8 refuse one WriteConsoleW longer than their
// 64 KB buffer, which an export of many printers passes: the text goes in
// pieces, none ending inside a surrogate pair.
static bool WriteConsoleAll(HANDLE handle, const std::wstring &text)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t count = text.size() - at < 8192 ? text.size() - at : 8192;
        if (at + count < text.size() && text[at + count - 1] >= 0xD800 && text[at + count - 1] <= 0xDBFF)
            --count;
        DWORD written = 0;
        if (!WriteConsoleW(handle, text.data() + at, static_cast<DWORD>(count), &written, NULL))
            return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        at += written;
    }
    return true;
}

bool OutputText(OutputStream stream, const std::wstring &text)
{
    HANDLE handle = StreamHandle(stream);
    if (handle == NULL || text.empty())
        return true;
    DWORD mode;
    if (GetConsoleMode(handle, &mode))
        return WriteConsoleAll(handle, text) || WriteFailed(stream);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    if (bytes <= 0)
        return WriteFailed(stream);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], bytes, NULL, NULL);
    return WriteAll(handle, utf8.data(), utf8.size()) || WriteFailed(stream);
}

bool OutputIsConsole(OutputStream stream)
{
    HANDLE handle = StreamHandle(stream);
    DWORD mode;
    return handle != NULL && GetConsoleMode(handle, &mode);
}

bool OutputBytes(OutputStream stream, const std::vector<unsigned char> &bytes)
{
    HANDLE handle = StreamHandle(stream);
    if (handle == NULL || bytes.empty())
        return true;
    return WriteAll(handle, reinterpret_cast<const char *>(bytes.data()), bytes.size()) || WriteFailed(stream);
}

bool StandardOutputFailed()
{
    return OutputBroken;
}

std::wstring SystemReason(unsigned long error)
{
    wchar_t *message = NULL;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  NULL, error, 0, reinterpret_cast<LPWSTR>(&message), 0, NULL);
    std::wstring reason = length && message ? std::wstring(message, length) : std::wstring();
    if (message)
        LocalFree(message);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    std::wstring code = std::to_wstring(error);
    return reason.empty() ? L"error " + code : reason + L" (error " + code + L")";
}

std::wstring Widen(const char *ascii)
{
    std::wstring wide;
    while (*ascii)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*ascii++));
    return wide;
}

std::wstring Number(long value)
{
    return std::to_wstring(value);
}

std::wstring Quoted(const std::wstring &text)
{
    return L"\"" + text + L"\"";
}

std::wstring JsonString(const std::wstring &text)
{
    static const wchar_t hex[] = L"0123456789abcdef";
    std::wstring json = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'"':
            json += L"\\\"";
            break;
        case L'\\':
            json += L"\\\\";
            break;
        case L'\n':
            json += L"\\n";
            break;
        case L'\r':
            json += L"\\r";
            break;
        case L'\t':
            json += L"\\t";
            break;
        default:
            if (c < 0x20) {
                json += L"\\u00";
                json += hex[(c >> 4) & 0xF];
                json += hex[c & 0xF];
            } else {
                json += c;
            }
        }
    }
    return json + L"\"";
}
