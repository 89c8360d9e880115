// The File page: job action, disposition list and the values they store.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class FilePageTest : public SheetFixture {
protected:
    HWND OpenFilePage(const UserOptions *stored = NULL) { return OpenPageWith(0, stored); }
};

TEST_F(FilePageTest, DefaultRecordShowsProcessAndPrintWithDeleteJob)
{
    HWND page = OpenFilePage();
    EXPECT_TRUE(Checked(page, IDC_FILE_PROCESS_PRINT));
    EXPECT_FALSE(Checked(page, IDC_FILE_PROCESS_HOLD));
    EXPECT_FALSE(Checked(page, IDC_FILE_PREFLIGHT_HOLD));
    EXPECT_FALSE(Checked(page, IDC_FILE_SPOOL_HOLD));
    ASSERT_EQ(3, ListCount(page, IDC_FILE_DISPOSITION));
    EXPECT_EQ(L"Gem billedfil", ListText(page, IDC_FILE_DISPOSITION, 0));
    EXPECT_EQ(L"Slet billedfil", ListText(page, IDC_FILE_DISPOSITION, 1));
    EXPECT_EQ(L"Slet job", ListText(page, IDC_FILE_DISPOSITION, 2));
    EXPECT_EQ(2, ListSelection(page, IDC_FILE_DISPOSITION));
    EXPECT_TRUE(Enabled(page, IDC_FILE_DISPOSITION));
}

TEST_F(FilePageTest, ResultingValuesFollowTheRadioButtonAndList)
{
    struct Case {
        int button;
        int entry;
        LONG jobAction, printDisposition, dispositionSelection;
    } cases[] = {
        {IDC_FILE_PROCESS_PRINT, 0, 1, 0, 0},  {IDC_FILE_PROCESS_PRINT, 1, 1, 1, 1},
        {IDC_FILE_PROCESS_PRINT, 2, 0, 2, 2},  {IDC_FILE_PROCESS_HOLD, 1, 4, 0, 1},
        {IDC_FILE_PREFLIGHT_HOLD, 0, 3, 0, 0}, {IDC_FILE_SPOOL_HOLD, 2, 2, 0, 2},
    };
    HWND page = OpenFilePage();
    for (const Case &c : cases) {
        page = ShowPage(0);
        ClickButton(page, IDC_FILE_PROCESS_PRINT);
        ChooseListEntry(page, IDC_FILE_DISPOSITION, c.entry);
        ClickButton(page, c.button);
        UserOptions stored = LeaveAndRead();
        EXPECT_EQ(c.jobAction, stored.jobAction) << "button " << c.button << " entry " << c.entry;
        EXPECT_EQ(c.printDisposition, stored.printDisposition) << "button " << c.button << " entry " << c.entry;
        EXPECT_EQ(c.dispositionSelection, stored.dispositionSelection) << "button " << c.button;
    }
}

TEST_F(FilePageTest, HoldActionDisablesTheListButKeepsItsChoice)
{
    HWND page = OpenFilePage();
    ChooseListEntry(page, IDC_FILE_DISPOSITION, 1);
    ClickButton(page, IDC_FILE_SPOOL_HOLD);
    EXPECT_FALSE(Enabled(page, IDC_FILE_DISPOSITION));
    EXPECT_EQ(1, ListSelection(page, IDC_FILE_DISPOSITION));
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(2, stored.jobAction);
    EXPECT_EQ(0, stored.printDisposition);
    EXPECT_EQ(1, stored.dispositionSelection);

    page = ShowPage(0);
    EXPECT_EQ(1, ListSelection(page, IDC_FILE_DISPOSITION)) << "coming back shows the same entry";
    ClickButton(page, IDC_FILE_PROCESS_PRINT);
    EXPECT_TRUE(Enabled(page, IDC_FILE_DISPOSITION));
}

TEST_F(FilePageTest, DefaultsGoToTheDevmodeAndTheControls)
{
    HWND page = OpenFilePage();
    ClickButton(page, IDC_FILE_PREFLIGHT_HOLD);
    ChooseListEntry(page, IDC_FILE_DISPOSITION, 0);
    DevmodeRecord().jobAction = 3;
    DevmodeRecord().dispositionSelection = 0;
    int before = ChangedCount;
    ClickButton(page, IDC_FILE_DEFAULTS);
    EXPECT_GT(ChangedCount, before);
    EXPECT_TRUE(Checked(page, IDC_FILE_PROCESS_PRINT));
    EXPECT_FALSE(Checked(page, IDC_FILE_PREFLIGHT_HOLD));
    EXPECT_EQ(2, ListSelection(page, IDC_FILE_DISPOSITION));
    EXPECT_TRUE(Enabled(page, IDC_FILE_DISPOSITION));
    EXPECT_EQ(0, DevmodeRecord().jobAction);
    EXPECT_EQ(2, DevmodeRecord().printDisposition);
    EXPECT_EQ(2, DevmodeRecord().dispositionSelection);
}

TEST_F(FilePageTest, StoredActionOutOfRangeShowsNoButtonAndSavesSpoolAndHold)
{
    UserOptions planted = DefaultRecord(ui);
    planted.jobAction = 9;
    HWND page = OpenFilePage(&planted);
    EXPECT_FALSE(Checked(page, IDC_FILE_PROCESS_PRINT));
    EXPECT_FALSE(Checked(page, IDC_FILE_PROCESS_HOLD));
    EXPECT_FALSE(Checked(page, IDC_FILE_PREFLIGHT_HOLD));
    EXPECT_FALSE(Checked(page, IDC_FILE_SPOOL_HOLD));
    EXPECT_FALSE(Enabled(page, IDC_FILE_DISPOSITION));
    EXPECT_EQ(2, LeaveAndRead().jobAction);
}

TEST_F(FilePageTest, StoredSelectionOutOfRangeShowsNoEntryAndSavesMinusOne)
{
    UserOptions planted = DefaultRecord(ui);
    planted.jobAction = 1;
    planted.dispositionSelection = 7;
    HWND page = OpenFilePage(&planted);
    EXPECT_EQ(-1, ListSelection(page, IDC_FILE_DISPOSITION));
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(-1, stored.dispositionSelection);
    EXPECT_EQ(-1, stored.printDisposition);
    EXPECT_EQ(1, stored.jobAction);
}

} // namespace
