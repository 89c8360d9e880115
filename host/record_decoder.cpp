#include "host/record_decoder.h"

#include <string.h>

#include <string>
#include <vector>

#include "recordtext/fieldtext.h"
#include "recordtext/regfile.h"

void DecoderPrintRecord(const UserOptions *record, HMODULE strings, FILE *out)
{
    PluginTexts texts;
    texts.module = strings;
    for (int i = 0; i < RecordFieldCount; ++i) {
        std::wstring line = FieldLine(RecordFields[i], *record, &texts, true) + L"\n";
        char utf8[2048];
        int length = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof(utf8), NULL, NULL);
        if (length > 0)
            fputs(utf8, out);
    }
    fflush(out);
}

HMODULE DecoderLoadStrings(const wchar_t *dll)
{
    return LoadLibraryExW(dll, NULL, LOAD_LIBRARY_AS_DATAFILE);
}

bool DecoderReadFile(const wchar_t *path, UserOptions *record, size_t *size)
{
    *size = 0;
    std::vector<BYTE> bytes;
    if (ReadWholeFile(path, &bytes) != ERROR_SUCCESS)
        return false;
    if (bytes.size() == sizeof(UserOptions) || bytes.size() == sizeof(PrivateDevmode)) {
        memcpy(record, bytes.data() + (bytes.size() - sizeof(UserOptions)), sizeof(UserOptions));
        *size = sizeof(UserOptions);
        return true;
    }
    // A registry export; an unmarked record is still shown, as such.
    std::vector<RegRecord> records;
    std::wstring error;
    RegParse parsed = ParseRegFile(bytes, &records, &error);
    if ((parsed == REG_PARSED || parsed == REG_UNMARKED) && !records.empty()) {
        *record = records[0].record;
        *size = sizeof(UserOptions);
        return true;
    }
    *size = bytes.size();
    return false;
}
