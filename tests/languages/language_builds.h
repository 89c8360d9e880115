// The language builds under test: the table of resources/languages.txt as
// the build generated it, where each build lies, its resources read as data,
// and its Document Properties opened as the core driver opens them.
#pragma once

#include <string>

#include "host/sheet_host.h"
#include "tests/support/module_resources.h"
#include "tests/support/test_support.h"

struct LanguageBuild {
    const wchar_t *code;
    const wchar_t *suffix; // of the rendering module, qlx4120um<suffix>.dll
    WORD tag;              // the language its resources are filed under
};

// One table for the whole program (an inline variable), so that a build's
// place in it is the same in every file.
inline const LanguageBuild LanguageBuilds[] = {
#include "language_table.inc"
};

const LanguageBuild &DanishBuild();
bool IsDanish(const LanguageBuild &build);

// dist/<arch>/<code>/qlx4120ui.dll
std::wstring LanguageBuildPath(const LanguageBuild &build);
// The build mapped as data, kept for the whole program; NULL when missing.
HMODULE LanguageResources(const LanguageBuild &build);
ResourceBytes LanguageResource(const LanguageBuild &build, LPCWSTR type, WORD id);

// Loads the build as the core driver does, makes name its printer name and
// opens Document Properties; closes, cleans up and unloads when it ends.
class LanguageSheet {
public:
    explicit LanguageSheet(const LanguageBuild &build);
    ~LanguageSheet();
    LanguageSheet(const LanguageSheet &) = delete;
    LanguageSheet &operator=(const LanguageSheet &) = delete;

    bool IsOpen() const { return sheet.window != NULL; }
    HMODULE Module() const { return plugin.module; }
    HWND Window() const { return sheet.window; }
    int PageCount() const { return sheet.pageCount; }
    HWND ShowPage(int index);
    // Runs the sheet's message loop, dialog manager included, until idle.
    void Pump() { HostPumpSheet(&sheet); }

private:
    HostPlugin plugin = {};
    HostSheet sheet = {};
};

// The five page templates in the sheet's order.
extern const WORD PageTemplates[5];
