// A seeded monkey: a thousand random user actions across the five pages,
// with the store checked after every one. A failure prints the seed and the
// actions so far; QLX_SEED=<seed> replays the same session.
#include <stddef.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "bench/robust.h"
#include "resources/resource.h"
#include "settings/recordrules.h"
#include "tests/support/sheet_driver.h"

#include <commctrl.h>

namespace {

const int Actions = 1000;

enum Kind { Edit, List, Button, Static };

struct Control {
    int id;
    Kind kind;
};

struct ControlSearch {
    HWND page;
    std::vector<Control> found;
};

BOOL CALLBACK CollectControl(HWND window, LPARAM lParam)
{
    ControlSearch *search = reinterpret_cast<ControlSearch *>(lParam);
    if (GetParent(window) != search->page || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    wchar_t name[32];
    GetClassNameW(window, name, 32);
    int id = GetDlgCtrlID(window);
    if (id == IDC_STATIC_UNUSED) // labels and group boxes
        return TRUE;
    if (!lstrcmpiW(name, L"Edit"))
        search->found.push_back({id, Edit});
    else if (!lstrcmpiW(name, L"ComboBox"))
        search->found.push_back({id, List});
    else if (!lstrcmpiW(name, L"Button"))
        search->found.push_back({id, Button});
    else if (!lstrcmpiW(name, L"Static"))
        search->found.push_back({id, Static});
    return TRUE;
}

std::wstring RandomText(Rng &rng)
{
    static const wchar_t Letters[] = L"abcXYZ019 .,-_/\\æøåÆØÅé%s\"'";
    // One in five is far longer than any field, to try the edit limits.
    size_t length = rng.Percent(20) ? 200 + rng.Below(200) : rng.Below(12);
    std::wstring text;
    for (size_t i = 0; i < length; ++i)
        text += Letters[rng.Below(ARRAYSIZE(Letters) - 1)];
    return text;
}

std::string Narrow(const std::wstring &text)
{
    char out[1024];
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out, sizeof(out), NULL, NULL);
    return n ? std::string(out) : std::string("?");
}

class MonkeyTest : public SheetFixture {
protected:
    struct Snapshot {
        StoredState state;
        UserOptions record; // the full default unless a valid record is stored
    };

    Snapshot Take()
    {
        Snapshot snapshot;
        snapshot.state = ReadStored(name, &snapshot.record);
        return snapshot;
    }

    int CurrentPage()
    {
        return PropSheet_HwndToIndex(sheet.window, PropSheet_GetCurrentPageHwnd(sheet.window));
    }

    void Log(const char *format, ...)
    {
        char text[512];
        va_list args;
        va_start(args, format);
        vsnprintf(text, sizeof(text), format, args);
        va_end(args);
        log.push_back(text);
    }

    // Checks what the last action left; the first message wins.
    void Check(const Snapshot &before, int pageBefore, bool left, bool cancelled, bool closed)
    {
        if (!closed && (!IsWindow(sheet.window) || !PropSheet_GetCurrentPageHwnd(sheet.window))) {
            failure = "the sheet no longer answers";
            return;
        }
        Snapshot after = Take();
        if (after.state == STORED_NO_KEY || after.state == STORED_NO_VALUE)
            return; // nothing saved yet
        const UserOptions &r = after.record;
        if (after.state != STORED_VALID) {
            failure = "the stored record is unreadable or invalid (state " + std::to_string(after.state) + ")";
            return;
        }
        if (r.jobAction < 0 || r.jobAction > 4 || !FileSectionAgrees(r)) {
            failure = "File section invariant broken: jobAction " + std::to_string(r.jobAction) + ", printDisposition " +
                      std::to_string(r.printDisposition) + ", dispositionSelection " +
                      std::to_string(r.dispositionSelection);
            return;
        }
        if (r.hasJobPassword != HasJobPasswordFor(r) || !SecurePrintHasPassword(r) ||
            r.outputSheetSize >= OutputSheetSizesOffered(r.impositionType)) {
            failure = "an Info or Tray rule is broken: hasJobPassword " + std::to_string(r.hasJobPassword) +
                      ", securePrint " + std::to_string(r.securePrint) + ", impositionType " +
                      std::to_string(r.impositionType) + ", outputSheetSize " + std::to_string(r.outputSheetSize);
            return;
        }
        const BYTE *a = reinterpret_cast<const BYTE *>(&before.record);
        const BYTE *b = reinterpret_cast<const BYTE *>(&r);
        for (size_t i = 0; i < sizeof(UserOptions); ++i) {
            if (a[i] == b[i])
                continue;
            // Leaving a page stores its own section; Cancel wipes identity
            // fields only.
            const RecordField *field = RecordFieldAt(i);
            bool allowed = field && ((left && pageBefore >= 0 && field->section == SECTION_FILE + pageBefore) ||
                                     (cancelled && field->identity));
            if (!allowed) {
                failure = "byte " + std::to_string(i) + " of the stored record changed outside the section of page " +
                          std::to_string(pageBefore);
                return;
            }
        }
    }

    void OpenSecurePrint(HWND page)
    {
        if (ControlText(page, IDC_SECURE_PRINT_BUTTON) != L"Aktiver...") {
            Log("secure print: disarm");
            ClickButton(page, IDC_SECURE_PRINT_BUTTON);
            return;
        }
        const wchar_t *secure = L"Sikker udskrivning";
        std::wstring first = RandomText(*rng), second = first;
        std::vector<ModalStep> steps;
        uint32_t choice = rng->Below(3);
        // The dialog reads eight characters: a difference must lie in them.
        if (choice == 1 && second.empty())
            second = L"x";
        else if (choice == 1)
            second[0] = second[0] == L'x' ? L'y' : L'x';
        auto enter = [first, second](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_SECURE_PASSWORD, first.c_str());
            SetDlgItemTextW(dialog, IDC_SECURE_CONFIRM, second.c_str());
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        };
        auto cancel = [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
        if (choice == 0) {
            Log("secure print: \"%s\" twice", Narrow(first).c_str());
            steps = {{secure, enter}};
        } else if (choice == 1) {
            Log("secure print: \"%s\" and \"%s\", then cancel", Narrow(first).c_str(), Narrow(second).c_str());
            steps = {{secure, enter},
                     {L"Fejl i adgangskode", [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }},
                     {secure, cancel}};
        } else {
            Log("secure print: cancel");
            steps = {{secure, cancel}};
        }
        ModalScript script(steps);
        ClickButton(page, IDC_SECURE_PRINT_BUTTON);
        if (!script.Finished())
            failure = "the secure-print dialog did not run its steps";
    }

    void OpenHelp(HWND page)
    {
        Log("rendering-style help");
        ModalScript script(
            {{L"Hjælp til gengivelse af typografi", [](HWND help) { PostMessageW(help, WM_COMMAND, IDOK, 0); }}});
        ClickStatic(page, IDC_COLOR_HELP_ICON);
        if (!script.Finished())
            failure = "the help dialog did not open or close";
    }

    void Act(HWND page, int index)
    {
        ControlSearch search = {page, {}};
        EnumChildWindows(page, CollectControl, reinterpret_cast<LPARAM>(&search));
        uint32_t pick = rng->Below(100);
        if (pick < 8) {
            int id = index == 0 ? IDC_FILE_DEFAULTS : IDC_COLOR_DEFAULTS;
            Log("page %d: Defaults", index);
            ClickButton(page, id);
            return;
        }
        if (pick < 13 && (index == 1 || index == 4)) {
            if (index == 1)
                OpenHelp(page);
            else
                OpenSecurePrint(page);
            return;
        }
        if (search.found.empty())
            return;
        const Control &control = search.found[rng->Below(static_cast<uint32_t>(search.found.size()))];
        switch (control.kind) {
        case Edit: {
            std::wstring text = RandomText(*rng);
            Log("page %d: type %u characters into %d", index, static_cast<unsigned>(text.size()), control.id);
            TypeText(page, control.id, text.c_str());
            break;
        }
        case List: {
            int count = ListCount(page, control.id);
            int entry = count > 0 ? static_cast<int>(rng->Below(count)) : 0;
            Log("page %d: choose entry %d of list %d", index, entry, control.id);
            ChooseListEntry(page, control.id, entry);
            break;
        }
        case Button:
            if (control.id == IDC_SECURE_PRINT_BUTTON) {
                OpenSecurePrint(page);
            } else {
                Log("page %d: click %d", index, control.id);
                ClickButton(page, control.id);
            }
            break;
        case Static:
            if (control.id == IDC_COLOR_HELP_ICON) {
                OpenHelp(page);
            } else {
                Log("page %d: click static %d", index, control.id);
                ClickStatic(page, control.id);
            }
            break;
        }
    }

    Rng *rng = NULL;
    std::vector<std::string> log;
    std::string failure;
};

TEST_F(MonkeyTest, ThousandRandomActionsKeepTheStoreWhole)
{
    uint64_t seed = ChooseSeed();
    printf("monkey seed 0x%016llx\n", static_cast<unsigned long long>(seed));
    Rng random(seed);
    rng = &random;
    OpenSheet();
    ASSERT_TRUE(sheet.window != NULL);

    for (int action = 1; action <= Actions && failure.empty(); ++action) {
        Snapshot before = Take();
        int page = CurrentPage();
        bool left = false, cancelled = false, closed = false;
        uint32_t pick = rng->Below(100);
        if (action == Actions) {
            closed = true;
            cancelled = rng->Percent(50);
            left = !cancelled;
            Log(cancelled ? "Cancel" : "OK");
            PressSheetButton(cancelled ? PSBTN_CANCEL : PSBTN_OK);
        } else if (pick < 15) {
            int target = static_cast<int>(rng->Below(5));
            // Selecting the current page again still makes it leave and save.
            left = true;
            Log("show page %d", target);
            ShowPage(target);
        } else if (pick < 19) {
            left = true;
            Log("Apply");
            PressSheetButton(PSBTN_APPLYNOW);
        } else {
            Act(PropSheet_GetCurrentPageHwnd(sheet.window), page);
            Pump();
        }
        if (failure.empty())
            Check(before, page, left, cancelled, closed);
    }

    if (!failure.empty()) {
        std::string actions;
        for (size_t i = 0; i < log.size(); ++i)
            actions += "  " + std::to_string(i + 1) + ". " + log[i] + "\n";
        ADD_FAILURE() << failure << "\nseed 0x" << std::hex << seed << std::dec << " (QLX_SEED replays it), actions:\n"
                      << actions;
    }
}

} // namespace
