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

TEST_F(TrayPageTest, DefaultRecordShowsTheSectionDefault)
{
    HWND page = OpenTrayPage();
    EXPECT_EQ(L"Ingen dupleks", ListText(page, IDC_TRAY_DUPLEX, ListSelection(page, IDC_TRAY_DUPLEX)));
    EXPECT_EQ(0, ListSelection(page, IDC_TRAY_STAPLE));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_STAPLE));
    EXPECT_EQ(IDC_TRAY_STAPLE_PICTURE_NONE, VisibleStaplePicture(page));
    EXPECT_FALSE(Checked(page, IDC_TRAY_COLLATE));
    EXPECT_TRUE(Enabled(page, IDC_TRAY_COLLATE));
    EXPECT_FALSE(Checked(page, IDC_TRAY_ROTATE_PAGES));
    EXPECT_FALSE(Checked(page, IDC_TRAY_IMPOSITION));
    EXPECT_EQ(L"Saddelsting", ListText(page, IDC_TRAY_IMPOSITION_TYPE, ListSelection(page, IDC_TRAY_IMPOSITION_TYPE)));
    EXPECT_EQ(L"16", ListText(page, IDC_TRAY_SECTION_SIZE, ListSelection(page, IDC_TRAY_SECTION_SIZE)));
    EXPECT_EQ(L"Tabloid", ListText(page, IDC_TRAY_OUTPUT_SHEET_SIZE, ListSelection(page, IDC_TRAY_OUTPUT_SHEET_SIZE)));
    EXPECT_TRUE(Checked(page, IDC_TRAY_CROP_MARKS));
    EXPECT_FALSE(Checked(page, IDC_TRAY_FIT_TO_SHEET));
    for (int id : {IDC_TRAY_IMPOSITION_TYPE, IDC_TRAY_SECTION_SIZE, IDC_TRAY_OUTPUT_SHEET_SIZE, IDC_TRAY_CROP_MARKS,
                   IDC_TRAY_FIT_TO_SHEET})
        EXPECT_FALSE(Enabled(page, id)) << id;
    EXPECT_EQ(L"Bakke, standard", ListText(page, IDC_TRAY_MEDIA_TYPE, ListSelection(page, IDC_TRAY_MEDIA_TYPE)));
    EXPECT_EQ(L"Auto - Serverstandard\nAndre - Kopibakkeindstilling", ControlText(page, IDC_TRAY_MEDIA_DESCRIPTION));
}

TEST_F(TrayPageTest, ListsHoldTheirEntries)
{
    HWND page = OpenTrayPage();
    const wchar_t *sections[] = {L"Alle", L"4", L"8", L"16", L"32", L"64"};
    ASSERT_EQ(6, ListCount(page, IDC_TRAY_SECTION_SIZE));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(sections[i], ListText(page, IDC_TRAY_SECTION_SIZE, i));
    const wchar_t *sheets[] = {L"Tabloid", L"A3", L"SRA3", L"12x18", L"12x19", L"Letter", L"A4"};
    ASSERT_EQ(7, ListCount(page, IDC_TRAY_OUTPUT_SHEET_SIZE));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(sheets[i], ListText(page, IDC_TRAY_OUTPUT_SHEET_SIZE, i));
    EXPECT_EQ(L"Signatur", ListText(page, IDC_TRAY_IMPOSITION_TYPE, 2));
    ASSERT_EQ(17, ListCount(page, IDC_TRAY_MEDIA_TYPE));
    EXPECT_EQ(L"Standardpapir  (81-98 g)", ListText(page, IDC_TRAY_MEDIA_TYPE, 2));
    EXPECT_EQ(L"Transparent Interleave", ListText(page, IDC_TRAY_MEDIA_TYPE, 16));
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
    UserOptions planted = DefaultRecord(ui);
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

TEST_F(TrayPageTest, StoredTwoUpWithLetterShowsTabloidAndSavesIt)
{
    for (LONG size : {5, 6}) {
        UserOptions planted = DefaultRecord(ui);
        planted.imposition = 1;
        planted.impositionType = 4;
        planted.outputSheetSize = size;
        HWND page = OpenTrayPage(&planted);
        EXPECT_EQ(5, ListCount(page, IDC_TRAY_OUTPUT_SHEET_SIZE));
        EXPECT_EQ(L"Tabloid",
                  ListText(page, IDC_TRAY_OUTPUT_SHEET_SIZE, ListSelection(page, IDC_TRAY_OUTPUT_SHEET_SIZE)));
        EXPECT_EQ(0, LeaveAndRead().outputSheetSize);
        HostEndSheet(&sheet);
    }
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
