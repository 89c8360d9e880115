// The printers a command works on: named on the command line or every one
// that uses the plug-in, and the keys their records live under.
#include "qlxsettings/tool.h"

#include "recordtext/output.h"
#include "settings/store.h"

std::vector<std::wstring> WriteKeys(const PrinterTarget &target)
{
    std::vector<std::wstring> keys = {target.pagesKey};
    if (target.installKey != target.pagesKey)
        keys.push_back(target.installKey);
    return keys;
}

static int ResolveOne(const std::wstring &name, bool quiet, PrinterTarget *target)
{
    switch (ResolvePrinter(name, target)) {
    case PRINTER_FOUND:
        if (target->driverPlugin.empty() && !quiet)
            OutputText(OUTPUT_STDERR, L"qlxsettings: note: the driver " + Quoted(target->driver) + L" of " +
                                          Quoted(name) + L" does not list " PLUGIN_FILE_NAME L" among its files\n");
        return EXIT_OK;
    case PRINTER_NAME_TOO_LONG:
        return Fail(EXIT_NO_PRINTER, Quoted(name) + L": the name is longer than the plug-in's store takes");
    default:
        return Fail(EXIT_NO_PRINTER, Quoted(name) + L": no such printer");
    }
}

std::vector<PrinterTarget> PluginPrinters()
{
    std::vector<PrinterTarget> targets;
    for (const std::wstring &name : LocalPrinterNames()) {
        PrinterTarget target;
        if (ResolvePrinter(name, &target) == PRINTER_FOUND && !target.driverPlugin.empty())
            targets.push_back(target);
    }
    return targets;
}

int CollectTargets(const Options &options, const std::vector<std::wstring> &arguments,
                   std::vector<PrinterTarget> *targets, std::vector<std::wstring> *rest)
{
    *rest = arguments;
    if (options.all) {
        *targets = PluginPrinters();
        return targets->empty() ? Fail(EXIT_NO_PRINTER, L"no printer on this machine uses the plug-in") : EXIT_OK;
    }
    if (arguments.empty())
        return Fail(EXIT_USAGE, L"name a printer, or give --all (qlxsettings --help)");
    rest->erase(rest->begin());
    targets->push_back(PrinterTarget());
    return ResolveOne(arguments[0], options.json, &targets->back());
}
