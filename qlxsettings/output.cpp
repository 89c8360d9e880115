#include "qlxsettings/output.h"

#include <windows.h>

void OutputText(OutputStream stream, const std::wstring &text)
{
    HANDLE handle = GetStdHandle(stream == OUTPUT_STDOUT ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == NULL || text.empty())
        return;
    DWORD mode, written;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
        return;
    }
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    if (bytes <= 0)
        return;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], bytes, NULL, NULL);
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, NULL);
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
