// The Other page: list orders, the TIFF rule and the hidden check box.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class OtherPageTest : public SheetFixture {
protected:
    HWND OpenOtherPage(const UserOptions *stored = NULL) { return OpenPageWith(2, stored); }
};

// The check boxes and the flag each of them stands for.
const FieldValue OtherFlagBoxes[] = {
    {&UserOptions::printProgressives, IDC_OTHER_PROGRESSIVES},
    {&UserOptions::saveAsTiff, IDC_OTHER_SAVE_AS_TIFF},
    {&UserOptions::invertImage, IDC_OTHER_INVERT_IMAGE},
    {&UserOptions::controlStrip, IDC_OTHER_CONTROL_STRIP},
    {&UserOptions::infoStrip, IDC_OTHER_INFO_STRIP},
    {&UserOptions::imageEnhance, IDC_OTHER_IMAGE_ENHANCE},
    {&UserOptions::pureBlack, IDC_OTHER_PURE_BLACK},
    {&UserOptions::edgeSmoothing, IDC_OTHER_EDGE_SMOOTHING},
    {&UserOptions::blackOverprint, IDC_OTHER_BLACK_OVERPRINT},
    {&UserOptions::compositeOverprint, IDC_OTHER_COMPOSITE_OVERPRINT},
    {&UserOptions::autoTrapping, IDC_OTHER_AUTO_TRAPPING},
    {&UserOptions::brandControl, IDC_OTHER_BRAND_CONTROL},
    {&UserOptions::autoGrayDetect, IDC_OTHER_AUTO_GRAY},
    {&UserOptions::mirror, IDC_OTHER_MIRROR},
};

// Columns of the tables below: the two lists, the check boxes in the order
// above, Defaults and the box that carries no field.
std::vector<int> OtherControls()
{
    std::vector<int> controls = {IDC_OTHER_SEPARATIONS, IDC_OTHER_TIFF_RESOLUTION};
    for (const FieldValue &box : OtherFlagBoxes)
        controls.push_back(box.value);
    controls.push_back(IDC_OTHER_DEFAULTS);
    controls.push_back(IDC_OTHER_SINGLE_SIDED);
    return controls;
}

// The fourteen flags set to the given values, in the order above.
std::vector<FieldValue> OtherFlagsSet(const LONG (&values)[ARRAYSIZE(OtherFlagBoxes)])
{
    std::vector<FieldValue> fields;
    for (size_t i = 0; i < ARRAYSIZE(OtherFlagBoxes); ++i)
        fields.push_back({OtherFlagBoxes[i].field, values[i]});
    return fields;
}

TEST_F(OtherPageTest, StoredRecordsShowAndSaveAsTheyShould)
{
    typedef UserOptions R;
    // Flag i is on in the row for bit b when bit b of i is set: every flag
    // has its own pattern, so a box that shows another box's flag shows a
    // wrong state in at least one row.
    std::vector<FieldValue> bits[4];
    for (int b = 0; b < 4; ++b)
        for (size_t i = 0; i < ARRAYSIZE(OtherFlagBoxes); ++i)
            bits[b].push_back({OtherFlagBoxes[i].field, static_cast<LONG>(i >> b & 1)});
    std::vector<FieldValue> inverted = OtherFlagsSet({1, 1, 1, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0, 1});
    std::vector<FieldValue> twos = OtherFlagsSet({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    std::vector<FieldValue> zeros = OtherFlagsSet({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    twos.push_back({&R::separations, 8});
    twos.push_back({&R::tiffResolution, -1});
    zeros.push_back({&R::separations, -1});
    CheckStoredVariants(2, OtherControls(), {
        {"the default", {}, "0/8 0/3d  0 0 0 0 0 1 1 0 1 0 0 0 1 0  - 0h", {}},
        {"TIFF at 72 dpi", {{&R::saveAsTiff, 1}, {&R::tiffResolution, 2}, {&R::separations, 7}},
         "7 2  0 1 0 0 0 1 1 0 1 0 0 0 1 0  - 0h", {}},
        {"every flag away from its default", inverted, "0 0  1 1 1 1 1 0 0 1 0 1 1 1 0 1  - 0h", {}},
        {"flags by bit 0 of their place", bits[0], "0 0  0 1 0 1 0 1 0 1 0 1 0 1 0 1  - 0h", {}},
        {"flags by bit 1 of their place", bits[1], "0 0d  0 0 1 1 0 0 1 1 0 0 1 1 0 0  - 0h", {}},
        {"flags by bit 2 of their place", bits[2], "0 0d  0 0 0 0 1 1 1 1 0 0 0 0 1 1  - 0h", {}},
        {"flags by bit 3 of their place", bits[3], "0 0d  0 0 0 0 0 0 0 0 1 1 1 1 1 1  - 0h", {}},
        {"flags stored as 2 and lists beyond their ends", twos, "-1 -1d  0 0 0 0 0 0 0 0 0 0 0 0 0 0  - 0h", zeros},
    });
}

TEST_F(OtherPageTest, EachChoiceStoresOnlyItsOwnField)
{
    std::vector<ControlAction> actions;
    for (const FieldValue &box : OtherFlagBoxes)
        actions.push_back({static_cast<int>(box.value), Click, {{box.field, Toggled}}});
    actions.push_back({IDC_OTHER_SEPARATIONS, 1, {{&UserOptions::separations, 1}}});
    actions.push_back({IDC_OTHER_TIFF_RESOLUTION, 1, {{&UserOptions::tiffResolution, 1}}});
    actions.push_back({IDC_OTHER_SINGLE_SIDED, Click, {}});
    CheckActionsChangeOnlyTheirFields(2, actions);
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

TEST_F(OtherPageTest, SingleSidedBoxIsNeverVisibleAndCarriesNoField)
{
    HWND page = OpenOtherPage();
    EXPECT_FALSE(Visible(page, IDC_OTHER_SINGLE_SIDED));
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_OTHER_SINGLE_SIDED, BN_CLICKED), 0);
    ClickButton(page, IDC_OTHER_DEFAULTS);
    EXPECT_FALSE(Visible(page, IDC_OTHER_SINGLE_SIDED));
    EXPECT_EQ("", RecordDiff(DefaultRecord(), LeaveAndRead()));
}

} // namespace
