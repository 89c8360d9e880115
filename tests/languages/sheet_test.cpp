// Document Properties of every language build: each page shows that build's
// own words in its tabs, controls and lists and in the texts its pages fill
// in, as the build itself holds them, and a translation's sheet is not the
// Danish one (the Scandinavian languages share a few words with Danish, so
// most of the texts, not each, must differ).
#include "resources/resource.h"
#include "tests/languages/language_builds.h"

namespace {

// A control's text as its template gives it, or (string != 0) as the page
// fills it in from the string table: a list's entry, or a text set later.
struct ShownText {
    int page;
    int control;
    int entry; // -1: the control's own text
    UINT string;
};

const ShownText ShownTexts[] = {
    {0, IDC_FILE_PROCESS_PRINT, -1, 0},
    {0, IDC_FILE_DISPOSITION, 2, IDS_DISPOSITION_DELETE_JOB},
    {0, IDC_FILE_DEFAULTS, -1, 0},
    {1, IDC_COLOR_MODE_GRAY, -1, 0},
    {1, IDC_COLOR_RENDERING_STYLE, 4, IDS_RENDER_SPOT},
    {2, IDC_OTHER_SEPARATIONS_LABEL, -1, 0},
    {2, IDC_OTHER_SEPARATIONS, 1, IDS_SEPARATIONS_AUTO_SINGLE},
    {2, IDC_OTHER_AUTO_GRAY, -1, 0},
    {3, IDC_TRAY_COLLATE, -1, 0},
    {3, IDC_TRAY_IMPOSITION_TYPE, 0, IDS_IMPOSITION_SADDLE},
    {3, IDC_TRAY_MEDIA_DESCRIPTION, -1, IDS_MEDIA_DESCRIPTION},
    {4, IDC_SECURE_PRINT_BUTTON, -1, IDS_SECURE_ENABLE},
};

std::wstring Shown(HWND page, const ShownText &shown)
{
    wchar_t text[256] = L"";
    if (shown.entry < 0)
        GetDlgItemTextW(page, shown.control, text, 256);
    else if (SendDlgItemMessageW(page, shown.control, CB_GETLBTEXTLEN, shown.entry, 0) < 256)
        SendDlgItemMessageW(page, shown.control, CB_GETLBTEXT, shown.entry, reinterpret_cast<LPARAM>(text));
    return text;
}

// What the build itself holds for the text: the string, or the control's
// caption in the page template.
std::wstring Stored(const LanguageBuild &build, const ShownText &shown)
{
    std::wstring text;
    if (shown.string) {
        StoredString(LanguageResources(build), shown.string, &text);
        return text;
    }
    ParsedTemplate page;
    if (ParseTemplate(LanguageResource(build, RT_DIALOG, PageTemplates[shown.page]), &page))
        for (const ParsedControl &control : page.controls)
            if (control.id == shown.control)
                return control.text;
    return text;
}

std::wstring StoredCaption(const LanguageBuild &build, int page)
{
    ParsedTemplate parsed;
    ParseTemplate(LanguageResource(build, RT_DIALOG, PageTemplates[page]), &parsed);
    return parsed.caption;
}

TEST(LanguageSheet, EverySheetShowsItsOwnBuildsTextsOnEveryPage)
{
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE("language " + Utf8(build.code));
        if (!LanguageResources(build))
            continue;
        LanguageSheet sheet(build);
        ASSERT_TRUE(sheet.IsOpen());
        ASSERT_EQ(5, sheet.PageCount());
        size_t differing = 0;
        for (int page = 0; page < 5; ++page) {
            std::wstring caption = StoredCaption(build, page);
            EXPECT_FALSE(caption.empty()) << "page " << page;
            EXPECT_EQ(caption, SheetTabText(sheet.Window(), page));
            differing += caption != StoredCaption(DanishBuild(), page);

            HWND shown = sheet.ShowPage(page);
            ASSERT_TRUE(shown != NULL) << "page " << page;
            for (const ShownText &expected : ShownTexts) {
                if (expected.page != page)
                    continue;
                std::wstring ours = Stored(build, expected);
                EXPECT_FALSE(ours.empty()) << "control " << expected.control;
                EXPECT_EQ(Utf8(ours), Utf8(Shown(shown, expected)))
                    << "page " << page << ", control " << expected.control << ", entry " << expected.entry;
                differing += ours != Stored(DanishBuild(), expected);
            }
        }
        if (!IsDanish(build)) {
            EXPECT_GT(differing, (5 + sizeof ShownTexts / sizeof ShownTexts[0]) / 2) << "texts unlike the Danish ones";
        }
    }
}

} // namespace
