#include "host/crash_report.h"
#include "tests/support/sheet_driver.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

void ClickButton(HWND page, int id)
{
    HWND button = GetDlgItem(page, id);
    ASSERT_TRUE(button != NULL) << "no control " << id;
    SendMessageW(button, BM_CLICK, 0, 0);
}

void ClickStatic(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    ASSERT_TRUE(control != NULL) << "no control " << id;
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void ChooseListEntry(HWND page, int list, int index)
{
    HWND combo = GetDlgItem(page, list);
    ASSERT_TRUE(combo != NULL) << "no list " << list;
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void TypeText(HWND page, int edit, const wchar_t *text)
{
    // WM_SETTEXT on an edit sends EN_UPDATE and EN_CHANGE as typing does.
    SetDlgItemTextW(page, edit, text);
}

bool Checked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

bool Enabled(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    return control && IsWindowEnabled(control);
}

bool Visible(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE);
}

int ListSelection(HWND page, int list)
{
    return static_cast<int>(SendDlgItemMessageW(page, list, CB_GETCURSEL, 0, 0));
}

int ListCount(HWND page, int list)
{
    return static_cast<int>(SendDlgItemMessageW(page, list, CB_GETCOUNT, 0, 0));
}

std::wstring ListText(HWND page, int list, int index)
{
    wchar_t text[512] = L"";
    LRESULT length = SendDlgItemMessageW(page, list, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length >= 512)
        return L"<none>";
    SendDlgItemMessageW(page, list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ControlText(HWND page, int id)
{
    wchar_t text[1024] = L"";
    GetDlgItemTextW(page, id, text, 1024);
    return text;
}

UserOptions WithFields(UserOptions record, const std::vector<FieldValue> &fields)
{
    for (const FieldValue &f : fields)
        record.*f.field = f.value == Toggled ? 1 - record.*f.field : f.value;
    return record;
}

static std::string ControlState(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    if (!control)
        return "x";
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    LONG style = GetWindowLongW(control, GWL_STYLE);
    char value[32] = "-";
    if (!lstrcmpiW(className, L"ComboBox")) {
        snprintf(value, sizeof(value), "%d/%d", ListSelection(page, id), ListCount(page, id));
    } else if (!lstrcmpiW(className, L"Button")) {
        LONG type = style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON ||
            type == BS_3STATE || type == BS_AUTO3STATE)
            snprintf(value, sizeof(value), "%u", IsDlgButtonChecked(page, id));
    }
    std::string state = value;
    if (!IsWindowEnabled(control))
        state += "d";
    if (!(style & WS_VISIBLE))
        state += "h";
    return state;
}

// A token against the control's full state: a list's entry count and a
// value of "-" compare only when the token asks.
static bool TokenMatches(const std::string &token, const std::string &state)
{
    size_t valueEnd = token.find_first_of("dh");
    std::string value = token.substr(0, valueEnd), flags = valueEnd == std::string::npos ? "" : token.substr(valueEnd);
    size_t stateEnd = state.find_first_of("dh");
    std::string stateValue = state.substr(0, stateEnd),
                stateFlags = stateEnd == std::string::npos ? "" : state.substr(stateEnd);
    if (value == "x" || stateValue == "x")
        return value == stateValue;
    if (flags != stateFlags)
        return false;
    if (value == "-")
        return true;
    if (value.find('/') == std::string::npos)
        stateValue = stateValue.substr(0, stateValue.find('/'));
    return value == stateValue;
}

std::string ControlStateDiff(HWND page, const std::vector<int> &controls, const char *expected)
{
    std::string diff;
    const char *next = expected;
    for (int id : controls) {
        while (*next == ' ')
            ++next;
        const char *end = next;
        while (*end && *end != ' ')
            ++end;
        std::string token(next, end);
        next = end;
        std::string state = ControlState(page, id);
        if (token.empty() || !TokenMatches(token, state))
            diff += "control " + std::to_string(id) + ": " + state + ", not " + token + "\n";
    }
    while (*next == ' ')
        ++next;
    if (*next)
        diff += std::string("tokens left over: ") + next + "\n";
    return diff;
}

INT_PTR PageCommand(HWND page, int id, WORD code)
{
    DLGPROC proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(page, DWLP_DLGPROC));
    return proc(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

// ------------------------------------------------------------ modal script

namespace {
struct ModalState {
    std::vector<ModalStep> steps;
    size_t next = 0;
    DWORD started = 0;
    DWORD timeout = 0;
    bool timedOut = false;
    UINT_PTR timer = 0;
};
ModalState *Modal;

struct CaptionSearch {
    const wchar_t *caption;
    HWND found;
};

BOOL CALLBACK FindCaption(HWND window, LPARAM lParam)
{
    CaptionSearch *search = reinterpret_cast<CaptionSearch *>(lParam);
    wchar_t text[256];
    // A caption ending in '*' matches every caption that starts with the rest.
    size_t length = wcslen(search->caption);
    bool prefix = length && search->caption[length - 1] == L'*';
    if (IsWindowVisible(window) && GetWindowTextW(window, text, 256) >= 0 &&
        (prefix ? !wcsncmp(text, search->caption, length - 1) : !lstrcmpW(text, search->caption))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CloseDialogs(HWND window, LPARAM)
{
    wchar_t className[64];
    if (IsWindowVisible(window) && GetClassNameW(window, className, 64) && !lstrcmpW(className, L"#32770"))
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!Modal)
        return;
    if (GetTickCount() - Modal->started > Modal->timeout) {
        // Turn a hang into a failure: cancel whatever modal window is up,
        // also when every step ran but a dialog stayed open.
        Modal->timedOut = true;
        Modal->next = Modal->steps.size();
        EnumThreadWindows(GetCurrentThreadId(), CloseDialogs, 0);
        return;
    }
    if (Modal->next >= Modal->steps.size())
        return;
    CaptionSearch search = {Modal->steps[Modal->next].caption.c_str(), NULL};
    EnumThreadWindows(GetCurrentThreadId(), FindCaption, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return;
    // Advance first: the action may start another modal loop that ticks.
    ModalStep step = Modal->steps[Modal->next++];
    // DispatchMessage swallows faults in timer callbacks; a crash in a step
    // must end the test program all the same.
    ReportFaultsInCallbacks(true);
    step.action(search.found);
    ReportFaultsInCallbacks(false);
}
} // namespace

ModalScript::ModalScript(std::vector<ModalStep> steps, DWORD timeoutMs)
{
    Modal = new ModalState;
    Modal->steps = std::move(steps);
    Modal->started = GetTickCount();
    Modal->timeout = timeoutMs;
    Modal->timer = SetTimer(NULL, 0, 20, ModalTick);
}

ModalScript::~ModalScript()
{
    KillTimer(NULL, Modal->timer);
    delete Modal;
    Modal = NULL;
}

bool ModalScript::Finished() const
{
    return Modal->next >= Modal->steps.size() && !Modal->timedOut;
}

bool ModalScript::TimedOut() const
{
    return Modal->timedOut;
}

size_t ModalScript::StepsDone() const
{
    return Modal->next;
}

// ------------------------------------------------------------ sheet fixture

int SheetFixture::ChangedCount;
static WNDPROC SheetFrameProc;

static LRESULT CALLBACK CountingFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PSM_CHANGED)
        ++SheetFixture::ChangedCount;
    return CallWindowProcW(SheetFrameProc, window, message, wParam, lParam);
}

void SheetFixture::SetUp()
{
    ASSERT_TRUE(plugin.module != NULL);
    ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    ChangedCount = 0;
    UsePrinterName(HOST_TEST_NAME(L"Sheet"));
}

void SheetFixture::TearDown()
{
    HostEndSheet(&sheet);
    if (ui)
        ui->Release();
    DeleteStored(StoreKeyName(name.c_str()));
}

void SheetFixture::UsePrinterName(const wchar_t *printerName)
{
    name = printerName;
    DeleteStored(StoreKeyName(printerName));
    // Event 0 is none the plug-in acts on: it only takes the name.
    ASSERT_EQ(S_OK, ui->PrinterEvent(const_cast<PWSTR>(printerName), 0, 0, 0));
}

void SheetFixture::OpenSheet()
{
    ASSERT_TRUE(HostOpenDocumentProperties(&sheet, ui, NULL, L"Dokumentegenskaber"));
    SheetFrameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(sheet.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingFrameProc)));
    Pump();
    ChangedCount = 0;
}

HWND SheetFixture::ShowPage(int index)
{
    PropSheet_SetCurSel(sheet.window, NULL, index);
    Pump();
    return PropSheet_GetCurrentPageHwnd(sheet.window);
}

HWND SheetFixture::OpenPageWith(int index, const UserOptions *stored)
{
    if (stored)
        WriteStored(StoreKeyName(name.c_str()), *stored);
    OpenSheet();
    return ShowPage(index);
}

UserOptions SheetFixture::LeaveAndRead()
{
    ShowPage(PropSheet_HwndToIndex(sheet.window, PropSheet_GetCurrentPageHwnd(sheet.window)) == 0 ? 1 : 0);
    return Stored();
}

void SheetFixture::PressSheetButton(int button)
{
    PropSheet_PressButton(sheet.window, button);
    Pump();
}

void SheetFixture::Pump()
{
    for (int i = 0; i < 3; ++i)
        HostPumpSheet(&sheet);
}

UserOptions SheetFixture::Stored()
{
    return StoredRecord(StoreKeyName(name.c_str()));
}

UserOptions &SheetFixture::DevmodeRecord()
{
    return reinterpret_cast<PrivateDevmode *>(sheet.devmode)->options;
}

void SheetFixture::CheckStoredVariants(int pageIndex, const std::vector<int> &controls,
                                       const std::vector<StoredVariant> &variants,
                                       std::function<void(HWND, const StoredVariant &)> extra)
{
    const UserOptions defaults = DefaultRecord();
    for (const StoredVariant &variant : variants) {
        SCOPED_TRACE(variant.what);
        UserOptions stored = WithFields(defaults, variant.stored);
        HWND page = OpenPageWith(pageIndex, &stored);
        EXPECT_EQ("", ControlStateDiff(page, controls, variant.shown));
        if (extra)
            extra(page, variant);
        EXPECT_EQ("", RecordDiff(WithFields(stored, variant.saved), LeaveAndRead())) << "what leaving stores";
        HostEndSheet(&sheet);
    }
}

void SheetFixture::CheckActionsChangeOnlyTheirFields(int pageIndex, const std::vector<ControlAction> &actions)
{
    OpenSheet();
    ShowPage(pageIndex);
    LeaveAndRead(); // the page's own section is stored from here on
    for (const ControlAction &action : actions) {
        SCOPED_TRACE("control " + std::to_string(action.control) + " entry " + std::to_string(action.entry));
        HWND page = ShowPage(pageIndex);
        UserOptions before = Stored();
        if (action.entry == Click)
            ClickButton(page, action.control);
        else
            ChooseListEntry(page, action.control, action.entry);
        EXPECT_EQ("", RecordDiff(WithFields(before, action.changes), LeaveAndRead()));
    }
}

void SheetFixture::CheckCommandMarks(int pageIndex, const std::vector<int> &marking, const std::vector<int> &ignored,
                                     WORD code)
{
    OpenSheet();
    HWND page = ShowPage(pageIndex);
    for (int id : marking) {
        int before = ChangedCount;
        EXPECT_EQ(TRUE, PageCommand(page, id, code)) << "control " << id;
        EXPECT_EQ(before + 1, ChangedCount) << "control " << id;
    }
    for (int id : ignored) {
        int before = ChangedCount;
        EXPECT_EQ(FALSE, PageCommand(page, id, code)) << "control " << id;
        EXPECT_EQ(before, ChangedCount) << "control " << id;
    }
}
