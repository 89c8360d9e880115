#include "qlxsettings/plugintexts.h"

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

// Reads a DIALOGEX template item by item; every read is checked against
// the resource's end, since the file may be any DLL an admin points at.
class TemplateReader {
public:
    TemplateReader(const BYTE *data, size_t size) : m_data(data), m_size(size) {}

    bool Skip(size_t bytes)
    {
        if (m_size - m_at < bytes)
            return Fail();
        m_at += bytes;
        return true;
    }
    bool Word(WORD *value)
    {
        if (m_size - m_at < sizeof(WORD))
            return Fail();
        *value = static_cast<WORD>(m_data[m_at] | (m_data[m_at + 1] << 8));
        m_at += sizeof(WORD);
        return true;
    }
    bool Dword(DWORD *value)
    {
        WORD low, high;
        if (!Word(&low) || !Word(&high))
            return false;
        *value = low | (static_cast<DWORD>(high) << 16);
        return true;
    }
    // A text, or an ordinal (0xFFFF and a number), or nothing (0).
    bool Text(std::wstring *text)
    {
        WORD unit;
        if (!Word(&unit))
            return false;
        if (unit == 0xFFFF)
            return Word(&unit);
        while (unit != 0) {
            if (text)
                *text += static_cast<wchar_t>(unit);
            if (!Word(&unit))
                return false;
        }
        return true;
    }
    bool AlignDword() { return Skip((4 - m_at % 4) % 4); }
    bool Ok() const { return m_ok; }

private:
    bool Fail()
    {
        m_ok = false;
        m_at = m_size;
        return false;
    }
    const BYTE *m_data;
    size_t m_size;
    size_t m_at = 0;
    bool m_ok = true;
};

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
    TemplateReader reader(resource, size);
    WORD version, signature, count;
    DWORD style;
    // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
    if (!reader.Word(&version) || !reader.Word(&signature) || version != 1 || signature != 0xFFFF ||
        !reader.Skip(8) || !reader.Dword(&style) || !reader.Word(&count) || !reader.Skip(8))
        return std::wstring();
    // menu, class, caption, then the font when DS_SETFONT says so
    if (!reader.Text(NULL) || !reader.Text(NULL) || !reader.Text(NULL))
        return std::wstring();
    if ((style & DS_SETFONT) && (!reader.Skip(6) || !reader.Text(NULL)))
        return std::wstring();

    for (WORD item = 0; item < count; ++item) {
        DWORD id;
        WORD extra;
        std::wstring caption;
        // helpID, exStyle, style, x, y, cx, cy, id, class, title, extra data
        if (!reader.AlignDword() || !reader.Skip(20) || !reader.Dword(&id) || !reader.Text(NULL) ||
            !reader.Text(&caption) || !reader.Word(&extra) || !reader.Skip(extra))
            return std::wstring();
        if (static_cast<int>(id) == control)
            return WithoutAccelerator(caption);
    }
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
