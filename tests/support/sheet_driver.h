// Driving the plug-in's Document Properties sheet the way a user does: real
// window messages to real controls, and checks of what the store, the
// devmode and the controls then hold.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/sheet_host.h"
#include "tests/support/record_support.h"
#include "tests/support/test_support.h"

// Input as a user's actions send it.
void ClickButton(HWND page, int id);
void ClickStatic(HWND page, int id);
void ChooseListEntry(HWND page, int list, int index);
void TypeText(HWND page, int edit, const wchar_t *text);

// What the controls show.
bool Checked(HWND page, int id);
bool Enabled(HWND page, int id);
bool Visible(HWND page, int id);
int ListSelection(HWND page, int list);
int ListCount(HWND page, int list);
std::wstring ListText(HWND page, int list, int index);
std::wstring ControlText(HWND page, int id);

// One int32 field of the record and a value for it, for tables of stored
// records and of what an action stores.
struct FieldValue {
    LONG UserOptions::*field;
    LONG value;
};
// As a value of a FieldValue: the flag flipped from what it was.
const LONG Toggled = LONG_MIN;
UserOptions WithFields(UserOptions record, const std::vector<FieldValue> &fields);

// What a row of controls shows, against one token per control: the value
// (a button's check state 1 or 0, a list's selected index with -1 for none
// and "/N" for its entry count, "-" where nothing is compared), then "d"
// when the control must be disabled and "h" when it must be hidden; "x"
// alone for a control that must not exist. Returns the differences, or "".
std::string ControlStateDiff(HWND page, const std::vector<int> &controls, const char *expected);

// Sends a control's WM_COMMAND straight to the page's dialog procedure and
// returns what the procedure answered (SendMessage would answer the
// dialog's message result instead).
INT_PTR PageCommand(HWND page, int id, WORD code);

// Steps run inside the modal loops the plug-in starts (help, secure print,
// message box): each waits for a visible window of the thread with the given
// caption (or, for a caption ending in '*', one starting with the rest), then
// acts on it. A watchdog closes what is left after a timeout
// and records a failure instead of hanging the test.
struct ModalStep {
    std::wstring caption;
    std::function<void(HWND)> action;
};
class ModalScript {
public:
    explicit ModalScript(std::vector<ModalStep> steps, DWORD timeoutMs = 10000);
    ~ModalScript();
    bool Finished() const;
    bool TimedOut() const;
    size_t StepsDone() const;
};

// A plug-in object with one Document Properties sheet open under a name of
// the test's choosing. The sheet frame is subclassed to count PSM_CHANGED.
class SheetFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes name the plug-in's current printer name (through a printer
    // event that touches nothing else) and removes its stored record.
    void UsePrinterName(const wchar_t *name);
    void OpenSheet();
    HWND ShowPage(int index);
    // Stores the record (when given), opens the sheet and shows the page.
    HWND OpenPageWith(int index, const UserOptions *stored);
    // Leaves the current page for another, which saves it, and reads the
    // store.
    UserOptions LeaveAndRead();
    void PressSheetButton(int button); // PSBTN_OK, PSBTN_APPLYNOW, PSBTN_CANCEL
    void Pump();
    UserOptions Stored();
    UserOptions &DevmodeRecord();

    // A record stored over the default, what the page must show from it,
    // and the fields in which leaving the page stores something else.
    struct StoredVariant {
        const char *what;
        std::vector<FieldValue> stored;
        const char *shown;
        std::vector<FieldValue> saved;
    };
    // Opens the page once per variant and checks what it shows (with extra,
    // when given, for what tokens cannot say) and what leaving it stores.
    void CheckStoredVariants(int pageIndex, const std::vector<int> &controls,
                             const std::vector<StoredVariant> &variants,
                             std::function<void(HWND, const StoredVariant &)> extra = nullptr);

    // A user action on one control and every field it may change.
    struct ControlAction {
        int control;
        int entry; // the list entry to choose, or Click
        std::vector<FieldValue> changes;
    };
    static const int Click = -1;
    // Runs the actions in order on one sheet; each must store its own
    // changes and leave every other byte of the stored record alone.
    void CheckActionsChangeOnlyTheirFields(int pageIndex, const std::vector<ControlAction> &actions);
    // Each id in marking must mark the sheet changed exactly once and answer
    // TRUE; each in ignored must neither mark nor answer TRUE.
    void CheckCommandMarks(int pageIndex, const std::vector<int> &marking, const std::vector<int> &ignored,
                           WORD code);

    PluginModule plugin;
    IPrintOemUI *ui = NULL;
    HostSheet sheet = {};
    std::wstring name;

public:
    // PSM_CHANGED messages the sheet frame received since the sheet opened.
    static int ChangedCount;
};
