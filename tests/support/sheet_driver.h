// Driving the plug-in's Document Properties sheet the way a user does: real
// window messages to real controls, and checks of what the store, the
// devmode and the controls then hold.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/sheet_host.h"
#include "settings/useroptions.h"
#include "tests/support/test_support.h"

// The stored record of a name, read from the registry directly.
bool ReadStoredRecord(const wchar_t *name, UserOptions *options);
void WriteStoredRecord(const wchar_t *name, const UserOptions &options);
void DeleteStoredRecord(const wchar_t *name);

// The full default record, as a freshly defaulted devmode holds it.
UserOptions DefaultRecord(IPrintOemUI *ui);

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

    PluginModule plugin;
    IPrintOemUI *ui = NULL;
    HostSheet sheet = {};
    std::wstring name;

public:
    // PSM_CHANGED messages the sheet frame received since the sheet opened.
    static int ChangedCount;
};
