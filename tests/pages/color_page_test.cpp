// The Color page: its enable rules, the colour-model pictures, the devmode
// write of the colour model, and the rendering-style help.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class ColorPageTest : public SheetFixture {
protected:
    HWND OpenColorPage(const UserOptions *stored = NULL) { return OpenPageWith(1, stored); }
};

TEST_F(ColorPageTest, DefaultRecordShowsTheSectionDefault)
{
    HWND page = OpenColorPage();
    EXPECT_TRUE(Checked(page, IDC_COLOR_MODE_COLOR));
    EXPECT_FALSE(Checked(page, IDC_COLOR_MODE_GRAY));
    EXPECT_TRUE(Checked(page, IDC_COLOR_PRINTER_CONTONE));
    EXPECT_TRUE(Checked(page, IDC_COLOR_RGB_CORRECTION));
    EXPECT_TRUE(Checked(page, IDC_COLOR_RGB_STANDARD));
    EXPECT_EQ(L"Mørk (2,2)", ListText(page, IDC_COLOR_GAMMA, ListSelection(page, IDC_COLOR_GAMMA)));
    EXPECT_EQ(L"Mere blå (9300)", ListText(page, IDC_COLOR_WHITE_POINT, ListSelection(page, IDC_COLOR_WHITE_POINT)));
    EXPECT_EQ(L"Adobe RGB", ListText(page, IDC_COLOR_RGB_PROFILE, ListSelection(page, IDC_COLOR_RGB_PROFILE)));
    EXPECT_FALSE(Enabled(page, IDC_COLOR_RGB_PROFILE));
    EXPECT_FALSE(Checked(page, IDC_COLOR_PRINT_SIMULATION));
    EXPECT_TRUE(Enabled(page, IDC_COLOR_PRINT_SIMULATION));
    EXPECT_TRUE(Checked(page, IDC_COLOR_CMYK_CORRECTION));
    EXPECT_EQ(L"SWOP", ListText(page, IDC_COLOR_PRINT_PROFILE, ListSelection(page, IDC_COLOR_PRINT_PROFILE)));
    EXPECT_FALSE(Checked(page, IDC_COLOR_PRESERVE_GCR));
    EXPECT_TRUE(Enabled(page, IDC_COLOR_PRESERVE_GCR));
    EXPECT_TRUE(Checked(page, IDC_COLOR_COMPOSITE_SPOT));
    EXPECT_EQ(L"Fotografisk",
              ListText(page, IDC_COLOR_RENDERING_STYLE, ListSelection(page, IDC_COLOR_RENDERING_STYLE)));
    EXPECT_TRUE(Visible(page, IDC_COLOR_PICTURE_COLOR));
    EXPECT_FALSE(Visible(page, IDC_COLOR_PICTURE_GRAY));
}

TEST_F(ColorPageTest, ListsHoldTheirEntriesInOrder)
{
    HWND page = OpenColorPage();
    EXPECT_EQ(5, ListCount(page, IDC_COLOR_RENDERING_STYLE));
    EXPECT_EQ(L"Staffage", ListText(page, IDC_COLOR_RENDERING_STYLE, 4));
    EXPECT_EQ(5, ListCount(page, IDC_COLOR_GAMMA));
    EXPECT_EQ(3, ListCount(page, IDC_COLOR_WHITE_POINT));
    EXPECT_EQ(6, ListCount(page, IDC_COLOR_RGB_PROFILE));
    ASSERT_EQ(13, ListCount(page, IDC_COLOR_PRINT_PROFILE));
    EXPECT_EQ(L"Udvidet", ListText(page, IDC_COLOR_PRINT_PROFILE, 2));
    EXPECT_EQ(L"Brugertilpasset 1", ListText(page, IDC_COLOR_PRINT_PROFILE, 3));
    EXPECT_EQ(L"Brugertilpasset 10", ListText(page, IDC_COLOR_PRINT_PROFILE, 12));
}

TEST_F(ColorPageTest, RgbCorrectionAndSourceRules)
{
    HWND page = OpenColorPage();
    ClickButton(page, IDC_COLOR_RGB_CORRECTION); // off
    for (int id : {IDC_COLOR_GAMMA, IDC_COLOR_WHITE_POINT, IDC_COLOR_RGB_PROFILE, IDC_COLOR_PRINT_SIMULATION,
                   IDC_COLOR_RGB_STANDARD, IDC_COLOR_RGB_PROFILE_SOURCE})
        EXPECT_FALSE(Enabled(page, id)) << id;

    ClickButton(page, IDC_COLOR_RGB_CORRECTION); // on again with "Standard"
    ClickButton(page, IDC_COLOR_RGB_PROFILE_SOURCE);
    EXPECT_FALSE(Enabled(page, IDC_COLOR_GAMMA));
    EXPECT_FALSE(Enabled(page, IDC_COLOR_WHITE_POINT));
    EXPECT_TRUE(Enabled(page, IDC_COLOR_RGB_PROFILE));

    ClickButton(page, IDC_COLOR_RGB_CORRECTION); // off with "Profil"
    EXPECT_FALSE(Enabled(page, IDC_COLOR_RGB_PROFILE));
    ClickButton(page, IDC_COLOR_RGB_CORRECTION); // on with "Profil"
    EXPECT_TRUE(Enabled(page, IDC_COLOR_RGB_PROFILE));
    EXPECT_FALSE(Enabled(page, IDC_COLOR_GAMMA));
    EXPECT_FALSE(Enabled(page, IDC_COLOR_WHITE_POINT));

    ClickButton(page, IDC_COLOR_RGB_STANDARD);
    EXPECT_TRUE(Enabled(page, IDC_COLOR_GAMMA));
    EXPECT_TRUE(Enabled(page, IDC_COLOR_WHITE_POINT));
    EXPECT_FALSE(Enabled(page, IDC_COLOR_RGB_PROFILE));
}

TEST_F(ColorPageTest, DisabledListsKeepAndStoreTheirChoice)
{
    HWND page = OpenColorPage();
    ChooseListEntry(page, IDC_COLOR_PRINT_PROFILE, 7);
    ClickButton(page, IDC_COLOR_PRESERVE_GCR);
    ClickButton(page, IDC_COLOR_CMYK_CORRECTION);
    EXPECT_FALSE(Enabled(page, IDC_COLOR_PRINT_PROFILE));
    EXPECT_FALSE(Enabled(page, IDC_COLOR_PRESERVE_GCR));
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.cmykCorrection);
    EXPECT_EQ(7, stored.printProfile);
    EXPECT_EQ(1, stored.preserveGcr);
}

TEST_F(ColorPageTest, GrayscaleSwapsPicturesAndReachesTheDevmodeAtOnce)
{
    HWND page = OpenColorPage();
    ClickButton(page, IDC_COLOR_MODE_GRAY);
    EXPECT_FALSE(Visible(page, IDC_COLOR_PICTURE_COLOR));
    EXPECT_TRUE(Visible(page, IDC_COLOR_PICTURE_GRAY));
    EXPECT_EQ(1, DevmodeRecord().colorMode) << "before any save";
    EXPECT_EQ(0, Stored().colorMode) << "the store is written only when the page is left";

    ClickButton(page, IDC_COLOR_MODE_COLOR);
    EXPECT_EQ(0, DevmodeRecord().colorMode);
    EXPECT_TRUE(Visible(page, IDC_COLOR_PICTURE_COLOR));
    ClickButton(page, IDC_COLOR_MODE_GRAY);
    EXPECT_EQ(1, LeaveAndRead().colorMode);
}

TEST_F(ColorPageTest, StoredColorModeOutOfRangeShowsGrayPictureAndSavesGrayscale)
{
    UserOptions planted = DefaultRecord(ui);
    planted.colorMode = 2;
    planted.rgbSource = 0;
    HWND page = OpenColorPage(&planted);
    EXPECT_FALSE(Checked(page, IDC_COLOR_MODE_COLOR));
    EXPECT_FALSE(Checked(page, IDC_COLOR_MODE_GRAY));
    EXPECT_TRUE(Visible(page, IDC_COLOR_PICTURE_GRAY));
    EXPECT_FALSE(Visible(page, IDC_COLOR_PICTURE_COLOR));
    EXPECT_TRUE(Enabled(page, IDC_COLOR_RGB_PROFILE));
    EXPECT_EQ(1, LeaveAndRead().colorMode);
}

TEST_F(ColorPageTest, EveryControlChangeIsStored)
{
    HWND page = OpenColorPage();
    ClickButton(page, IDC_COLOR_PRINTER_SCREENED);
    ClickButton(page, IDC_COLOR_PRINT_SIMULATION);
    ClickButton(page, IDC_COLOR_COMPOSITE_SPOT);
    ChooseListEntry(page, IDC_COLOR_RENDERING_STYLE, 3);
    ChooseListEntry(page, IDC_COLOR_GAMMA, 0);
    ChooseListEntry(page, IDC_COLOR_WHITE_POINT, 1);
    ChooseListEntry(page, IDC_COLOR_RGB_PROFILE, 5);
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(1, stored.printerMode);
    EXPECT_EQ(1, stored.printSimulation);
    EXPECT_EQ(0, stored.compositeSpotColor);
    EXPECT_EQ(3, stored.renderingStyle);
    EXPECT_EQ(0, stored.gamma);
    EXPECT_EQ(1, stored.whitePoint);
    EXPECT_EQ(5, stored.rgbProfile);
    EXPECT_EQ(0, stored.colorAux);
}

TEST_F(ColorPageTest, HelpIsModalAndMarksTheSheetChangedOnceClosed)
{
    HWND page = OpenColorPage();
    for (UINT closing : {static_cast<UINT>(IDOK), static_cast<UINT>(VK_ESCAPE)}) {
        int before = ChangedCount;
        bool ownerDisabled = false;
        ModalScript script({{L"Hjælp til gengivelse af typografi", [&](HWND help) {
                                 ownerDisabled = !IsWindowEnabled(sheet.window);
                                 if (closing == IDOK)
                                     PostMessageW(help, WM_COMMAND, IDOK, 0);
                                 else
                                     PostMessageW(GetDlgItem(help, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
                             }}});
        ClickStatic(page, IDC_COLOR_HELP_ICON);
        EXPECT_TRUE(script.Finished()) << "the help dialog did not appear or did not close";
        EXPECT_TRUE(ownerDisabled) << "modal to the sheet";
        EXPECT_EQ(before + 1, ChangedCount);
    }
}

} // namespace
