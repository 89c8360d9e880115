// The Color page: its enable rules, the colour-model pictures, the devmode
// write of the colour model, and the rendering-style help.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class ColorPageTest : public SheetFixture {
protected:
    HWND OpenColorPage(const UserOptions *stored = NULL) { return OpenPageWith(1, stored); }
};

// Columns of the tables below.
const std::vector<int> ColorControls = {
    IDC_COLOR_MODE_COLOR,      IDC_COLOR_MODE_GRAY,     IDC_COLOR_PICTURE_COLOR,      IDC_COLOR_PICTURE_GRAY,
    IDC_COLOR_PRINTER_CONTONE, IDC_COLOR_PRINTER_SCREENED,
    IDC_COLOR_RGB_CORRECTION,  IDC_COLOR_RGB_STANDARD,  IDC_COLOR_RGB_PROFILE_SOURCE, IDC_COLOR_GAMMA,
    IDC_COLOR_WHITE_POINT,     IDC_COLOR_RGB_PROFILE,   IDC_COLOR_PRINT_SIMULATION,
    IDC_COLOR_CMYK_CORRECTION, IDC_COLOR_PRINT_PROFILE, IDC_COLOR_PRESERVE_GCR,
    IDC_COLOR_COMPOSITE_SPOT,  IDC_COLOR_RENDERING_STYLE, IDC_COLOR_HELP_ICON,        IDC_COLOR_DEFAULTS};

TEST_F(ColorPageTest, StoredRecordsShowAndSaveAsTheyShould)
{
    typedef UserOptions R;
    CheckStoredVariants(1, ColorControls, {
        // model and pictures | printer mode | RGB, its sources, lists and simulation |
        // CMYK, print profile, GCR | spot colour, style, help, Defaults
        {"the default", {},
         "1 0 - -h  1 0  1 1 0 3/5 2/3 1/6d 0  1 0/13 0  1 1/5 - -", {}},
        {"RGB correction off", {{&R::rgbCorrection, 0}},
         "1 0 - -h  1 0  0 1d 0d 3d 2d 1d 0d  1 0 0  1 1 - -", {}},
        {"RGB from a profile", {{&R::rgbSource, 0}},
         "1 0 - -h  1 0  1 0 1 3d 2d 1 0  1 0 0  1 1 - -", {}},
        {"RGB correction off, from a profile", {{&R::rgbCorrection, 0}, {&R::rgbSource, 0}},
         "1 0 - -h  1 0  0 0d 1d 3d 2d 1d 0d  1 0 0  1 1 - -", {}},
        {"CMYK correction off", {{&R::cmykCorrection, 0}, {&R::preserveGcr, 1}, {&R::printProfile, 12}},
         "1 0 - -h  1 0  1 1 0 3 2 1d 0  0 12d 1d  1 1 - -", {}},
        {"grayscale, screened", {{&R::colorMode, 1}, {&R::printerMode, 1}},
         "0 1 -h -  0 1  1 1 0 3 2 1d 0  1 0 0  1 1 - -", {}},
        {"flags and lists away from the default",
         {{&R::printSimulation, 1}, {&R::preserveGcr, 1}, {&R::compositeSpotColor, 0}, {&R::renderingStyle, 4},
          {&R::gamma, 0}, {&R::whitePoint, 0}, {&R::rgbProfile, 5}, {&R::printProfile, 3}},
         "1 0 - -h  1 0  1 1 0 0 0 5d 1  1 3 1  0 4 - -", {}},
        {"models beyond their buttons", {{&R::colorMode, 2}, {&R::printerMode, 2}, {&R::rgbSource, 0}},
         "0 0 -h -  0 0  1 0 1 3d 2d 1 0  1 0 0  1 1 - -", {{&R::colorMode, 1}, {&R::printerMode, 1}}},
        {"switches stored as 2 count as off", {{&R::rgbCorrection, 2}, {&R::cmykCorrection, 2}},
         "1 0 - -h  1 0  0 1d 0d 3d 2d 1d 0d  0 0d 0d  1 1 - -", {{&R::rgbCorrection, 0}, {&R::cmykCorrection, 0}}},
        {"a source stored as 2 is neither", {{&R::rgbSource, 2}},
         "1 0 - -h  1 0  1 0 0 3d 2d 1d 0  1 0 0  1 1 - -", {{&R::rgbSource, 0}}},
        {"flags stored as 2 show unchecked",
         {{&R::printSimulation, 2}, {&R::preserveGcr, 2}, {&R::compositeSpotColor, 2}},
         "1 0 - -h  1 0  1 1 0 3 2 1d 0  1 0 0  0 1 - -",
         {{&R::printSimulation, 0}, {&R::preserveGcr, 0}, {&R::compositeSpotColor, 0}}},
        {"list positions beyond their lists",
         {{&R::renderingStyle, 5}, {&R::gamma, 5}, {&R::whitePoint, 3}, {&R::rgbProfile, 6}, {&R::printProfile, 13}},
         "1 0 - -h  1 0  1 1 0 -1 -1 -1d 0  1 -1 0  1 -1 - -",
         {{&R::renderingStyle, -1}, {&R::gamma, -1}, {&R::whitePoint, -1}, {&R::rgbProfile, -1},
          {&R::printProfile, -1}}},
    });
}

TEST_F(ColorPageTest, EachChoiceStoresOnlyItsOwnField)
{
    typedef UserOptions R;
    CheckActionsChangeOnlyTheirFields(1, {
        {IDC_COLOR_MODE_GRAY, Click, {{&R::colorMode, 1}}},
        {IDC_COLOR_MODE_COLOR, Click, {{&R::colorMode, 0}}},
        {IDC_COLOR_PRINTER_SCREENED, Click, {{&R::printerMode, 1}}},
        {IDC_COLOR_PRINTER_CONTONE, Click, {{&R::printerMode, 0}}},
        {IDC_COLOR_RGB_PROFILE_SOURCE, Click, {{&R::rgbSource, 0}}},
        {IDC_COLOR_RGB_STANDARD, Click, {{&R::rgbSource, 1}}},
        {IDC_COLOR_PRINT_SIMULATION, Click, {{&R::printSimulation, Toggled}}},
        {IDC_COLOR_RGB_CORRECTION, Click, {{&R::rgbCorrection, Toggled}}},
        {IDC_COLOR_RGB_CORRECTION, Click, {{&R::rgbCorrection, Toggled}}},
        {IDC_COLOR_PRESERVE_GCR, Click, {{&R::preserveGcr, Toggled}}},
        {IDC_COLOR_CMYK_CORRECTION, Click, {{&R::cmykCorrection, Toggled}}},
        {IDC_COLOR_CMYK_CORRECTION, Click, {{&R::cmykCorrection, Toggled}}},
        {IDC_COLOR_COMPOSITE_SPOT, Click, {{&R::compositeSpotColor, Toggled}}},
        {IDC_COLOR_RENDERING_STYLE, 3, {{&R::renderingStyle, 3}}},
        {IDC_COLOR_GAMMA, 0, {{&R::gamma, 0}}},
        {IDC_COLOR_WHITE_POINT, 1, {{&R::whitePoint, 1}}},
        {IDC_COLOR_RGB_PROFILE, 5, {{&R::rgbProfile, 5}}},
        {IDC_COLOR_PRINT_PROFILE, 7, {{&R::printProfile, 7}}},
    });
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
