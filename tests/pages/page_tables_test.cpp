// What every page does alike, one table row per page or list: the lists'
// entries in the order the record stores them, and which commands mark the
// sheet changed.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class PageTablesTest : public SheetFixture {};

// A list, its entry count and some of its entries by position.
struct ListEntries {
    int page;
    int list;
    int count;
    std::vector<std::pair<int, const wchar_t *>> entries;
};

// The Other page's lists are not in string-table order.
const ListEntries Lists[] = {
    {0, IDC_FILE_DISPOSITION, 3, {{0, L"Gem billedfil"}, {1, L"Slet billedfil"}, {2, L"Slet job"}}},
    {1, IDC_COLOR_RENDERING_STYLE, 5, {{1, L"Fotografisk"}, {4, L"Staffage"}}},
    {1, IDC_COLOR_GAMMA, 5, {{3, L"Mørk (2,2)"}}},
    {1, IDC_COLOR_WHITE_POINT, 3, {{2, L"Mere blå (9300)"}}},
    {1, IDC_COLOR_RGB_PROFILE, 6, {{1, L"Adobe RGB"}}},
    {1, IDC_COLOR_PRINT_PROFILE, 13,
     {{0, L"SWOP"}, {2, L"Udvidet"}, {3, L"Brugertilpasset 1"}, {12, L"Brugertilpasset 10"}}},
    {2, IDC_OTHER_SEPARATIONS, 8, {{0, L"Automatisk"}, {1, L"Automatisk enkelt side"}, {7, L"Deaktiveret"}}},
    {2, IDC_OTHER_TIFF_RESOLUTION, 3, {{0, L"600"}, {1, L"300"}, {2, L"72"}}},
    {3, IDC_TRAY_DUPLEX, 3, {{0, L"Ingen dupleks"}}},
    {3, IDC_TRAY_STAPLE, 5, {{0, L"Ingen"}}},
    {3, IDC_TRAY_SECTION_SIZE, 6, {{0, L"Alle"}, {1, L"4"}, {2, L"8"}, {3, L"16"}, {4, L"32"}, {5, L"64"}}},
    {3, IDC_TRAY_OUTPUT_SHEET_SIZE, 7,
     {{0, L"Tabloid"}, {1, L"A3"}, {2, L"SRA3"}, {3, L"12x18"}, {4, L"12x19"}, {5, L"Letter"}, {6, L"A4"}}},
    {3, IDC_TRAY_IMPOSITION_TYPE, 5, {{0, L"Saddelsting"}, {2, L"Signatur"}}},
    {3, IDC_TRAY_MEDIA_TYPE, 17,
     {{0, L"Bakke, standard"}, {2, L"Standardpapir  (81-98 g)"}, {16, L"Transparent Interleave"}}},
};

TEST_F(PageTablesTest, ListsHoldTheirEntriesInOrder)
{
    OpenSheet();
    for (const ListEntries &row : Lists) {
        HWND page = ShowPage(row.page);
        EXPECT_EQ(row.count, ListCount(page, row.list)) << "list " << row.list;
        for (const auto &entry : row.entries)
            EXPECT_EQ(entry.second, ListText(page, row.list, entry.first)) << "list " << row.list;
    }
}

// Each command of marking must mark the sheet changed once and answer TRUE;
// each of ignored neither. The Color page's help icon opens a modal dialog
// first; its own test counts its mark.
struct CommandMarks {
    int page;
    std::vector<int> marking;
    std::vector<int> ignored;
    WORD code;
};

const std::vector<int> InfoEdits = {IDC_INFO_OWNER, IDC_INFO_JOB_PASSWORD, IDC_INFO_COMMENT, IDC_INFO_ACCOUNT_NUMBER,
                                    IDC_INFO_ADDRESS};

const CommandMarks Marks[] = {
    {0,
     {IDC_FILE_PROCESS_PRINT, IDC_FILE_PROCESS_HOLD, IDC_FILE_PREFLIGHT_HOLD, IDC_FILE_SPOOL_HOLD,
      IDC_FILE_DISPOSITION, IDC_FILE_DEFAULTS},
     {IDOK, IDCANCEL, 4242},
     BN_SETFOCUS},
    {1,
     {IDC_COLOR_MODE_COLOR, IDC_COLOR_MODE_GRAY, IDC_COLOR_DEFAULTS, IDC_COLOR_RGB_CORRECTION,
      IDC_COLOR_CMYK_CORRECTION, IDC_COLOR_COMPOSITE_SPOT, IDC_COLOR_PRINTER_SCREENED, IDC_COLOR_RENDERING_STYLE,
      IDC_COLOR_GAMMA, IDC_COLOR_WHITE_POINT, IDC_COLOR_PRINT_PROFILE, IDC_COLOR_PRINTER_CONTONE,
      IDC_COLOR_PRINT_SIMULATION, IDC_COLOR_PRESERVE_GCR, IDC_COLOR_RGB_STANDARD, IDC_COLOR_RGB_PROFILE_SOURCE,
      IDC_COLOR_RGB_PROFILE},
     {IDC_COLOR_PICTURE_COLOR, IDC_COLOR_PICTURE_GRAY, IDOK, 4242},
     CBN_SETFOCUS},
    {2,
     {IDC_OTHER_SEPARATIONS, IDC_OTHER_TIFF_RESOLUTION, IDC_OTHER_PROGRESSIVES, IDC_OTHER_SAVE_AS_TIFF,
      IDC_OTHER_INVERT_IMAGE, IDC_OTHER_CONTROL_STRIP, IDC_OTHER_INFO_STRIP, IDC_OTHER_IMAGE_ENHANCE,
      IDC_OTHER_PURE_BLACK, IDC_OTHER_EDGE_SMOOTHING, IDC_OTHER_BLACK_OVERPRINT, IDC_OTHER_COMPOSITE_OVERPRINT,
      IDC_OTHER_AUTO_TRAPPING, IDC_OTHER_BRAND_CONTROL, IDC_OTHER_AUTO_GRAY, IDC_OTHER_MIRROR, IDC_OTHER_DEFAULTS,
      IDC_OTHER_SINGLE_SIDED},
     {IDC_OTHER_SEPARATIONS_LABEL, IDOK, 4242},
     BN_SETFOCUS},
    {3,
     {IDC_TRAY_DEFAULTS, IDC_TRAY_COLLATE, IDC_TRAY_STAPLE, IDC_TRAY_IMPOSITION, IDC_TRAY_IMPOSITION_TYPE,
      IDC_TRAY_MEDIA_TYPE, IDC_TRAY_ROTATE_PAGES, IDC_TRAY_DUPLEX, IDC_TRAY_CROP_MARKS, IDC_TRAY_SECTION_SIZE,
      IDC_TRAY_OUTPUT_SHEET_SIZE, IDC_TRAY_FIT_TO_SHEET},
     {IDC_TRAY_STAPLE_PICTURE_NONE, IDC_TRAY_MEDIA_GROUP, IDC_TRAY_MEDIA_DESCRIPTION, IDC_TRAY_LEGACY_DUPLEX_NONE,
      IDC_TRAY_LEGACY_STAPLE, IDOK, 4242},
     CBN_SETFOCUS},
    // On the Info page only typing marks; focus and a full edit do not.
    {4, InfoEdits, {IDC_INFO_ADDRESS_LABEL, IDOK, 4242}, EN_CHANGE},
    {4, InfoEdits, {IDC_INFO_ADDRESS_LABEL, IDOK, 4242}, EN_UPDATE},
    {4, {}, InfoEdits, EN_SETFOCUS},
    {4, {}, InfoEdits, EN_KILLFOCUS},
    {4, {}, InfoEdits, EN_MAXTEXT},
};

TEST_F(PageTablesTest, EveryHandledControlMarksTheSheetOnce)
{
    for (const CommandMarks &row : Marks) {
        SCOPED_TRACE(testing::Message() << "page " << row.page << ", notification " << row.code);
        CheckCommandMarks(row.page, row.marking, row.ignored, row.code);
        HostEndSheet(&sheet);
    }
}

} // namespace
