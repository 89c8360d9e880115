// The plug-in's own words for the record's values: list entries from its
// string table and radio-button captions from its page templates. The tool
// prints no meaning of its own, so each language build of the plug-in
// speaks its own language here too.
#pragma once

#include <windows.h>

#include <string>

#include "settings/recordfields.h"

struct PluginTexts {
    HMODULE module = NULL;
    std::wstring path;
};

// Loads the DLL as data only: nothing of it runs. false when it cannot.
bool OpenPluginTexts(PluginTexts *texts, const std::wstring &path);
void ClosePluginTexts(PluginTexts *texts);

// The entry as the page shows it; "" when the module lacks the string, and
// without texts only the numbers of built entries.
std::wstring ListEntryText(const PluginTexts *texts, const RecordList &list, int position);

// The caption of the radio button that stands for value, without its
// keyboard-accelerator ampersand; "" when there is none.
std::wstring ChoiceText(const PluginTexts *texts, const RecordChoices &choices, int value);

// The caption of one control in a DIALOGEX template held in memory, or ""
// when the template is damaged or lacks the control. Exposed for tests.
std::wstring TemplateControlCaption(const BYTE *resource, size_t size, int control);
