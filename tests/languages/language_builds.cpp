#include "tests/languages/language_builds.h"

#include <commctrl.h>

#include "host/test_names.h"
#include "resources/resource.h"
#include "tests/support/record_support.h"

const WORD PageTemplates[5] = {IDD_FILE_PAGE, IDD_COLOR_PAGE, IDD_OTHER_PAGE, IDD_TRAY_PAGE, IDD_INFO_PAGE};

const LanguageBuild &DanishBuild()
{
    for (const LanguageBuild &build : LanguageBuilds)
        if (IsDanish(build))
            return build;
    ADD_FAILURE() << "the language table has no Danish build";
    return LanguageBuilds[0];
}

bool IsDanish(const LanguageBuild &build)
{
    return !lstrcmpW(build.code, L"da");
}

std::wstring LanguageBuildPath(const LanguageBuild &build)
{
    wchar_t dist[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"QLX_DIST_DIR", dist, MAX_PATH))
        ADD_FAILURE() << "QLX_DIST_DIR is not set";
    return std::wstring(dist) + L"\\" + build.code + L"\\qlx4120ui.dll";
}

HMODULE LanguageResources(const LanguageBuild &build)
{
    static HMODULE modules[sizeof LanguageBuilds / sizeof LanguageBuilds[0]];
    size_t index = &build - LanguageBuilds;
    if (!modules[index])
        modules[index] = LoadLibraryExW(LanguageBuildPath(build).c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    return modules[index];
}

ResourceBytes LanguageResource(const LanguageBuild &build, LPCWSTR type, WORD id)
{
    return FindResourceBytes(LanguageResources(build), type, id, build.tag);
}

// ------------------------------------------------------------------- sheet

static const wchar_t SheetPrinter[] = HOST_TEST_NAME(L"Language Sheet");

static void DeleteSheetRecord()
{
    DeleteStored(SheetPrinter);
}

LanguageSheet::LanguageSheet(const LanguageBuild &build)
{
    if (!HostLoadPlugin(LanguageBuildPath(build).c_str(), &plugin)) {
        ADD_FAILURE() << "cannot load the " << Utf8(build.code) << " build";
        return;
    }
    DeleteSheetRecord();
    // Event 0 is none the plug-in acts on: it only takes the name.
    EXPECT_EQ(S_OK, plugin.ui->PrinterEvent(const_cast<PWSTR>(SheetPrinter), 0, 0, 0));
    EXPECT_TRUE(HostOpenDocumentProperties(&sheet, plugin.ui, NULL, L"QLX 4120"));
}

LanguageSheet::~LanguageSheet()
{
    if (plugin.ui) {
        HostEndSheet(&sheet);
        HostUnloadPlugin(&plugin);
    }
    DeleteSheetRecord();
}

HWND LanguageSheet::ShowPage(int index)
{
    PropSheet_SetCurSel(sheet.window, NULL, index);
    for (int i = 0; i < 3; ++i)
        HostPumpSheet(&sheet);
    return PropSheet_GetCurrentPageHwnd(sheet.window);
}
