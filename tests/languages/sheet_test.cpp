// Document Properties of another language than Danish: the British build's
// sheet, page by page, shows that build's own words in its tabs, controls,
// lists and the texts its pages fill in.
#include "resources/resource.h"
#include "tests/languages/language_builds.h"

namespace {

const LanguageBuild *BritishBuild()
{
    for (const LanguageBuild &build : LanguageBuilds)
        if (!lstrcmpW(build.code, L"en-GB"))
            return &build;
    return NULL;
}

// A control's text, or with list >= 0 the list's entry at that index.
struct ShownText {
    int page;
    int control;
    int entry; // -1: the control's own text
    const wchar_t *text;
};

const ShownText BritishTexts[] = {
    {0, IDC_FILE_PROCESS_PRINT, -1, L"Process and print"},
    {0, IDC_FILE_DISPOSITION, 2, L"Delete job"},
    {0, IDC_FILE_DEFAULTS, -1, L"Defaults"},
    {1, IDC_COLOR_MODE_GRAY, -1, L"Greyscale (1-pass)"},
    {1, IDC_COLOR_RENDERING_STYLE, 4, L"Spot colour"},
    {1, IDC_COLOR_PRINT_PROFILE, 12, L"Custom 10"},
    {2, IDC_OTHER_SEPARATIONS_LABEL, -1, L"Separations:"},
    {2, IDC_OTHER_SEPARATIONS, 1, L"Automatic single page"},
    {2, IDC_OTHER_AUTO_GRAY, -1, L"Automatic grey detection"},
    {3, IDC_TRAY_COLLATE, -1, L"Collate"},
    {3, IDC_TRAY_IMPOSITION_TYPE, 0, L"Saddle stitch"},
    {3, IDC_TRAY_MEDIA_DESCRIPTION, -1, L"Auto - server default\nOther - copier tray setting"},
    {4, IDC_SECURE_PRINT_BUTTON, -1, L"Enable..."},
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

TEST(LanguageSheet, BritishSheetShowsBritishTextsOnEveryPage)
{
    const LanguageBuild *british = BritishBuild();
    ASSERT_TRUE(british && LanguageResources(*british)) << "no en-GB build";
    LanguageSheet sheet(*british);
    ASSERT_TRUE(sheet.IsOpen());
    ASSERT_EQ(5, sheet.PageCount());

    const wchar_t *captions[] = {L"File", L"Colour", L"Other", L"Tray", L"Info"};
    for (int page = 0; page < 5; ++page) {
        EXPECT_EQ(std::wstring(captions[page]), SheetTabText(sheet.Window(), page));

        HWND shown = sheet.ShowPage(page);
        ASSERT_TRUE(shown != NULL) << "page " << page;
        for (const ShownText &expected : BritishTexts) {
            if (expected.page == page) {
                EXPECT_EQ(std::wstring(expected.text), Shown(shown, expected))
                    << "page " << page << ", control " << expected.control << ", entry " << expected.entry;
            }
        }
    }
}

} // namespace
