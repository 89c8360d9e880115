// The Other page: list orders, the TIFF rule and the hidden check box.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class OtherPageTest : public SheetFixture {
protected:
    HWND OpenOtherPage(const UserOptions *stored = NULL) { return OpenPageWith(2, stored); }
};

TEST_F(OtherPageTest, DefaultRecordShowsTheSectionDefault)
{
    HWND page = OpenOtherPage();
    EXPECT_EQ(L"Automatisk", ListText(page, IDC_OTHER_SEPARATIONS, ListSelection(page, IDC_OTHER_SEPARATIONS)));
    EXPECT_FALSE(Checked(page, IDC_OTHER_SAVE_AS_TIFF));
    EXPECT_EQ(L"600", ListText(page, IDC_OTHER_TIFF_RESOLUTION, ListSelection(page, IDC_OTHER_TIFF_RESOLUTION)));
    EXPECT_FALSE(Enabled(page, IDC_OTHER_TIFF_RESOLUTION));
    for (int on : {IDC_OTHER_AUTO_GRAY, IDC_OTHER_BLACK_OVERPRINT, IDC_OTHER_PURE_BLACK, IDC_OTHER_IMAGE_ENHANCE})
        EXPECT_TRUE(Checked(page, on)) << on;
    for (int off : {IDC_OTHER_PROGRESSIVES, IDC_OTHER_CONTROL_STRIP, IDC_OTHER_EDGE_SMOOTHING,
                    IDC_OTHER_COMPOSITE_OVERPRINT, IDC_OTHER_AUTO_TRAPPING, IDC_OTHER_BRAND_CONTROL,
                    IDC_OTHER_INVERT_IMAGE, IDC_OTHER_MIRROR, IDC_OTHER_INFO_STRIP})
        EXPECT_FALSE(Checked(page, off)) << off;
}

TEST_F(OtherPageTest, ListOrdersDifferFromStringOrder)
{
    HWND page = OpenOtherPage();
    ASSERT_EQ(8, ListCount(page, IDC_OTHER_SEPARATIONS));
    EXPECT_EQ(L"Automatisk enkelt side", ListText(page, IDC_OTHER_SEPARATIONS, 1));
    EXPECT_EQ(L"Deaktiveret", ListText(page, IDC_OTHER_SEPARATIONS, 7));
    ASSERT_EQ(3, ListCount(page, IDC_OTHER_TIFF_RESOLUTION));
    EXPECT_EQ(L"300", ListText(page, IDC_OTHER_TIFF_RESOLUTION, 1));
    EXPECT_EQ(L"72", ListText(page, IDC_OTHER_TIFF_RESOLUTION, 2));

    ChooseListEntry(page, IDC_OTHER_SEPARATIONS, 1);
    ClickButton(page, IDC_OTHER_SAVE_AS_TIFF);
    ChooseListEntry(page, IDC_OTHER_TIFF_RESOLUTION, 1);
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(1, stored.separations);
    EXPECT_EQ(1, stored.tiffResolution);
    EXPECT_EQ(1, stored.saveAsTiff);
}

TEST_F(OtherPageTest, TiffResolutionFollowsSaveAsTiffAndKeepsItsChoice)
{
    HWND page = OpenOtherPage();
    ClickButton(page, IDC_OTHER_SAVE_AS_TIFF);
    EXPECT_TRUE(Enabled(page, IDC_OTHER_TIFF_RESOLUTION));
    ChooseListEntry(page, IDC_OTHER_TIFF_RESOLUTION, 2);
    ClickButton(page, IDC_OTHER_SAVE_AS_TIFF);
    EXPECT_FALSE(Enabled(page, IDC_OTHER_TIFF_RESOLUTION));
    EXPECT_EQ(2, ListSelection(page, IDC_OTHER_TIFF_RESOLUTION));
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.saveAsTiff);
    EXPECT_EQ(2, stored.tiffResolution);
}

TEST_F(OtherPageTest, EveryFlagIsStoredFromItsBox)
{
    struct Flag {
        int control;
        LONG UserOptions::*field;
    } flags[] = {
        {IDC_OTHER_PROGRESSIVES, &UserOptions::printProgressives},
        {IDC_OTHER_INVERT_IMAGE, &UserOptions::invertImage},
        {IDC_OTHER_CONTROL_STRIP, &UserOptions::controlStrip},
        {IDC_OTHER_INFO_STRIP, &UserOptions::infoStrip},
        {IDC_OTHER_IMAGE_ENHANCE, &UserOptions::imageEnhance},
        {IDC_OTHER_PURE_BLACK, &UserOptions::pureBlack},
        {IDC_OTHER_EDGE_SMOOTHING, &UserOptions::edgeSmoothing},
        {IDC_OTHER_BLACK_OVERPRINT, &UserOptions::blackOverprint},
        {IDC_OTHER_COMPOSITE_OVERPRINT, &UserOptions::compositeOverprint},
        {IDC_OTHER_AUTO_TRAPPING, &UserOptions::autoTrapping},
        {IDC_OTHER_BRAND_CONTROL, &UserOptions::brandControl},
        {IDC_OTHER_AUTO_GRAY, &UserOptions::autoGrayDetect},
        {IDC_OTHER_MIRROR, &UserOptions::mirror},
    };
    UserOptions defaults = DefaultRecord(ui);
    HWND page = OpenOtherPage();
    for (const Flag &flag : flags)
        ClickButton(page, flag.control);
    UserOptions stored = LeaveAndRead();
    for (const Flag &flag : flags)
        EXPECT_EQ(1 - defaults.*flag.field, stored.*flag.field) << "control " << flag.control;
    EXPECT_EQ(0, stored.prepressAux);
}

TEST_F(OtherPageTest, SingleSidedBoxIsNeverVisibleAndCarriesNoField)
{
    HWND page = OpenOtherPage();
    EXPECT_FALSE(Visible(page, IDC_OTHER_SINGLE_SIDED));
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_OTHER_SINGLE_SIDED, BN_CLICKED), 0);
    ClickButton(page, IDC_OTHER_DEFAULTS);
    EXPECT_FALSE(Visible(page, IDC_OTHER_SINGLE_SIDED));
    UserOptions before = DefaultRecord(ui);
    UserOptions stored = LeaveAndRead();
    const BYTE *a = reinterpret_cast<const BYTE *>(&before), *b = reinterpret_cast<const BYTE *>(&stored);
    for (size_t i = 0; i < sizeof(stored); ++i)
        EXPECT_EQ(a[i], b[i]) << "byte " << i;
}

} // namespace
