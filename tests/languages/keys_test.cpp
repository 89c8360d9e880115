// Access keys: in every translated build each visible check box, radio
// button and push button of the five pages and the two dialogs has one key
// of its own, none the sheet's own Apply key in that language, and
// Alt+letter, taken by the sheet's dialog manager as a keyboard gives it,
// reaches the control that names it. The Danish build has none, by design.
#include <commctrl.h>
#include <wctype.h>

#include <map>
#include <vector>

#include "recordtext/fieldtext.h"
#include "recordtext/output.h"
#include "recordtext/plugintexts.h"
#include "resources/resource.h"
#include "tests/languages/language_builds.h"

namespace {

const int ApplyButton = 0x3021; // the property sheet's Apply, in comctl32's template

// The keys the property sheet's own buttons take in each language. Wine's
// comctl32 gives OK and Cancel none and Apply one ("&Anwenden"); Windows
// names the German Apply "Ü&bernehmen", so German keeps clear of both.
const struct {
    const wchar_t *code;
    const wchar_t *keys;
} SheetKeys[] = {
    {L"en", L"A"}, {L"en-GB", L"A"}, {L"fr", L"A"}, {L"it", L"A"}, {L"de", L"AB"}, {L"es", L"A"},
    {L"nl", L"T"}, {L"da", L"A"},    {L"nb", L"B"}, {L"sv", L"V"}, {L"fi", L"K"},
};

std::wstring SheetKeysOf(const LanguageBuild &build)
{
    for (const auto &entry : SheetKeys)
        if (!lstrcmpW(entry.code, build.code))
            return entry.keys;
    ADD_FAILURE() << "no sheet keys for language " << Utf8(build.code);
    return L"";
}

// The keys a caption marks, upper-cased; "&&" is an ampersand, not a key.
std::wstring KeysOf(const std::wstring &caption)
{
    std::wstring keys;
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            keys += static_cast<wchar_t>(towupper(caption[i + 1]));
        ++i;
    }
    return keys;
}

bool IsKeyedButton(HWND control)
{
    wchar_t className[16] = L"";
    GetClassNameW(control, className, 16);
    DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if (lstrcmpiW(className, L"Button") || !(style & WS_VISIBLE))
        return false;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return true;
    }
    return false;
}

// One caption a control shows: its own, or one the page sets later (the
// secure-print button's two states, from the string table).
struct Caption {
    HWND control;
    std::wstring text;
};

std::vector<Caption> KeyedCaptions(HWND window, HMODULE module)
{
    std::vector<Caption> captions;
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsKeyedButton(control))
            continue;
        wchar_t text[256] = L"";
        GetWindowTextW(control, text, 256);
        captions.push_back({control, text});
        if (GetDlgCtrlID(control) == IDC_SECURE_PRINT_BUTTON) {
            for (UINT id : {IDS_SECURE_ENABLE, IDS_SECURE_DISABLE}) {
                std::wstring later;
                StoredString(module, id, &later);
                captions.push_back({control, later});
            }
        }
    }
    return captions;
}

const char *const PageNames[] = {"File page", "Color page", "Other page", "Tray page", "Info page"};

// The checks on one page or dialog; reserved are keys it must leave free.
void CheckKeys(const LanguageBuild &build, const std::string &where, const std::vector<Caption> &captions,
               const std::wstring &reserved)
{
    EXPECT_FALSE(captions.empty()) << where;
    std::map<wchar_t, HWND> owners;
    for (const Caption &caption : captions) {
        std::wstring keys = KeysOf(caption.text);
        std::string what = where + ", control " + std::to_string(GetDlgCtrlID(caption.control)) + " \"" +
                           Utf8(caption.text) + "\"";
        if (IsDanish(build)) {
            EXPECT_EQ(L"", keys) << what << ": the Danish texts have no access keys";
            continue;
        }
        if (keys.size() != 1) {
            ADD_FAILURE() << what << " has " << keys.size() << " access keys, not one";
            continue;
        }
        EXPECT_EQ(std::wstring::npos, reserved.find(keys[0])) << what << ": the sheet's own button has that key";
        auto owner = owners.emplace(keys[0], caption.control);
        EXPECT_TRUE(owner.second || owner.first->second == caption.control)
            << what << ": control " << GetDlgCtrlID(owner.first->second) << " has the same key";
    }
}

const WORD Dialogs[] = {IDD_SECURE_PRINT, IDD_RENDER_HELP};

TEST(AccessKeys, EveryButtonOfAPageOrDialogHasAKeyOfItsOwn)
{
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE("language " + Utf8(build.code));
        if (!LanguageResources(build))
            continue;
        LanguageSheet sheet(build);
        ASSERT_TRUE(sheet.IsOpen());
        ASSERT_EQ(5, sheet.PageCount());
        for (int page = 0; page < 5; ++page)
            CheckKeys(build, PageNames[page], KeyedCaptions(sheet.ShowPage(page), sheet.Module()), SheetKeysOf(build));
        for (WORD id : Dialogs) {
            HWND dialog = CreateDialogParamW(sheet.Module(), MAKEINTRESOURCEW(id), sheet.Window(), QuietDialogProc, 0);
            ASSERT_TRUE(dialog != NULL) << "template " << id;
            CheckKeys(build, "template " + std::to_string(id), KeyedCaptions(dialog, sheet.Module()), L"");
            DestroyWindow(dialog);
        }
    }
}

// The table above against the platform's own sheet, where its comctl32
// holds the language (Wine's holds them all; Windows' only its own).
TEST(AccessKeys, SheetKeysAreThoseOfThePlatformsSheet)
{
    HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
    ASSERT_TRUE(comctl32 != NULL);
    int checked = 0;
    for (const LanguageBuild &build : LanguageBuilds) {
        if (IsDanish(build))
            continue; // filed under US English; its own keys are none
        WORD language = MAKELANGID(PRIMARYLANGID(build.tag), SUBLANG_NEUTRAL);
        ResourceBytes bytes = FindResourceBytes(comctl32, RT_DIALOG, 1006, language);
        if (!bytes.data)
            continue;
        ParsedTemplate sheet;
        ASSERT_TRUE(ParseTemplate(bytes, &sheet)) << Utf8(build.code);
        for (const ParsedControl &control : sheet.controls) {
            if (control.id != IDOK && control.id != IDCANCEL && control.id != ApplyButton)
                continue;
            for (wchar_t key : KeysOf(control.text))
                EXPECT_NE(std::wstring::npos, SheetKeysOf(build).find(key))
                    << Utf8(build.code) << ": the sheet's \"" << Utf8(control.text) << "\"";
        }
        ++checked;
    }
    if (!checked)
        GTEST_SKIP() << "this comctl32 holds none of the languages as its own";
}

// The admins' tool names a radio button's value by the button's caption: it
// prints the words as the page shows them, without the key's mark, and
// takes them back as the value.
TEST(AccessKeys, TheAdminToolReadsChoicesWithoutTheKeyMark)
{
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE("language " + Utf8(build.code));
        PluginTexts texts;
        if (!OpenPluginTexts(&texts, LanguageBuildPath(build)))
            continue;
        for (int f = 0; f < RecordFieldCount; ++f) {
            const RecordField &field = RecordFields[f];
            if (field.kind != FIELD_CHOICE)
                continue;
            for (int value = 0; value < field.choices->count; ++value) {
                std::wstring text = ChoiceText(&texts, *field.choices, value);
                std::string what = std::string(field.name) + " = " + std::to_string(value) + " \"" + Utf8(text) + "\"";
                EXPECT_FALSE(text.empty()) << what;
                EXPECT_EQ(std::wstring::npos, text.find(L'&')) << what;
                bool shared = false; // two values of one button are named by number only
                for (int other = 0; other < field.choices->count; ++other)
                    shared |= other != value && field.choices->controls[other] == field.choices->controls[value];
                if (shared)
                    continue;
                FieldAssignment assignment;
                std::wstring error;
                EXPECT_TRUE(ParseAssignment(Widen(field.name) + L"=" + text, &texts, false, &assignment, &error))
                    << what << ": " << Utf8(error);
                EXPECT_EQ(value, assignment.number) << what;
            }
        }
        ClosePluginTexts(&texts);
    }
}

// ----------------------------------------------------------- Alt+letter

// What the page or dialog heard: the last button that told it it was
// clicked. Pages are watched through their window procedure, so that the
// page's own dialog procedure still runs.
HWND Clicked;
WNDPROC PageProcedure;

LRESULT CALLBACK WatchedPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        Clicked = reinterpret_cast<HWND>(lParam);
    return CallWindowProcW(PageProcedure, page, message, wParam, lParam);
}

INT_PTR CALLBACK WatchedDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        Clicked = reinterpret_cast<HWND>(lParam);
    return message == WM_INITDIALOG;
}

// The secure-print button opens its modal dialog: cancel it as soon as its
// loop runs, so that the press returns.
BOOL CALLBACK CancelModalDialog(HWND window, LPARAM sheet)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (window != reinterpret_cast<HWND>(sheet) && IsWindowVisible(window) && !lstrcmpW(className, L"#32770"))
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

HWND TimerSheet;
void CALLBACK CancelModalDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CancelModalDialog, reinterpret_cast<LPARAM>(TimerSheet));
}

// Alt+key as the keyboard gives it: WM_SYSKEYDOWN with the context bit (Alt
// held), which the message loop's TranslateMessage turns into WM_SYSCHAR for
// the dialog manager.
void PostAltKey(HWND focus, wchar_t key)
{
    UINT vk = LOBYTE(VkKeyScanW(static_cast<wchar_t>(towlower(key))));
    LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16) | (1 << 29);
    PostMessageW(focus, WM_SYSKEYDOWN, vk, lParam);
    PostMessageW(focus, WM_SYSKEYUP, vk, lParam | 0xC0000000);
}

// Presses the key of each keyed control of window from start and checks
// that the control heard it: clicked, and a check box toggled.
template <typename Pump>
void PressEveryKey(const std::string &where, HWND window, HWND start, Pump pump)
{
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsKeyedButton(control))
            continue;
        wchar_t text[256] = L"";
        GetWindowTextW(control, text, 256);
        std::wstring keys = KeysOf(text);
        if (keys.size() != 1)
            continue; // reported by EveryButtonOfAPageOrDialogHasAKeyOfItsOwn
        // The dialog manager skips a disabled control, and which controls
        // are enabled depends on the page's other choices.
        EnableWindow(control, TRUE);
        DWORD type = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)) & BS_TYPEMASK;
        bool checkBox = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE;
        LRESULT before = SendMessageW(control, BM_GETCHECK, 0, 0);

        SetFocus(start);
        Clicked = NULL;
        PostAltKey(GetFocus(), keys[0]);
        pump();

        std::string what = where + ", Alt+" + Utf8(keys.substr(0, 1)) + " for \"" + Utf8(text) + "\"";
        EXPECT_EQ(control, Clicked) << what << " clicked control " << GetDlgCtrlID(Clicked);
        if (checkBox) {
            EXPECT_NE(before, SendMessageW(control, BM_GETCHECK, 0, 0)) << what << " did not toggle it";
        }
        if (type == BS_AUTORADIOBUTTON) {
            EXPECT_EQ(BST_CHECKED, SendMessageW(control, BM_GETCHECK, 0, 0)) << what << " did not choose it";
        }
    }
}

TEST(AccessKeys, AltLetterReachesTheControlItNamesInTheSheetAndDialogs)
{
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE("language " + Utf8(build.code));
        if (IsDanish(build) || !LanguageResources(build))
            continue;
        LanguageSheet sheet(build);
        ASSERT_TRUE(sheet.IsOpen());
        ASSERT_EQ(5, sheet.PageCount());
        TimerSheet = sheet.Window();
        UINT_PTR timer = SetTimer(NULL, 0, 50, CancelModalDialogs);
        // Every press starts on the sheet's tab strip, outside the pages.
        HWND tabs = PropSheet_GetTabControl(sheet.Window());
        for (int page = 0; page < 5; ++page) {
            HWND shown = sheet.ShowPage(page);
            ASSERT_TRUE(shown != NULL);
            PageProcedure = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(shown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchedPage)));
            PressEveryKey(PageNames[page], shown, tabs, [&] { sheet.Pump(); });
            SetWindowLongPtrW(shown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PageProcedure));
        }
        KillTimer(NULL, timer);
        for (WORD id : Dialogs) {
            HWND dialog =
                CreateDialogParamW(sheet.Module(), MAKEINTRESOURCEW(id), sheet.Window(), WatchedDialogProc, 0);
            ASSERT_TRUE(dialog != NULL) << "template " << id;
            ShowWindow(dialog, SW_SHOW);
            PressEveryKey("template " + std::to_string(id), dialog, dialog, [dialog] {
                MSG msg;
                while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
                    if (!IsDialogMessageW(dialog, &msg)) {
                        TranslateMessage(&msg);
                        DispatchMessageW(&msg);
                    }
                }
            });
            DestroyWindow(dialog);
        }
    }
}

} // namespace
