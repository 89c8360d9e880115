// The plug-in texts the tool names values with: those of --plugin or of the
// plug-in beside the tool, else each driver's own copy, loaded once.
#include "qlxsettings/tool.h"

#include <map>

static PluginTexts MainTexts;                           // --plugin, or the one beside the tool
static std::map<std::wstring, PluginTexts> DriverTexts; // each driver's own copy, by path

static std::wstring ToolDirectory()
{
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring tool(path, length < MAX_PATH ? length : 0);
    size_t cut = tool.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : tool.substr(0, cut + 1);
}

// --plugin must load; the one beside the tool may be missing.
bool OpenMainTexts(const std::wstring &plugin)
{
    if (!plugin.empty())
        return OpenPluginTexts(&MainTexts, plugin);
    OpenPluginTexts(&MainTexts, ToolDirectory() + PLUGIN_FILE_NAME);
    return true;
}

void CloseAllTexts()
{
    ClosePluginTexts(&MainTexts);
    for (auto &entry : DriverTexts)
        ClosePluginTexts(&entry.second);
}

const PluginTexts *TextsFor(const PrinterTarget &target)
{
    if (MainTexts.module)
        return &MainTexts;
    if (target.driverPlugin.empty())
        return NULL;
    PluginTexts &texts = DriverTexts[target.driverPlugin];
    if (!texts.module)
        OpenPluginTexts(&texts, target.driverPlugin);
    return texts.module ? &texts : NULL;
}
