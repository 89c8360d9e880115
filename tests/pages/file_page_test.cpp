// The File page: job action, disposition list and the values they store.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

class FilePageTest : public SheetFixture {
protected:
    HWND OpenFilePage(const UserOptions *stored = NULL) { return OpenPageWith(0, stored); }
};

// Columns of the tables below: the four action buttons, the list, Defaults.
const std::vector<int> FileControls = {IDC_FILE_PROCESS_PRINT, IDC_FILE_PROCESS_HOLD, IDC_FILE_PREFLIGHT_HOLD,
                                       IDC_FILE_SPOOL_HOLD,    IDC_FILE_DISPOSITION,  IDC_FILE_DEFAULTS};

TEST_F(FilePageTest, StoredRecordsShowAndSaveAsTheyShould)
{
    LONG UserOptions::*action = &UserOptions::jobAction;
    LONG UserOptions::*disposition = &UserOptions::printDisposition;
    LONG UserOptions::*selection = &UserOptions::dispositionSelection;
    CheckStoredVariants(0, FileControls, {
        {"the default: print, then delete the job", {}, "1 0 0 0 2/3 -", {}},
        {"print, keep the image", {{action, 1}, {selection, 0}, {disposition, 0}}, "1 0 0 0 0 -", {}},
        {"print, delete the image", {{action, 1}, {selection, 1}, {disposition, 1}}, "1 0 0 0 1 -", {}},
        {"print stored with delete job", {{action, 1}}, "1 0 0 0 2 -", {{action, 0}}},
        {"process and hold", {{action, 4}}, "0 1 0 0 2d -", {{disposition, 0}}},
        {"preflight and hold", {{action, 3}, {selection, 0}}, "0 0 1 0 0d -", {{disposition, 0}}},
        {"spool and hold", {{action, 2}, {selection, 1}}, "0 0 0 1 1d -", {{disposition, 0}}},
        {"an action beyond the buttons", {{action, 9}}, "0 0 0 0 2d -", {{action, 2}, {disposition, 0}}},
        {"a negative action", {{action, -1}, {selection, 0}}, "0 0 0 0 0d -", {{action, 2}, {disposition, 0}}},
        {"a disposition beyond the list", {{action, 1}, {selection, 7}}, "1 0 0 0 -1 -",
         {{selection, -1}, {disposition, -1}}},
    });
}

TEST_F(FilePageTest, EachChoiceStoresOnlyItsOwnFields)
{
    LONG UserOptions::*action = &UserOptions::jobAction;
    LONG UserOptions::*disposition = &UserOptions::printDisposition;
    LONG UserOptions::*selection = &UserOptions::dispositionSelection;
    CheckActionsChangeOnlyTheirFields(0, {
        {IDC_FILE_PROCESS_HOLD, Click, {{action, 4}, {disposition, 0}}},
        {IDC_FILE_PREFLIGHT_HOLD, Click, {{action, 3}}},
        {IDC_FILE_SPOOL_HOLD, Click, {{action, 2}}},
        {IDC_FILE_DISPOSITION, 1, {{selection, 1}}},
        {IDC_FILE_PROCESS_PRINT, Click, {{action, 1}, {disposition, 1}}},
        {IDC_FILE_DISPOSITION, 2, {{selection, 2}, {disposition, 2}, {action, 0}}},
        {IDC_FILE_DISPOSITION, 0, {{selection, 0}, {disposition, 0}, {action, 1}}},
    });
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

} // namespace
