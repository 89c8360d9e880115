// The Tray page: stapling and its collate memory, imposition and its type
// rules, the 2-up sheet sizes, the staple pictures and the media description.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

const int StaplePictures[] = {IDC_TRAY_STAPLE_PICTURE_NONE, IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_ONE,
                              IDC_TRAY_STAPLE_PICTURE_PORTRAIT_ONE, IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_TWO,
                              IDC_TRAY_STAPLE_PICTURE_PORTRAIT_TWO};

class TrayPageTest : public SheetFixture {
protected:
    HWND OpenTrayPage(const UserOptions *stored = NULL) { return OpenPageWith(3, stored); }
    static int VisibleStaplePicture(HWND page)
    {
        int shown = 0, count = 0;
        for (int picture : StaplePictures)
            if (Visible(page, picture)) {
                shown = picture;
                ++count;
            }
        return count == 1 ? shown : -count;
    }
};

// Columns of the tables below: duplex, staple and its five pictures,
// collate, rotate, imposition and its four settings, media, Defaults, and
// legacy controls that stay hidden or are destroyed.
const std::vector<int> TrayControls = {
    IDC_TRAY_DUPLEX, IDC_TRAY_STAPLE, IDC_TRAY_STAPLE_PICTURE_NONE, IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_ONE,
    IDC_TRAY_STAPLE_PICTURE_PORTRAIT_ONE, IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_TWO, IDC_TRAY_STAPLE_PICTURE_PORTRAIT_TWO,
    IDC_TRAY_COLLATE, IDC_TRAY_ROTATE_PAGES, IDC_TRAY_IMPOSITION, IDC_TRAY_IMPOSITION_TYPE, IDC_TRAY_SECTION_SIZE,
    IDC_TRAY_OUTPUT_SHEET_SIZE, IDC_TRAY_CROP_MARKS, IDC_TRAY_FIT_TO_SHEET, IDC_TRAY_MEDIA_TYPE, IDC_TRAY_DEFAULTS,
    IDC_TRAY_LEGACY_STAPLE, IDC_TRAY_LEGACY_DUPLEX_NONE, IDC_TRAY_LEGACY_TACK_FILM, IDC_TRAY_LEGACY_SORTER,
    IDC_TRAY_LEGACY_PRODUCTION, IDC_TRAY_LEGACY_TRANSPARENT_BACKED, IDC_TRAY_LEGACY_OPAQUE_FILM};

// The picture columns for each staple position, and the legacy columns.
#define NO_STAPLE "- -h -h -h -h"
#define ONE_PORTRAIT "-h -h - -h -h"
#define ONE_LANDSCAPE "-h - -h -h -h"
#define TWO_PORTRAIT "-h -h -h -h -"
#define TWO_LANDSCAPE "-h -h -h - -h"
#define LEGACY "- 0h 0h 0h x x x x"

TEST_F(TrayPageTest, StoredRecordsShowAndSaveAsTheyShould)
{
    typedef UserOptions R;
    CheckStoredVariants(3, TrayControls, {
        {"the default", {},
         "0/3 0/5 " NO_STAPLE " 0 0 0 0/5d 3/6d 0/7d 1d 0d 0/17 " LEGACY, {}},
        {"imposition on, saddle stitch", {{&R::imposition, 1}},
         "0 0d " NO_STAPLE " 0 0 1 0 3 0/7 1 0 0 " LEGACY, {}},
        {"step and repeat shows crop and fit as stored",
         {{&R::imposition, 1}, {&R::impositionType, 3}, {&R::cropMarks, 0}, {&R::fitToSheet, 1}},
         "0 0d " NO_STAPLE " 0 0 1 3 3d 0/7 0d 1d 0 " LEGACY, {}},
        {"2-up with Letter", {{&R::imposition, 1}, {&R::impositionType, 4}, {&R::outputSheetSize, 5}},
         "0 0d " NO_STAPLE " 0 0 1 4 3d 0/5 1 0d 0 " LEGACY, {{&R::outputSheetSize, 0}}},
        {"2-up with A4 while imposition is off", {{&R::impositionType, 4}, {&R::outputSheetSize, 6}},
         "0 0 " NO_STAPLE " 0 0 0 4d 3d 0/5d 1d 0d 0 " LEGACY, {{&R::outputSheetSize, 0}}},
        {"signature, all pages", {{&R::imposition, 1}, {&R::impositionType, 2}, {&R::sectionSize, 0}},
         "0 0d " NO_STAPLE " 0 0 1 2 0d 0/7 1 0 0 " LEGACY, {}},
        {"perfect bound, imposition stored as 2", {{&R::imposition, 2}, {&R::impositionType, 1}},
         "0 0d " NO_STAPLE " 0 0 0 1 3d 0/7 1 0 0 " LEGACY, {{&R::imposition, 0}}},
        {"two staples portrait, not collated", {{&R::staple, 3}},
         "0 3 " TWO_PORTRAIT " 0d 0 0 0d 3d 0d 1d 0d 0 " LEGACY, {}},
        {"one staple landscape, collated", {{&R::staple, 2}, {&R::collate, 1}, {&R::duplex, 1}},
         "1 2 " ONE_LANDSCAPE " 1d 0 0 0d 3d 0d 1d 0d 0 " LEGACY, {}},
        {"one staple portrait, rotated, transparency interleave",
         {{&R::staple, 1}, {&R::rotatePages, 1}, {&R::duplex, 2}, {&R::mediaType, 16}},
         "2 1 " ONE_PORTRAIT " 0d 1 0 0d 3d 0d 1d 0d 16 " LEGACY, {}},
        {"two staples landscape locked by imposition",
         {{&R::staple, 4}, {&R::collate, 1}, {&R::imposition, 1}, {&R::sectionSize, 5}, {&R::outputSheetSize, 6}},
         "0 4d " TWO_LANDSCAPE " 1d 0 1 0 5 6/7 1 0 0 " LEGACY, {}},
        {"list positions beyond their lists",
         {{&R::duplex, 3}, {&R::staple, 5}, {&R::imposition, 1}, {&R::impositionType, 5}, {&R::sectionSize, 6},
          {&R::outputSheetSize, 7}, {&R::mediaType, 17}},
         "-1 -1d " NO_STAPLE " 0d 0 1 -1 -1d -1/7 1 0 -1 " LEGACY,
         {{&R::duplex, -1}, {&R::staple, -1}, {&R::impositionType, -1}, {&R::sectionSize, -1},
          {&R::outputSheetSize, -1}, {&R::mediaType, -1}}},
        {"flags stored as 2 show unchecked",
         {{&R::collate, 2}, {&R::rotatePages, 2}, {&R::cropMarks, 2}, {&R::fitToSheet, 2}},
         "0 0 " NO_STAPLE " 0 0 0 0d 3d 0d 0d 0d 0 " LEGACY,
         {{&R::collate, 0}, {&R::rotatePages, 0}, {&R::cropMarks, 0}, {&R::fitToSheet, 0}}},
    }, [](HWND page, const StoredVariant &variant) {
        // The description is string 141 + the media type; none beyond the list.
        LONG media = 0;
        for (const FieldValue &f : variant.stored)
            if (f.field == &UserOptions::mediaType)
                media = f.value;
        const wchar_t *description = media == 0    ? L"Auto - Serverstandard\nAndre - Kopibakkeindstilling"
                                     : media == 16 ? L"Transparent Interleave"
                                                   : L"";
        EXPECT_EQ(description, ControlText(page, IDC_TRAY_MEDIA_DESCRIPTION));
    });
}

TEST_F(TrayPageTest, EachChoiceStoresOnlyItsOwnFields)
{
    typedef UserOptions R;
    CheckActionsChangeOnlyTheirFields(3, {
        {IDC_TRAY_DUPLEX, 2, {{&R::duplex, 2}}},
        {IDC_TRAY_ROTATE_PAGES, Click, {{&R::rotatePages, Toggled}}},
        {IDC_TRAY_COLLATE, Click, {{&R::collate, Toggled}}},
        {IDC_TRAY_COLLATE, Click, {{&R::collate, Toggled}}},
        {IDC_TRAY_STAPLE, 1, {{&R::staple, 1}, {&R::collate, 1}}},
        {IDC_TRAY_STAPLE, 0, {{&R::staple, 0}, {&R::collate, 0}}},
        {IDC_TRAY_IMPOSITION, Click, {{&R::imposition, Toggled}}},
        {IDC_TRAY_IMPOSITION_TYPE, 2, {{&R::impositionType, 2}}},
        {IDC_TRAY_SECTION_SIZE, 5, {{&R::sectionSize, 5}}},
        {IDC_TRAY_OUTPUT_SHEET_SIZE, 3, {{&R::outputSheetSize, 3}}},
        {IDC_TRAY_CROP_MARKS, Click, {{&R::cropMarks, Toggled}}},
        {IDC_TRAY_FIT_TO_SHEET, Click, {{&R::fitToSheet, Toggled}}},
        {IDC_TRAY_IMPOSITION_TYPE, 3, {{&R::impositionType, 3}, {&R::cropMarks, 1}, {&R::fitToSheet, 0}}},
        {IDC_TRAY_IMPOSITION_TYPE, 4, {{&R::impositionType, 4}}},
        {IDC_TRAY_MEDIA_TYPE, 9, {{&R::mediaType, 9}}},
        {IDC_TRAY_IMPOSITION, Click, {{&R::imposition, Toggled}}},
    });
}

TEST_F(TrayPageTest, StaplingForcesCollateAndGivesTheChoiceBack)
{
    HWND page = OpenTrayPage();
    ChooseListEntry(page, IDC_TRAY_STAPLE, 1);
    EXPECT_TRUE(Checked(page, IDC_TRAY_COLLATE));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_COLLATE));
    EXPECT_EQ(IDC_TRAY_STAPLE_PICTURE_PORTRAIT_ONE, VisibleStaplePicture(page));
    ChooseListEntry(page, IDC_TRAY_STAPLE, 4);
    EXPECT_TRUE(Checked(page, IDC_TRAY_COLLATE));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_COLLATE));
    EXPECT_EQ(IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_TWO, VisibleStaplePicture(page));
    ChooseListEntry(page, IDC_TRAY_STAPLE, 0);
    EXPECT_FALSE(Checked(page, IDC_TRAY_COLLATE)) << "the remembered, unchecked state";
    EXPECT_TRUE(Enabled(page, IDC_TRAY_COLLATE));

    ClickButton(page, IDC_TRAY_COLLATE);
    ChooseListEntry(page, IDC_TRAY_STAPLE, 2);
    EXPECT_EQ(IDC_TRAY_STAPLE_PICTURE_LANDSCAPE_ONE, VisibleStaplePicture(page));
    ChooseListEntry(page, IDC_TRAY_STAPLE, 3);
    EXPECT_EQ(IDC_TRAY_STAPLE_PICTURE_PORTRAIT_TWO, VisibleStaplePicture(page));
    ChooseListEntry(page, IDC_TRAY_STAPLE, 0);
    EXPECT_TRUE(Checked(page, IDC_TRAY_COLLATE)) << "checked beforehand, checked again";
}

TEST_F(TrayPageTest, StoredStapleShowsCollateLockedInItsStoredState)
{
    UserOptions planted = DefaultRecord();
    planted.staple = 3;
    planted.collate = 0;
    HWND page = OpenTrayPage(&planted);
    EXPECT_FALSE(Checked(page, IDC_TRAY_COLLATE));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_COLLATE));
    EXPECT_EQ(IDC_TRAY_STAPLE_PICTURE_PORTRAIT_TWO, VisibleStaplePicture(page));
    ChooseListEntry(page, IDC_TRAY_STAPLE, 0);
    EXPECT_FALSE(Checked(page, IDC_TRAY_COLLATE));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_COLLATE));
}

TEST_F(TrayPageTest, ImpositionLocksStaplingAndKeepsValues)
{
    HWND page = OpenTrayPage();
    ChooseListEntry(page, IDC_TRAY_STAPLE, 2);
    ClickButton(page, IDC_TRAY_IMPOSITION);
    EXPECT_FALSE(Enabled(page, IDC_TRAY_STAPLE));
    EXPECT_EQ(2, ListSelection(page, IDC_TRAY_STAPLE));
    for (int id : {IDC_TRAY_IMPOSITION_TYPE, IDC_TRAY_SECTION_SIZE, IDC_TRAY_OUTPUT_SHEET_SIZE, IDC_TRAY_CROP_MARKS,
                   IDC_TRAY_FIT_TO_SHEET})
        EXPECT_TRUE(Enabled(page, id)) << id;
    ChooseListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE, 2);
    ClickButton(page, IDC_TRAY_IMPOSITION);
    EXPECT_TRUE(Enabled(page, IDC_TRAY_STAPLE));
    for (int id : {IDC_TRAY_IMPOSITION_TYPE, IDC_TRAY_SECTION_SIZE, IDC_TRAY_OUTPUT_SHEET_SIZE, IDC_TRAY_CROP_MARKS,
                   IDC_TRAY_FIT_TO_SHEET})
        EXPECT_FALSE(Enabled(page, id)) << id;
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.imposition);
    EXPECT_EQ(2, stored.staple);
    EXPECT_EQ(2, stored.outputSheetSize);
    EXPECT_EQ(1, stored.collate);
}

TEST_F(TrayPageTest, TwoUpShortensSheetSizesAndOtherTypesRestoreThem)
{
    HWND page = OpenTrayPage();
    ClickButton(page, IDC_TRAY_IMPOSITION);
    ChooseListEntry(page, IDC_TRAY_OUTPUT_SHEET_SIZE, 6);
    ChooseListEntry(page, IDC_TRAY_IMPOSITION_TYPE, 4);
    EXPECT_EQ(5, ListCount(page, IDC_TRAY_OUTPUT_SHEET_SIZE));
    EXPECT_EQ(L"Tabloid", ListText(page, IDC_TRAY_OUTPUT_SHEET_SIZE, ListSelection(page, IDC_TRAY_OUTPUT_SHEET_SIZE)));
    EXPECT_FALSE(Checked(page, IDC_TRAY_FIT_TO_SHEET));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_FIT_TO_SHEET));
    ChooseListEntry(page, IDC_TRAY_IMPOSITION_TYPE, 4); // again: nothing more to remove
    EXPECT_EQ(5, ListCount(page, IDC_TRAY_OUTPUT_SHEET_SIZE));

    ChooseListEntry(page, IDC_TRAY_IMPOSITION_TYPE, 2);
    ASSERT_EQ(7, ListCount(page, IDC_TRAY_OUTPUT_SHEET_SIZE));
    EXPECT_EQ(L"Letter", ListText(page, IDC_TRAY_OUTPUT_SHEET_SIZE, 5));
    EXPECT_EQ(L"A4", ListText(page, IDC_TRAY_OUTPUT_SHEET_SIZE, 6));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_SECTION_SIZE));
}

TEST_F(TrayPageTest, StepAndRepeatForcesCropMarksAndFitOff)
{
    HWND page = OpenTrayPage();
    ClickButton(page, IDC_TRAY_IMPOSITION);
    ClickButton(page, IDC_TRAY_CROP_MARKS); // off
    ClickButton(page, IDC_TRAY_FIT_TO_SHEET); // on
    ChooseListEntry(page, IDC_TRAY_IMPOSITION_TYPE, 3);
    EXPECT_TRUE(Checked(page, IDC_TRAY_CROP_MARKS));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_CROP_MARKS));
    EXPECT_FALSE(Checked(page, IDC_TRAY_FIT_TO_SHEET));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_FIT_TO_SHEET));
    EXPECT_FALSE(Enabled(page, IDC_TRAY_SECTION_SIZE));

    ChooseListEntry(page, IDC_TRAY_IMPOSITION_TYPE, 0);
    EXPECT_TRUE(Checked(page, IDC_TRAY_CROP_MARKS));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_CROP_MARKS));
    EXPECT_FALSE(Checked(page, IDC_TRAY_FIT_TO_SHEET));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_FIT_TO_SHEET));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_SECTION_SIZE));
}

TEST_F(TrayPageTest, MediaDescriptionFollowsTheChosenEntry)
{
    HWND page = OpenTrayPage();
    ChooseListEntry(page, IDC_TRAY_MEDIA_TYPE, 2);
    EXPECT_EQ(L"Kontaktpapir", ControlText(page, IDC_TRAY_MEDIA_DESCRIPTION));
    ChooseListEntry(page, IDC_TRAY_MEDIA_TYPE, 16);
    EXPECT_EQ(L"Transparent Interleave", ControlText(page, IDC_TRAY_MEDIA_DESCRIPTION));
    EXPECT_EQ(16, LeaveAndRead().mediaType);
}

TEST_F(TrayPageTest, LegacyControlsStayHiddenOrGone)
{
    HWND page = OpenTrayPage();
    for (int gone : {IDC_TRAY_LEGACY_SORTER, IDC_TRAY_LEGACY_PRODUCTION, IDC_TRAY_LEGACY_TRANSPARENT_BACKED,
                     IDC_TRAY_LEGACY_OPAQUE_FILM})
        EXPECT_TRUE(GetDlgItem(page, gone) == NULL) << gone;
    for (int hidden : {IDC_TRAY_LEGACY_STAPLE, IDC_TRAY_LEGACY_DUPLEX_NONE, IDC_TRAY_LEGACY_TACK_FILM})
        EXPECT_FALSE(Visible(page, hidden)) << hidden;
    ClickButton(page, IDC_TRAY_DEFAULTS); // shows again with the controls already gone
    EXPECT_FALSE(Visible(page, IDC_TRAY_LEGACY_STAPLE));
}

TEST_F(TrayPageTest, DefaultsResetTheDevmodeAndTheMemory)
{
    HWND page = OpenTrayPage();
    ClickButton(page, IDC_TRAY_COLLATE);
    ChooseListEntry(page, IDC_TRAY_STAPLE, 1);
    DevmodeRecord().jobAux7 = 9;
    ClickButton(page, IDC_TRAY_DEFAULTS);
    EXPECT_EQ(0, ListSelection(page, IDC_TRAY_STAPLE));
    EXPECT_FALSE(Checked(page, IDC_TRAY_COLLATE));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_COLLATE));
    EXPECT_EQ(3, DevmodeRecord().sectionSize);
    EXPECT_EQ(9, DevmodeRecord().jobAux7) << "outside the section";
    ChooseListEntry(page, IDC_TRAY_STAPLE, 1);
    ChooseListEntry(page, IDC_TRAY_STAPLE, 0);
    EXPECT_FALSE(Checked(page, IDC_TRAY_COLLATE)) << "memory taken again at Defaults";
}

} // namespace
