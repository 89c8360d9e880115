#include "host/record_decoder.h"

#include <stdlib.h>
#include <string.h>

#include "resources/resource.h"

enum FieldKind { KindMarker, KindShort, KindNumber, KindFlag, KindChoice, KindList, KindText };

// Some lists get entries the page builds at run time instead of loading.
enum ListBuild { BuildNone, BuildProfile, BuildSection };

struct ListMeaning {
    const UINT *ids; // 0 marks a built entry
    int count;
    ListBuild build;
};

struct FieldEntry {
    const char *name;
    size_t offset;
    FieldKind kind;
    size_t bytes;
    const ListMeaning *list;
    const char *const *choices;
    int choiceCount;
};

#define LIST(ids, build) {ids, static_cast<int>(sizeof(ids) / sizeof(ids[0])), build}

static const UINT DispositionIds[] = {IDS_DISPOSITION_KEEP_IMAGE, IDS_DISPOSITION_DELETE_IMAGE,
                                      IDS_DISPOSITION_DELETE_JOB};
static const UINT RenderingIds[] = {IDS_RENDER_GRAPHICS, IDS_RENDER_PHOTOGRAPHIC, IDS_RENDER_PRESENTATION,
                                    IDS_RENDER_PAPER_SIMULATION, IDS_RENDER_SPOT};
static const UINT GammaIds[] = {IDS_GAMMA_LIGHTEST, IDS_GAMMA_LIGHT, IDS_GAMMA_NORMAL, IDS_GAMMA_DARK,
                                IDS_GAMMA_DARKEST};
static const UINT WhitePointIds[] = {IDS_WHITE_MORE_YELLOW, IDS_WHITE_NORMAL, IDS_WHITE_MORE_BLUE};
static const UINT PrintProfileIds[] = {IDS_PROFILE_SWOP, IDS_PROFILE_EUROSCALE, IDS_PROFILE_EXTENDED, 0, 0, 0, 0,
                                       0, 0, 0, 0, 0, 0};
static const UINT RgbProfileIds[] = {IDS_RGB_SRGB, IDS_RGB_ADOBE, IDS_RGB_APPLE, IDS_RGB_D50, IDS_RGB_D65,
                                     IDS_RGB_9300};
static const UINT SeparationIds[] = {IDS_SEPARATIONS_AUTO,      IDS_SEPARATIONS_AUTO_SINGLE, IDS_SEPARATIONS_QUARK4,
                                     IDS_SEPARATIONS_QUARK3,    IDS_SEPARATIONS_PAGEMAKER,   IDS_SEPARATIONS_FREEHAND,
                                     IDS_SEPARATIONS_CANVAS,    IDS_SEPARATIONS_OFF};
static const UINT TiffIds[] = {IDS_TIFF_600, IDS_TIFF_300, IDS_TIFF_72};
static const UINT DuplexIds[] = {IDS_DUPLEX_NONE, IDS_DUPLEX_LONG_EDGE, IDS_DUPLEX_SHORT_EDGE};
static const UINT StapleIds[] = {IDS_STAPLE_NONE, IDS_STAPLE_ONE_PORTRAIT, IDS_STAPLE_ONE_LANDSCAPE,
                                 IDS_STAPLE_TWO_PORTRAIT, IDS_STAPLE_TWO_LANDSCAPE};
static const UINT ImpositionIds[] = {IDS_IMPOSITION_SADDLE, IDS_IMPOSITION_PERFECT, IDS_IMPOSITION_SIGNATURE,
                                     IDS_IMPOSITION_STEP_REPEAT, IDS_IMPOSITION_2UP};
static const UINT SectionIds[] = {IDS_SECTION_ALL, 0, 0, 0, 0, 0};
static const UINT SheetIds[] = {IDS_SHEET_TABLOID, IDS_SHEET_A3,     IDS_SHEET_SRA3, IDS_SHEET_12X18,
                                IDS_SHEET_12X19,   IDS_SHEET_LETTER, IDS_SHEET_A4};
static const UINT MediaIds[] = {IDS_MEDIA_TRAY_DEFAULT,  IDS_MEDIA_PLAIN,    IDS_MEDIA_STANDARD,
                                IDS_MEDIA_STANDARD_S,    IDS_MEDIA_HEAVY_1A, IDS_MEDIA_HEAVY_1B,
                                IDS_MEDIA_HEAVY_1C,      IDS_MEDIA_HEAVY_1S, IDS_MEDIA_COATED_1,
                                IDS_MEDIA_GLOSS_1A,      IDS_MEDIA_GLOSS_1C, IDS_MEDIA_COATED_1_GLOSS,
                                IDS_MEDIA_HEAVY_2A,      IDS_MEDIA_HEAVY_2S, IDS_MEDIA_COATED_2,
                                IDS_MEDIA_TRANSPARENCY,  IDS_MEDIA_TRANSPARENT_INTERLEAVE};

static const ListMeaning DispositionList = LIST(DispositionIds, BuildNone);
static const ListMeaning RenderingList = LIST(RenderingIds, BuildNone);
static const ListMeaning GammaList = LIST(GammaIds, BuildNone);
static const ListMeaning WhitePointList = LIST(WhitePointIds, BuildNone);
static const ListMeaning PrintProfileList = LIST(PrintProfileIds, BuildProfile);
static const ListMeaning RgbProfileList = LIST(RgbProfileIds, BuildNone);
static const ListMeaning SeparationList = LIST(SeparationIds, BuildNone);
static const ListMeaning TiffList = LIST(TiffIds, BuildNone);
static const ListMeaning DuplexList = LIST(DuplexIds, BuildNone);
static const ListMeaning StapleList = LIST(StapleIds, BuildNone);
static const ListMeaning ImpositionList = LIST(ImpositionIds, BuildNone);
static const ListMeaning SectionList = LIST(SectionIds, BuildSection);
static const ListMeaning SheetList = LIST(SheetIds, BuildNone);
static const ListMeaning MediaList = LIST(MediaIds, BuildNone);

static const char *const JobActions[] = {"process and print, then delete the job",
                                         "process and print, keep the raster file as the disposition says",
                                         "spool and hold", "preflight and hold", "process and hold"};
static const char *const ColorModes[] = {"Farve (4 trin)", "Gråtoneskala (1 trin)"};
static const char *const PrinterModes[] = {"Contone", "Screenet"};
static const char *const RgbSources[] = {"Profil", "Standard"};

#define AT(field) #field, offsetof(UserOptions, field)
#define SIZE(field) sizeof(UserOptions::field)
#define PLAIN(field, kind) {AT(field), kind, SIZE(field), NULL, NULL, 0}
#define FLAG(field) PLAIN(field, KindFlag)
#define NUMBER(field) PLAIN(field, KindNumber)
#define TEXTUAL(field) PLAIN(field, KindText)
#define LISTED(field, list) {AT(field), KindList, SIZE(field), &list, NULL, 0}
#define CHOICE(field, names) \
    {AT(field), KindChoice, SIZE(field), NULL, names, static_cast<int>(sizeof(names) / sizeof(names[0]))}

static const FieldEntry Fields[] = {
    PLAIN(initialized, KindMarker),
    CHOICE(jobAction, JobActions),
    LISTED(printDisposition, DispositionList),
    LISTED(dispositionSelection, DispositionList),
    CHOICE(colorMode, ColorModes),
    CHOICE(printerMode, PrinterModes),
    FLAG(rgbCorrection),
    NUMBER(colorAux),
    CHOICE(rgbSource, RgbSources),
    LISTED(renderingStyle, RenderingList),
    LISTED(gamma, GammaList),
    LISTED(whitePoint, WhitePointList),
    FLAG(printSimulation),
    FLAG(cmykCorrection),
    LISTED(printProfile, PrintProfileList),
    FLAG(compositeSpotColor),
    FLAG(preserveGcr),
    LISTED(rgbProfile, RgbProfileList),
    LISTED(separations, SeparationList),
    FLAG(printProgressives),
    FLAG(autoGrayDetect),
    FLAG(controlStrip),
    FLAG(saveAsTiff),
    LISTED(tiffResolution, TiffList),
    FLAG(edgeSmoothing),
    FLAG(blackOverprint),
    FLAG(compositeOverprint),
    FLAG(pureBlack),
    FLAG(autoTrapping),
    FLAG(brandControl),
    FLAG(invertImage),
    FLAG(imageEnhance),
    FLAG(mirror),
    FLAG(infoStrip),
    NUMBER(prepressAux),
    PLAIN(jobAux0, KindShort),
    NUMBER(jobAux1),
    LISTED(duplex, DuplexList),
    FLAG(rotatePages),
    NUMBER(jobAux2),
    LISTED(staple, StapleList),
    NUMBER(jobAux3),
    NUMBER(jobAux4),
    FLAG(collate),
    NUMBER(jobAux5),
    NUMBER(jobAux6),
    FLAG(imposition),
    LISTED(impositionType, ImpositionList),
    LISTED(sectionSize, SectionList),
    LISTED(outputSheetSize, SheetList),
    FLAG(cropMarks),
    FLAG(fitToSheet),
    LISTED(mediaType, MediaList),
    NUMBER(jobAux7),
    NUMBER(jobAux8),
    TEXTUAL(addressText),
    TEXTUAL(owner),
    TEXTUAL(jobPassword),
    TEXTUAL(comment),
    TEXTUAL(accountNumber),
    TEXTUAL(securePassword),
    FLAG(securePrint),
    FLAG(hasJobPassword),
    TEXTUAL(infoAux),
};

static void PrintWide(FILE *out, const WCHAR *text)
{
    char utf8[1024];
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), NULL, NULL))
        fputs(utf8, out);
}

// The entry's text as the page shows it, or an empty text when the string
// table does not have it.
static void ListEntryText(const ListMeaning *list, int position, HMODULE strings, WCHAR *text, int cch)
{
    text[0] = 0;
    UINT id = list->ids[position];
    if (id) {
        if (!strings || LoadStringW(strings, id, text, cch) <= 0)
            text[0] = 0;
        return;
    }
    if (list->build == BuildSection) {
        wsprintfW(text, L"%d", 4 << (position - 1));
    } else if (list->build == BuildProfile && strings) {
        WCHAR base[256];
        if (LoadStringW(strings, IDS_PROFILE_CUSTOM, base, 256) > 0)
            wsprintfW(text, L"%s%d", base, position - 2);
    }
}

static LONG ReadLong(const BYTE *bytes, size_t offset)
{
    LONG value;
    memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

static SHORT ReadShort(const BYTE *bytes, size_t offset)
{
    SHORT value;
    memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

static void PrintValue(const FieldEntry &field, const BYTE *bytes, HMODULE strings, FILE *out)
{
    LONG value = field.bytes == sizeof(SHORT) ? ReadShort(bytes, field.offset) : ReadLong(bytes, field.offset);
    switch (field.kind) {
    case KindMarker:
        fprintf(out, "%ld (%s)", static_cast<long>(value),
                value == USER_OPTIONS_MARKER ? "valid" : "not 12345: the store reads defaults instead");
        break;
    case KindShort:
    case KindNumber:
        fprintf(out, "%ld", static_cast<long>(value));
        break;
    case KindFlag:
        if (value == 0 || value == 1)
            fputs(value ? "on" : "off", out);
        else
            fprintf(out, "%ld (not a flag value; shown as off)", static_cast<long>(value));
        break;
    case KindChoice:
        fprintf(out, "%ld", static_cast<long>(value));
        if (value >= 0 && value < field.choiceCount)
            fprintf(out, " = %s", field.choices[value]);
        break;
    case KindList:
        fprintf(out, "%ld", static_cast<long>(value));
        if (value == -1) {
            fputs(" (nothing chosen)", out);
        } else if (value < 0 || value >= field.list->count) {
            fprintf(out, " (beyond the list's %d entries)", field.list->count);
        } else {
            WCHAR text[256];
            ListEntryText(field.list, value, strings, text, 256);
            if (text[0]) {
                fputs(" = ", out);
                PrintWide(out, text);
            }
        }
        break;
    case KindText: {
        size_t units = field.bytes / sizeof(WCHAR);
        WCHAR text[257];
        size_t i;
        for (i = 0; i < units; ++i) {
            memcpy(&text[i], bytes + field.offset + i * sizeof(WCHAR), sizeof(WCHAR));
            if (!text[i])
                break;
        }
        text[i] = 0;
        fputc('"', out);
        PrintWide(out, text);
        fputc('"', out);
        if (i == units)
            fputs(" (no terminator)", out);
        break;
    }
    }
}

void DecoderPrintRecord(const UserOptions *record, HMODULE strings, FILE *out)
{
    const BYTE *bytes = reinterpret_cast<const BYTE *>(record);
    for (const FieldEntry &field : Fields) {
        fprintf(out, "  %4u  %-22s ", static_cast<unsigned>(field.offset), field.name);
        PrintValue(field, bytes, strings, out);
        fputc('\n', out);
    }
    fflush(out);
}

HMODULE DecoderLoadStrings(const wchar_t *dll)
{
    return LoadLibraryExW(dll, NULL, LOAD_LIBRARY_AS_DATAFILE);
}

static int HexDigit(WCHAR c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

bool DecoderParseRegText(const wchar_t *text, BYTE *data, size_t capacity, size_t *size)
{
    *size = 0;
    const wchar_t *p = wcsstr(text, L"\"User Info\"=");
    if (!p)
        return false;
    p += wcslen(L"\"User Info\"=");
    if (wcsncmp(p, L"hex:", 4) == 0)
        p += 4;
    else if (wcsncmp(p, L"hex(3):", 7) == 0)
        p += 7;
    else
        return false;

    // Pairs of digits separated by commas; a backslash continues the value
    // on the next line.
    for (;;) {
        while (*p == L' ' || *p == L'\t' || *p == L',')
            ++p;
        if (*p == L'\\') {
            ++p;
            while (*p == L'\r' || *p == L'\n' || *p == L' ' || *p == L'\t')
                ++p;
            continue;
        }
        int high = HexDigit(p[0]);
        int low = high < 0 ? -1 : HexDigit(p[1]);
        if (low < 0)
            break;
        if (*size < capacity)
            data[*size] = static_cast<BYTE>(high * 16 + low);
        ++*size;
        p += 2;
    }
    return *size > 0;
}

// The file as UTF-16 text: a UTF-16 export keeps its units, an 8-bit one is
// widened byte by byte (the value's digits are ASCII either way).
static wchar_t *WidenFile(const BYTE *bytes, size_t length)
{
    bool utf16 = length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    size_t units = utf16 ? (length - 2) / 2 : length;
    wchar_t *text = static_cast<wchar_t *>(malloc((units + 1) * sizeof(wchar_t)));
    if (!text)
        return NULL;
    for (size_t i = 0; i < units; ++i)
        text[i] = utf16 ? static_cast<wchar_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8)) : bytes[i];
    text[units] = 0;
    return text;
}

static bool LooksLikeRegExport(const wchar_t *text)
{
    if (*text == 0xFEFF)
        ++text;
    return wcsncmp(text, L"Windows Registry Editor", 23) == 0 || wcsncmp(text, L"REGEDIT4", 8) == 0;
}

bool DecoderReadFile(const wchar_t *path, UserOptions *record, size_t *size)
{
    *size = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD length = GetFileSize(file, NULL);
    const DWORD limit = 1 << 20;
    BYTE *bytes = length != INVALID_FILE_SIZE && length <= limit ? static_cast<BYTE *>(malloc(length + 1)) : NULL;
    DWORD read = 0;
    bool ok = bytes && ReadFile(file, bytes, length, &read, NULL) && read == length;
    CloseHandle(file);
    if (!ok) {
        free(bytes);
        return false;
    }

    BYTE *data = reinterpret_cast<BYTE *>(record);
    wchar_t *text = WidenFile(bytes, length);
    if (text && LooksLikeRegExport(text)) {
        ok = DecoderParseRegText(text, data, sizeof(UserOptions), size) && *size == sizeof(UserOptions);
    } else if (length == sizeof(UserOptions) || length == sizeof(PrivateDevmode)) {
        memcpy(data, bytes + (length - sizeof(UserOptions)), sizeof(UserOptions));
        *size = sizeof(UserOptions);
        ok = true;
    } else {
        *size = length;
        ok = false;
    }
    free(text);
    free(bytes);
    return ok;
}
