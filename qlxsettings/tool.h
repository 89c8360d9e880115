// The parts of qlxsettings.exe that its commands share: the options of the
// run, messages, the plug-in texts, the printers a command works on and the
// state of their records, and the one way records are written. The options
// are read once and handed to each command; nothing changes them.
#pragma once

#include <string>
#include <vector>

#include "qlxsettings/exitcodes.h"
#include "recordtext/plugintexts.h"
#include "qlxsettings/printers.h"
#include "settings/store.h"

struct Options {
    std::wstring command;
    std::vector<std::wstring> arguments;
    bool all = false;
    bool json = false;
    bool identity = false;
    bool help = false;
    std::wstring plugin;
};

// A line of output, and a one-line message on standard error that returns
// the exit code (messages.cpp).
void Say(const std::wstring &line);
int Fail(int code, const std::wstring &message);

// The texts of plugin (--plugin) or of the plug-in beside the tool; false
// when plugin names no loadable DLL (texts.cpp).
bool OpenMainTexts(const std::wstring &plugin);
void CloseAllTexts();
// The texts for a printer: the main ones, else its driver's own copy of
// the plug-in; NULL when there are none.
const PluginTexts *TextsFor(const PrinterTarget &target);

// The keys a printer's record lives under, which set, reset, import and
// export write: the pages' key, and the installation's when it
// differs (targets.cpp).
std::vector<std::wstring> WriteKeys(const PrinterTarget &target);
// Every printer whose driver carries the plug-in.
std::vector<PrinterTarget> PluginPrinters();
// The printers a command works on: the first of arguments (PRINTER), or
// with --all every printer that uses the plug-in; *rest is what follows.
int CollectTargets(const Options &options, const std::vector<std::wstring> &arguments,
                   std::vector<PrinterTarget> *targets, std::vector<std::wstring> *rest);

// A printer's record as one read of its key found it.
struct StoredRecord {
    StoredRead read;
    // What the pages read for the name: the stored record when it is valid,
    // the full default otherwise.
    UserOptions seen;
};
// The record under a key name (under HKLM\SYSTEM\Printers), read once
// (states.cpp).
void ReadRecord(const std::wstring &key, StoredRecord *stored);

// A record's state in words, in JSON and as the exit code (states.cpp).
std::wstring StateText(const StoredRecord &stored);
const wchar_t *StateJson(const StoredRecord &stored);
int StateExitCode(const StoredRecord &stored);
// No key, or no "User Info" under it: the pages show defaults.
bool RecordMissing(const StoredRecord &stored);
// A record that a command starts from, read under key, must be one the
// pages use.
int RequireValid(const PrinterTarget &target, const std::wstring &key, const StoredRecord &stored);
int FirstFailure(int current, int next);

// One record to write under one key. set, reset and import build each
// key's record from that key's own stored record, so that every key keeps
// the identity fields it holds.
struct WritePlan {
    const PrinterTarget *target;
    std::wstring key; // under HKLM\SYSTEM\Printers
    UserOptions record;
    std::vector<std::wstring> report;
};

// Probes every key once, so that a refusal leaves every record as it was;
// then writes each record and reports. A write that fails after others
// succeeded says which keys were written.
int CarryOut(const std::vector<WritePlan> &plans, const wchar_t *verb);
// Keeps the identity fields of from in record, unless identity (writes.cpp).
void KeepIdentity(UserOptions &record, const UserOptions &from, bool identity);

// The commands; each returns its exit code.
int CommandList(const Options &options);
int CommandShow(const Options &options);
int CommandSet(const Options &options);
int CommandReset(const Options &options);
int CommandExport(const Options &options);
int CommandImport(const Options &options);
