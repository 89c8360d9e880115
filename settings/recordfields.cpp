#include "settings/recordfields.h"

#include "resources/resource.h"
#include "settings/textutil.h"

#define LOADED(ids) ids, static_cast<int>(sizeof(ids) / sizeof(ids[0]))

static constexpr UINT DispositionIds[] = {IDS_DISPOSITION_KEEP_IMAGE, IDS_DISPOSITION_DELETE_IMAGE,
                                          IDS_DISPOSITION_DELETE_JOB};
static constexpr UINT RenderingStyleIds[] = {IDS_RENDER_GRAPHICS, IDS_RENDER_PHOTOGRAPHIC, IDS_RENDER_PRESENTATION,
                                             IDS_RENDER_PAPER_SIMULATION, IDS_RENDER_SPOT};
static constexpr UINT GammaIds[] = {IDS_GAMMA_LIGHTEST, IDS_GAMMA_LIGHT, IDS_GAMMA_NORMAL, IDS_GAMMA_DARK,
                                    IDS_GAMMA_DARKEST};
static constexpr UINT WhitePointIds[] = {IDS_WHITE_MORE_YELLOW, IDS_WHITE_NORMAL, IDS_WHITE_MORE_BLUE};
static constexpr UINT PrintProfileIds[] = {IDS_PROFILE_SWOP, IDS_PROFILE_EUROSCALE, IDS_PROFILE_EXTENDED};
static constexpr UINT RgbProfileIds[] = {IDS_RGB_SRGB, IDS_RGB_ADOBE, IDS_RGB_APPLE,
                                         IDS_RGB_D50,  IDS_RGB_D65,   IDS_RGB_9300};
// Not in string-id order: the single-page automatic mode is second.
static constexpr UINT SeparationsIds[] = {IDS_SEPARATIONS_AUTO,      IDS_SEPARATIONS_AUTO_SINGLE,
                                          IDS_SEPARATIONS_QUARK4,    IDS_SEPARATIONS_QUARK3,
                                          IDS_SEPARATIONS_PAGEMAKER, IDS_SEPARATIONS_FREEHAND,
                                          IDS_SEPARATIONS_CANVAS,    IDS_SEPARATIONS_OFF};
// The resolutions run from high to low.
static constexpr UINT TiffResolutionIds[] = {IDS_TIFF_600, IDS_TIFF_300, IDS_TIFF_72};
static constexpr UINT DuplexIds[] = {IDS_DUPLEX_NONE, IDS_DUPLEX_LONG_EDGE, IDS_DUPLEX_SHORT_EDGE};
static constexpr UINT StapleIds[] = {IDS_STAPLE_NONE, IDS_STAPLE_ONE_PORTRAIT, IDS_STAPLE_ONE_LANDSCAPE,
                                     IDS_STAPLE_TWO_PORTRAIT, IDS_STAPLE_TWO_LANDSCAPE};
static constexpr UINT ImpositionTypeIds[] = {IDS_IMPOSITION_SADDLE, IDS_IMPOSITION_PERFECT, IDS_IMPOSITION_SIGNATURE,
                                             IDS_IMPOSITION_STEP_REPEAT, IDS_IMPOSITION_2UP};
static constexpr UINT SectionSizeIds[] = {IDS_SECTION_ALL};
static constexpr UINT OutputSheetSizeIds[] = {IDS_SHEET_TABLOID, IDS_SHEET_A3,     IDS_SHEET_SRA3, IDS_SHEET_12X18,
                                              IDS_SHEET_12X19,   IDS_SHEET_LETTER, IDS_SHEET_A4};
// The media strings are not numbered in list order.
static constexpr UINT MediaTypeIds[] = {
    IDS_MEDIA_TRAY_DEFAULT, IDS_MEDIA_PLAIN,    IDS_MEDIA_STANDARD,       IDS_MEDIA_STANDARD_S,
    IDS_MEDIA_HEAVY_1A,     IDS_MEDIA_HEAVY_1B, IDS_MEDIA_HEAVY_1C,       IDS_MEDIA_HEAVY_1S,
    IDS_MEDIA_COATED_1,     IDS_MEDIA_GLOSS_1A, IDS_MEDIA_GLOSS_1C,       IDS_MEDIA_COATED_1_GLOSS,
    IDS_MEDIA_HEAVY_2A,     IDS_MEDIA_HEAVY_2S, IDS_MEDIA_COATED_2,       IDS_MEDIA_TRANSPARENCY,
    IDS_MEDIA_TRANSPARENT_INTERLEAVE};

const RecordList DispositionList = {LOADED(DispositionIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList RenderingStyleList = {LOADED(RenderingStyleIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList GammaList = {LOADED(GammaIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList WhitePointList = {LOADED(WhitePointIds), LIST_LOADED_ONLY, 0, 0, 0};
// Three fixed profiles, then "Brugertilpasset 1" to "Brugertilpasset 10":
// the string ends in a blank.
const RecordList PrintProfileList = {LOADED(PrintProfileIds), LIST_NUMBERED_STRING, IDS_PROFILE_CUSTOM, 10, 1};
const RecordList RgbProfileList = {LOADED(RgbProfileIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList SeparationsList = {LOADED(SeparationsIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList TiffResolutionList = {LOADED(TiffResolutionIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList DuplexList = {LOADED(DuplexIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList StapleList = {LOADED(StapleIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList ImpositionTypeList = {LOADED(ImpositionTypeIds), LIST_LOADED_ONLY, 0, 0, 0};
// "Alle", then sections of 4, 8, 16, 32 and 64 pages.
const RecordList SectionSizeList = {LOADED(SectionSizeIds), LIST_DOUBLING_NUMBER, 0, 5, 4};
const RecordList OutputSheetSizeList = {LOADED(OutputSheetSizeIds), LIST_LOADED_ONLY, 0, 0, 0};
const RecordList MediaTypeList = {LOADED(MediaTypeIds), LIST_LOADED_ONLY, 0, 0, 0};

// jobAction 0 and 1 are both "process and print"; the disposition list
// tells them apart.
static constexpr int JobActionControls[] = {IDC_FILE_PROCESS_PRINT, IDC_FILE_PROCESS_PRINT, IDC_FILE_SPOOL_HOLD,
                                            IDC_FILE_PREFLIGHT_HOLD, IDC_FILE_PROCESS_HOLD};
static constexpr int ColorModeControls[] = {IDC_COLOR_MODE_COLOR, IDC_COLOR_MODE_GRAY};
static constexpr int PrinterModeControls[] = {IDC_COLOR_PRINTER_CONTONE, IDC_COLOR_PRINTER_SCREENED};
static constexpr int RgbSourceControls[] = {IDC_COLOR_RGB_PROFILE_SOURCE, IDC_COLOR_RGB_STANDARD};

static constexpr RecordChoices JobActionChoices = {IDD_FILE_PAGE, LOADED(JobActionControls)};
static constexpr RecordChoices ColorModeChoices = {IDD_COLOR_PAGE, LOADED(ColorModeControls)};
static constexpr RecordChoices PrinterModeChoices = {IDD_COLOR_PAGE, LOADED(PrinterModeControls)};
static constexpr RecordChoices RgbSourceChoices = {IDD_COLOR_PAGE, LOADED(RgbSourceControls)};

#define AT(field) #field, offsetof(UserOptions, field)
#define WIDTH(field) sizeof(UserOptions::field)
#define ROW(field, kind, section, identity, list, choices, value, text) \
    {AT(field), WIDTH(field), kind, section, identity, list, choices, value, text}
#define MARKER(field) ROW(field, FIELD_MARKER, SECTION_NONE, false, NULL, NULL, USER_OPTIONS_MARKER, NULL)
#define NUMBER(field, section, value) ROW(field, FIELD_NUMBER, section, false, NULL, NULL, value, NULL)
#define FLAG(field, section, value) ROW(field, FIELD_FLAG, section, false, NULL, NULL, value, NULL)
#define CHOICE(field, section, choices, value) ROW(field, FIELD_CHOICE, section, false, NULL, &choices, value, NULL)
#define LISTED(field, section, list, value) ROW(field, FIELD_LIST, section, false, &list, NULL, value, NULL)
#define TEXTUAL(field, section, text) ROW(field, FIELD_TEXT, section, false, NULL, NULL, 0, text)
#define IDENTITY_TEXT(field) ROW(field, FIELD_TEXT, SECTION_INFO, true, NULL, NULL, 0, L"")
#define IDENTITY_FLAG(field) ROW(field, FIELD_FLAG, SECTION_INFO, true, NULL, NULL, 0, NULL)

// Declared extern in the header, so the constexpr table keeps external
// linkage and the checks below run over the very rows everyone uses.
// Each row gives the field's default: the value, or the text, that the
// full default and the field's section default write.
constexpr RecordField RecordFields[] = {
    MARKER(initialized),

    CHOICE(jobAction, SECTION_FILE, JobActionChoices, 0),
    LISTED(printDisposition, SECTION_FILE, DispositionList, 2),
    LISTED(dispositionSelection, SECTION_FILE, DispositionList, 2),

    CHOICE(colorMode, SECTION_COLOR, ColorModeChoices, 0),
    CHOICE(printerMode, SECTION_COLOR, PrinterModeChoices, 0),
    FLAG(rgbCorrection, SECTION_COLOR, 1),
    NUMBER(colorAux, SECTION_COLOR, 0),
    CHOICE(rgbSource, SECTION_COLOR, RgbSourceChoices, 1),
    LISTED(renderingStyle, SECTION_COLOR, RenderingStyleList, 1),
    LISTED(gamma, SECTION_COLOR, GammaList, 3),
    LISTED(whitePoint, SECTION_COLOR, WhitePointList, 2),
    FLAG(printSimulation, SECTION_COLOR, 0),
    FLAG(cmykCorrection, SECTION_COLOR, 1),
    LISTED(printProfile, SECTION_COLOR, PrintProfileList, 0),
    FLAG(compositeSpotColor, SECTION_COLOR, 1),
    FLAG(preserveGcr, SECTION_COLOR, 0),
    LISTED(rgbProfile, SECTION_COLOR, RgbProfileList, 1),

    LISTED(separations, SECTION_OTHER, SeparationsList, 0),
    FLAG(printProgressives, SECTION_OTHER, 0),
    FLAG(autoGrayDetect, SECTION_OTHER, 1),
    FLAG(controlStrip, SECTION_OTHER, 0),
    FLAG(saveAsTiff, SECTION_OTHER, 0),
    LISTED(tiffResolution, SECTION_OTHER, TiffResolutionList, 0),
    FLAG(edgeSmoothing, SECTION_OTHER, 0),
    FLAG(blackOverprint, SECTION_OTHER, 1),
    FLAG(compositeOverprint, SECTION_OTHER, 0),
    FLAG(pureBlack, SECTION_OTHER, 1),
    FLAG(autoTrapping, SECTION_OTHER, 0),
    FLAG(brandControl, SECTION_OTHER, 0),
    FLAG(invertImage, SECTION_OTHER, 0),
    FLAG(imageEnhance, SECTION_OTHER, 1),
    FLAG(mirror, SECTION_OTHER, 0),
    FLAG(infoStrip, SECTION_OTHER, 0),
    NUMBER(prepressAux, SECTION_OTHER, 0),

    NUMBER(jobAux0, SECTION_TRAY, 0),
    NUMBER(jobAux1, SECTION_TRAY, 5),
    LISTED(duplex, SECTION_TRAY, DuplexList, 0),
    FLAG(rotatePages, SECTION_TRAY, 0),
    NUMBER(jobAux2, SECTION_TRAY, 0),
    LISTED(staple, SECTION_TRAY, StapleList, 0),
    NUMBER(jobAux3, SECTION_TRAY, 0),
    NUMBER(jobAux4, SECTION_TRAY, 0),
    FLAG(collate, SECTION_TRAY, 0),
    NUMBER(jobAux5, SECTION_TRAY, 0),
    NUMBER(jobAux6, SECTION_TRAY, 0),
    FLAG(imposition, SECTION_TRAY, 0),
    LISTED(impositionType, SECTION_TRAY, ImpositionTypeList, 0),
    LISTED(sectionSize, SECTION_TRAY, SectionSizeList, 3),
    LISTED(outputSheetSize, SECTION_TRAY, OutputSheetSizeList, 0),
    FLAG(cropMarks, SECTION_TRAY, 1),
    FLAG(fitToSheet, SECTION_TRAY, 0),
    LISTED(mediaType, SECTION_TRAY, MediaTypeList, 0),

    NUMBER(jobAux7, SECTION_NONE, 1),
    NUMBER(jobAux8, SECTION_NONE, 1),
    TEXTUAL(addressText, SECTION_NONE, L"255.255.255.255"),

    IDENTITY_TEXT(owner),
    IDENTITY_TEXT(jobPassword),
    TEXTUAL(comment, SECTION_INFO, L""),
    IDENTITY_TEXT(accountNumber),
    IDENTITY_TEXT(securePassword),
    IDENTITY_FLAG(securePrint),
    IDENTITY_FLAG(hasJobPassword),

    TEXTUAL(infoAux, SECTION_NONE, L""),
};

// The table covers the record: every byte belongs to exactly one row,
// except the two reserved pairs, and numbers have the width of their kind.
static constexpr bool TableCoversRecord()
{
    size_t next = 0;
    for (const RecordField &field : RecordFields) {
        if (next == offsetof(UserOptions, reserved0) || next == offsetof(UserOptions, reserved1))
            next += 2;
        if (field.offset != next)
            return false;
        bool isText = field.kind == FIELD_TEXT;
        bool narrow = field.kind == FIELD_MARKER || field.kind == FIELD_NUMBER;
        if (!isText && field.width != sizeof(LONG) && !(narrow && field.width == sizeof(SHORT)))
            return false;
        if ((field.kind == FIELD_LIST) != (field.list != NULL) || (field.kind == FIELD_CHOICE) != (field.choices != NULL))
            return false;
        // A text's default, terminator included, fits its field.
        if (isText != (field.defaultText != NULL))
            return false;
        size_t units = 0;
        while (isText && field.defaultText[units])
            ++units;
        if (isText && (units + 1) * sizeof(WCHAR) > field.width)
            return false;
        next += field.width;
    }
    return next == sizeof(UserOptions);
}
static_assert(TableCoversRecord(), "the field table must describe every field of UserOptions in record order");

const int RecordFieldCount = static_cast<int>(sizeof(RecordFields) / sizeof(RecordFields[0]));

// The full default, worked out from the rows at compile time: the record's
// bytes as the defaults leave them (zero where no default writes), and the
// byte spans those writes cover. The core driver asks for a default devmode
// several times a sheet, and a walk over the rows took ten times as long as
// the host's own memset; a block copy has a start-up cost, so neighbouring
// spans are copied as one across a gap of a few bytes (the reserved pairs),
// whose bytes are kept aside and put back.
struct RecordSpan {
    USHORT offset;
    USHORT length;
};
#define KEPT_GAP_BYTES 4
// Only the two reserved pairs lie between the defaults' writes.
#define KEPT_GAPS 2
struct RecordDefaults {
    BYTE image[sizeof(UserOptions)];
    RecordSpan spans[RecordFieldCount];
    int spanCount;
    RecordSpan gaps[RecordFieldCount]; // inside the spans, each at most KEPT_GAP_BYTES
    int gapCount;
};

// The bytes a field's default writes: a text and its terminator, nothing
// behind, except an identity text, which is written (zeroed) whole.
static constexpr size_t DefaultWriteBytes(const RecordField &field)
{
    if (field.kind != FIELD_TEXT || field.identity)
        return field.width;
    size_t units = 0;
    while (field.defaultText[units])
        ++units;
    return (units + 1) * sizeof(WCHAR);
}

static constexpr RecordDefaults MakeRecordDefaults()
{
    RecordDefaults defaults = {};
    for (const RecordField &field : RecordFields) {
        if (field.kind == FIELD_TEXT && !field.identity) {
            for (size_t unit = 0; field.defaultText[unit]; ++unit) {
                defaults.image[field.offset + 2 * unit] = static_cast<BYTE>(field.defaultText[unit]);
                defaults.image[field.offset + 2 * unit + 1] = static_cast<BYTE>(field.defaultText[unit] >> 8);
            }
        } else if (field.kind != FIELD_TEXT) {
            // Little-endian at the field's width, as SetRecordFieldValue stores it.
            unsigned long value = static_cast<unsigned long>(field.defaultValue);
            for (size_t byte = 0; byte < field.width; ++byte)
                defaults.image[field.offset + byte] = static_cast<BYTE>(value >> (8 * byte));
        }
        size_t length = DefaultWriteBytes(field);
        RecordSpan *last = defaults.spanCount ? &defaults.spans[defaults.spanCount - 1] : nullptr;
        size_t end = last ? last->offset + last->length : 0;
        if (last && field.offset - end <= KEPT_GAP_BYTES) {
            if (field.offset > end)
                defaults.gaps[defaults.gapCount++] = {static_cast<USHORT>(end), static_cast<USHORT>(field.offset - end)};
            last->length = static_cast<USHORT>(field.offset + length - last->offset);
        } else {
            defaults.spans[defaults.spanCount++] = {field.offset, static_cast<USHORT>(length)};
        }
    }
    return defaults;
}
static constexpr RecordDefaults Defaults = MakeRecordDefaults();
static_assert(Defaults.gapCount <= KEPT_GAPS, "only the two reserved pairs lie between the defaults' writes");

void ResetRecordFields(UserOptions &options)
{
    BYTE *to = reinterpret_cast<BYTE *>(&options);
    BYTE kept[KEPT_GAPS][KEPT_GAP_BYTES];
    for (int i = 0; i < Defaults.gapCount; ++i)
        for (int k = 0; k < Defaults.gaps[i].length; ++k)
            kept[i][k] = to[Defaults.gaps[i].offset + k];
    for (int i = 0; i < Defaults.spanCount; ++i)
        CopyMemory(to + Defaults.spans[i].offset, Defaults.image + Defaults.spans[i].offset, Defaults.spans[i].length);
    for (int i = 0; i < Defaults.gapCount; ++i)
        for (int k = 0; k < Defaults.gaps[i].length; ++k)
            to[Defaults.gaps[i].offset + k] = kept[i][k];
}

void RecordListEntry(const RecordList &list, int position, HINSTANCE module, WCHAR *text)
{
    text[0] = 0;
    if (position < 0 || position >= RecordListCount(list))
        return;
    if (position < list.loaded) {
        if (!module || !LoadStringW(module, list.ids[position], text, LIST_ENTRY_UNITS))
            text[0] = 0;
        return;
    }
    int step = position - list.loaded;
    WCHAR number[INTEGER_TEXT_UNITS];
    if (list.build == LIST_DOUBLING_NUMBER) {
        IntegerToText(list.firstNumber << step, number, 10);
        lstrcpynW(text, number, LIST_ENTRY_UNITS);
    } else if (list.build == LIST_NUMBERED_STRING) {
        if (!module || !LoadStringW(module, list.buildString, text, LIST_ENTRY_UNITS))
            text[0] = 0;
        IntegerToText(list.firstNumber + step, number, 10);
        if (lstrlenW(text) + lstrlenW(number) < LIST_ENTRY_UNITS)
            AppendText(text, number);
    }
}

const RecordField *FindRecordField(const char *name)
{
    for (const RecordField &field : RecordFields)
        if (lstrcmpA(field.name, name) == 0)
            return &field;
    return NULL;
}

const RecordField *RecordFieldAt(size_t offset)
{
    for (const RecordField &field : RecordFields)
        if (offset >= field.offset && offset < static_cast<size_t>(field.offset) + field.width)
            return &field;
    return NULL;
}

LONG RecordFieldValue(const UserOptions &options, const RecordField &field)
{
    const BYTE *at = reinterpret_cast<const BYTE *>(&options) + field.offset;
    if (field.width == sizeof(SHORT)) {
        SHORT value;
        CopyMemory(&value, at, sizeof(value));
        return value;
    }
    LONG value;
    CopyMemory(&value, at, sizeof(value));
    return value;
}

void SetRecordFieldValue(UserOptions &options, const RecordField &field, LONG value)
{
    BYTE *at = reinterpret_cast<BYTE *>(&options) + field.offset;
    if (field.width == sizeof(SHORT)) {
        SHORT narrow = static_cast<SHORT>(value);
        CopyMemory(at, &narrow, sizeof(narrow));
    } else {
        CopyMemory(at, &value, sizeof(value));
    }
}

void ClearIdentityFields(UserOptions &options)
{
    // Every identity field's default is empty or 0.
    for (const RecordField &field : RecordFields)
        if (field.identity)
            ResetRecordField(options, field);
}

void ScrubIdentityTexts(UserOptions &options)
{
    for (const RecordField &field : RecordFields) {
        if (!field.identity || field.kind != FIELD_TEXT)
            continue;
        WCHAR *text = RecordFieldText(options, field);
        int units = field.width / sizeof(WCHAR), length = 0;
        while (length < units && text[length])
            ++length;
        if (length < units)
            SecureZeroMemory(text + length, (units - length) * sizeof(WCHAR));
    }
}

const RecordSectionName RecordSectionNames[] = {
    {"file", SECTION_FILE}, {"color", SECTION_COLOR}, {"other", SECTION_OTHER},
    {"tray", SECTION_TRAY}, {"info", SECTION_INFO},
};
const int RecordSectionNameCount = static_cast<int>(sizeof(RecordSectionNames) / sizeof(RecordSectionNames[0]));

void ResetRecordField(UserOptions &options, const RecordField &field)
{
    if (field.kind != FIELD_TEXT) {
        SetRecordFieldValue(options, field, field.defaultValue);
        return;
    }
    WCHAR *text = RecordFieldText(options, field);
    if (field.identity) {
        SecureZeroMemory(text, field.width);
        return;
    }
    // The text and its terminator; the units behind mean nothing and stay.
    const WCHAR *from = field.defaultText;
    do
        *text++ = *from;
    while (*from++);
}

void ResetRecordSection(UserOptions &options, RecordSection section)
{
    for (const RecordField &field : RecordFields)
        if (field.section == section)
            ResetRecordField(options, field);
}
