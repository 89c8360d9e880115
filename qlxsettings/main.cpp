// qlxsettings.exe: the admins' view of the plug-in's stored settings. It
// reads and writes the records through the plug-in's own store and names
// fields and values from the plug-in's own field table and texts.
#include "recordtext/output.h"
#include "qlxsettings/tool.h"

static const wchar_t Usage[] =
    L"qlxsettings: the plug-in's stored settings for each printer.\n"
    L"\n"
    L"  qlxsettings list                          printers that use the plug-in, with their records\n"
    L"  qlxsettings show PRINTER [--json]         every field with its value and meaning\n"
    L"  qlxsettings set PRINTER NAME=VALUE ...    change fields; VALUE is the number (for a list,\n"
    L"                                            the position show prints), on/off for flags,\n"
    L"                                            or the list's text as the page shows it\n"
    L"  qlxsettings reset PRINTER [SECTION ...]   the full default, or the defaults of the sections\n"
    L"                                            file, color, other, tray, info\n"
    L"  qlxsettings export PRINTER [FILE]         a .reg file of the record; FILE is replaced only\n"
    L"                                            once it is written whole. Without FILE, to\n"
    L"                                            standard output: redirected, as UTF-16 with a BOM\n"
    L"                                            like regedit's own files; on a console, as text\n"
    L"  qlxsettings import FILE [PRINTER]         write the record of such a file, after checking it;\n"
    L"                                            without PRINTER, to the keys the file names\n"
    L"\n"
    L"  --all            every printer that uses the plug-in, instead of PRINTER\n"
    L"  --identity       include the fields that belong to the user who prints: owner,\n"
    L"                   jobPassword, accountNumber, securePassword, securePrint and\n"
    L"                   hasJobPassword. Without it, set refuses them, show hides their texts,\n"
    L"                   export writes them empty and reset and import keep what is stored.\n"
    L"  --json           show and list: one JSON object per printer, one per line\n"
    L"  --plugin PATH    the plug-in DLL whose texts to use (default: the one beside this\n"
    L"                   program, then the printer driver's own copy)\n"
    L"\n"
    L"Document Properties reads a printer's record under its driver's name; installing the\n"
    L"printer stores one under the printer's name. set, reset and import write both keys\n"
    L"when they differ, each from its own stored record, so that each keeps its own\n"
    L"identity fields. Identity texts are written with nothing behind their end.\n"
    L"\n"
    L"Exit codes:\n";

static int ShowHelp()
{
    std::wstring text = Usage;
    for (const ExitCodeText &exit : ExitCodeTexts)
        text += L"  " + Number(exit.code) + L"  " + Widen(exit.meaning) + L"\n";
    return OutputText(OUTPUT_STDOUT, text) ? EXIT_OK : EXIT_FAILED;
}

static bool ParseCommandLine(int argc, wchar_t **argv, Options *run)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--all")
            run->all = true;
        else if (arg == L"--json")
            run->json = true;
        else if (arg == L"--identity")
            run->identity = true;
        else if (arg == L"--help" || arg == L"-h" || arg == L"/?")
            run->help = true;
        else if (arg == L"--plugin" && i + 1 < argc)
            run->plugin = argv[++i];
        else if (arg.size() > 2 && arg.compare(0, 2, L"--") == 0)
            return false;
        else if (run->command.empty())
            run->command = arg;
        else
            run->arguments.push_back(arg);
    }
    return true;
}

int wmain(int argc, wchar_t **argv)
{
    Options options;
    if (!ParseCommandLine(argc, argv, &options))
        return Fail(EXIT_USAGE, L"unknown option (qlxsettings --help)");
    if (options.help || options.command.empty())
        return options.help ? ShowHelp() : (ShowHelp(), EXIT_USAGE);
    if (!OpenMainTexts(options.plugin))
        return Fail(EXIT_FAILED, Quoted(options.plugin) + L": cannot load the plug-in's texts from it");

    static const struct {
        const wchar_t *name;
        int (*run)(const Options &options);
    } Commands[] = {
        {L"list", CommandList},     {L"show", CommandShow},     {L"set", CommandSet},
        {L"reset", CommandReset},   {L"export", CommandExport}, {L"import", CommandImport},
    };
    int (*run)(const Options &options) = NULL;
    for (const auto &command : Commands)
        if (options.command == command.name)
            run = command.run;
    int status = run ? run(options)
                     : Fail(EXIT_USAGE, Quoted(options.command) + L" is not a command (qlxsettings --help)");

    CloseAllTexts();
    // Output cut short by a failed write is no success, whatever the
    // command found (the reason is already on standard error).
    if (status == EXIT_OK && StandardOutputFailed())
        status = EXIT_FAILED;
    return status;
}
