#include "host/crash_report.h"
#include "tests/support/sheet_driver.h"

#include <commctrl.h>

static std::wstring KeyPath(const wchar_t *name)
{
    return std::wstring(L"SYSTEM\\Printers\\") + name;
}

bool ReadStoredRecord(const wchar_t *name, UserOptions *options)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(name).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = sizeof(*options), type = 0;
    LONG status = RegQueryValueExW(key, L"User Info", NULL, &type, reinterpret_cast<BYTE *>(options), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_BINARY && size == sizeof(*options);
}

void WriteStoredRecord(const wchar_t *name, const UserOptions &options)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath(name).c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"User Info", 0, REG_BINARY,
                                            reinterpret_cast<const BYTE *>(&options), sizeof(options)));
    RegCloseKey(key);
}

void DeleteStoredRecord(const wchar_t *name)
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, KeyPath(name).c_str());
}

UserOptions DefaultRecord(IPrintOemUI *ui)
{
    PrivateDevmode devmode;
    ZeroMemory(&devmode, sizeof(devmode));
    OEMDMPARAM dm;
    ZeroMemory(&dm, sizeof(dm));
    dm.cbSize = sizeof(dm);
    dm.cbBufSize = sizeof(devmode);
    dm.pOEMDMOut = &devmode;
    EXPECT_EQ(S_OK, ui->DevMode(OEMDM_DEFAULT, &dm));
    return devmode.options;
}

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
    DeleteStoredRecord(name.c_str());
}

void SheetFixture::UsePrinterName(const wchar_t *printerName)
{
    name = printerName;
    DeleteStoredRecord(printerName);
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
        WriteStoredRecord(name.c_str(), *stored);
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
    UserOptions options;
    ZeroMemory(&options, sizeof(options));
    EXPECT_TRUE(ReadStoredRecord(name.c_str(), &options)) << "no stored record";
    return options;
}

UserOptions &SheetFixture::DevmodeRecord()
{
    return reinterpret_cast<PrivateDevmode *>(sheet.devmode)->options;
}
