// Every text of every language build, measured in the controls that show
// it: the five pages as Document Properties shows them (lists filled, the
// page's own hidden controls hidden), the texts the pages put into controls
// later, and the two dialogs. A text that does not fit is cut off on
// screen. The Danish texts are as they are: their overflows are listed in
// the output, never failed.
#include <stdio.h>

#include <vector>

#include "resources/resource.h"
#include "tests/languages/language_builds.h"
#include "tests/languages/text_fit.h"

namespace {

struct Overflow {
    std::string where; // template and control
    std::wstring text;
    TextFit fit;
};

struct FitReport {
    int texts = 0;
    std::vector<Overflow> overflows;

    void Add(const std::string &where, const std::wstring &text, const TextFit &fit)
    {
        ++texts;
        if (!fit.Fits())
            overflows.push_back({where, text, fit});
    }
};

std::string ControlName(HWND control, const char *kind)
{
    int id = GetDlgCtrlID(control);
    return std::string(kind) + " " + std::to_string(static_cast<short>(id)); // -1 for a label
}

std::string TemplateName(WORD id)
{
    static const struct {
        WORD id;
        const char *name;
    } names[] = {{IDD_FILE_PAGE, "File page"},
                 {IDD_COLOR_PAGE, "Color page"},
                 {IDD_OTHER_PAGE, "Other page"},
                 {IDD_TRAY_PAGE, "Tray page"},
                 {IDD_INFO_PAGE, "Info page"},
                 {IDD_SECURE_PRINT, "secure-print dialog"},
                 {IDD_RENDER_HELP, "rendering-style help"}};
    for (const auto &known : names)
        if (known.id == id)
            return "template " + std::to_string(id) + " (" + known.name + ")";
    return "template " + std::to_string(id);
}

std::wstring StringOf(HMODULE module, UINT id)
{
    std::wstring text;
    ::StoredString(module, id, &text);
    return text;
}

// Texts a page puts into one of its controls after creation: the secure-print
// button's two captions and the description of each media type.
struct LaterText {
    WORD page;
    int control;
    UINT firstString;
    UINT count;
};
const LaterText LaterTexts[] = {
    {IDD_INFO_PAGE, IDC_SECURE_PRINT_BUTTON, IDS_SECURE_ENABLE, 2},
    {IDD_TRAY_PAGE, IDC_TRAY_MEDIA_DESCRIPTION, IDS_MEDIA_DESCRIPTION, 17},
};

// Every visible control of window with a text: its own text, or every entry
// of a drop-down list.
void CheckWindow(HWND window, WORD templateId, HMODULE module, FitReport *report)
{
    std::string where = TemplateName(templateId) + ", ";
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE))
            continue;
        TextFit fit;
        wchar_t text[512] = L"";
        GetClassNameW(control, text, 512);
        if (!lstrcmpiW(text, L"ComboBox")) {
            int entries = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < entries; ++i) {
                if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) >= 512)
                    continue;
                SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                if (MeasureListEntry(control, text, &fit))
                    report->Add(where + ControlName(control, "list") + " entry " + std::to_string(i), text, fit);
            }
            continue;
        }
        GetWindowTextW(control, text, 512);
        if (text[0] && MeasureControlText(control, text, &fit))
            report->Add(where + ControlName(control, fit.kind), text, fit);
    }
    for (const LaterText &later : LaterTexts) {
        HWND control = GetDlgItem(window, later.control);
        if (later.page != templateId || !control)
            continue;
        for (UINT id = later.firstString; id < later.firstString + later.count; ++id) {
            TextFit fit;
            std::wstring text = StringOf(module, id);
            if (MeasureControlText(control, text, &fit))
                report->Add(where + ControlName(control, fit.kind) + " showing string " + std::to_string(id), text,
                            fit);
        }
    }
}

FitReport MeasureBuild(const LanguageBuild &build)
{
    FitReport report;
    LanguageSheet sheet(build);
    EXPECT_TRUE(sheet.IsOpen());
    if (!sheet.IsOpen())
        return report;
    EXPECT_EQ(5, sheet.PageCount());
    for (int page = 0; page < sheet.PageCount() && page < 5; ++page)
        CheckWindow(sheet.ShowPage(page), PageTemplates[page], sheet.Module(), &report);
    // The dialogs as their pages open them; nothing is filled in later.
    for (WORD id : {IDD_SECURE_PRINT, IDD_RENDER_HELP}) {
        HWND dialog = CreateDialogParamW(sheet.Module(), MAKEINTRESOURCEW(id), sheet.Window(), QuietDialogProc, 0);
        EXPECT_TRUE(dialog != NULL) << TemplateName(id);
        if (dialog) {
            CheckWindow(dialog, id, sheet.Module(), &report);
            DestroyWindow(dialog);
        }
    }
    return report;
}

std::string Describe(const Overflow &overflow)
{
    const TextFit &fit = overflow.fit;
    std::string line = overflow.where + ": \"" + Utf8(overflow.text) + "\" needs " + std::to_string(fit.neededWidth) +
                       " px of " + std::to_string(fit.availableWidth);
    if (fit.availableHeight)
        line +=
            " wide and " + std::to_string(fit.neededHeight) + " px of " + std::to_string(fit.availableHeight) + " high";
    return line;
}

TEST(TextFit, EveryTextFitsItsControlInEveryLanguage)
{
    for (const LanguageBuild &build : LanguageBuilds) {
        if (!LanguageResources(build))
            continue; // reported by LanguageBuilds.EveryLanguageOfTheTableIsBuilt
        FitReport report = MeasureBuild(build);
        printf("%s: %d texts measured, %u do not fit\n", Utf8(build.code).c_str(), report.texts,
               static_cast<unsigned>(report.overflows.size()));
        EXPECT_GT(report.texts, 150) << Utf8(build.code) << ": the pages were not measured";
        for (const Overflow &overflow : report.overflows) {
            if (IsDanish(build))
                printf("  Danish text that does not fit, kept as it is: %s\n", Describe(overflow).c_str());
            else
                ADD_FAILURE() << "language " << Utf8(build.code) << ", " << Describe(overflow)
                              << "; shorten the translation";
        }
        fflush(stdout);
    }
}

} // namespace
