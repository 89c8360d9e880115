#include "recordtext/plugintexts.h"

#include "recordtext/dialogtemplate.h"

bool OpenPluginTexts(PluginTexts *texts, const std::wstring &path)
{
    texts->module = LoadLibraryExW(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    texts->path = texts->module ? path : std::wstring();
    return texts->module != NULL;
}

void ClosePluginTexts(PluginTexts *texts)
{
    if (texts->module)
        FreeLibrary(texts->module);
    texts->module = NULL;
    texts->path.clear();
}

std::wstring ListEntryText(const PluginTexts *texts, const RecordList &list, int position)
{
    WCHAR text[LIST_ENTRY_UNITS];
    RecordListEntry(list, position, texts ? texts->module : NULL, text);
    return text;
}

static std::wstring WithoutAccelerator(const std::wstring &caption)
{
    std::wstring plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

std::wstring TemplateControlCaption(const BYTE *resource, size_t size, int control)
{
    ResourceBytes bytes;
    bytes.data = resource;
    bytes.size = static_cast<DWORD>(size);
    ParsedTemplate parsed;
    if (!ParseTemplate(bytes, &parsed))
        return std::wstring();
    for (const ParsedControl &item : parsed.controls)
        if (item.id == control)
            return WithoutAccelerator(item.text);
    return std::wstring();
}

std::wstring ChoiceText(const PluginTexts *texts, const RecordChoices &choices, int value)
{
    if (!texts || !texts->module || value < 0 || value >= choices.count)
        return std::wstring();
    HRSRC found = FindResourceW(texts->module, MAKEINTRESOURCEW(choices.dialog), MAKEINTRESOURCEW(5));
    HGLOBAL loaded = found ? LoadResource(texts->module, found) : NULL;
    const BYTE *data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : NULL;
    if (!data)
        return std::wstring();
    return TemplateControlCaption(data, SizeofResource(texts->module, found), choices.controls[value]);
}
