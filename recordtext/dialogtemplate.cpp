#include "recordtext/dialogtemplate.h"

#include <string.h>

namespace {

class TemplateReader {
public:
    TemplateReader(const BYTE *data, DWORD size) : start(data), at(data), end(data + size) {}

    bool ok() const { return good; }
    template <typename T> T Read()
    {
        T value = 0;
        if (!good || sizeof value > static_cast<size_t>(end - at)) {
            good = false;
            return value;
        }
        memcpy(&value, at, sizeof value);
        at += sizeof value;
        return value;
    }
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    void Rect(short rect[4])
    {
        for (int i = 0; i < 4; ++i)
            rect[i] = static_cast<short>(Word());
    }
    std::wstring String()
    {
        std::wstring text;
        for (WORD ch = Word(); good && ch; ch = Word())
            text += static_cast<wchar_t>(ch);
        return text;
    }
    // A name field: 0xFFFF and an ordinal, or a NUL-terminated string.
    void NameOrOrdinal(std::wstring *text, WORD *ordinal)
    {
        *ordinal = 0;
        text->clear();
        WORD first = Word();
        if (first == 0xFFFF) {
            *ordinal = Word();
            return;
        }
        if (first)
            *text = static_cast<wchar_t>(first) + String();
    }
    void AlignDword() { Skip((4 - (at - start) % 4) % 4); }
    void Skip(size_t count)
    {
        if (count > static_cast<size_t>(end - at))
            good = false;
        else
            at += count;
    }

private:
    const BYTE *start;
    const BYTE *at;
    const BYTE *end;
    bool good = true;
};

} // namespace

static const wchar_t *PredefinedClass(WORD ordinal)
{
    static const wchar_t *const names[] = {L"BUTTON", L"EDIT", L"STATIC", L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
    return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : L"?";
}

bool ParseTemplate(const ResourceBytes &bytes, ParsedTemplate *out)
{
    if (!bytes.data)
        return false;
    TemplateReader in(bytes.data, bytes.size);
    WORD version = in.Word(), signature = in.Word();
    out->extended = version == 1 && signature == 0xFFFF;
    if (out->extended) {
        in.Dword(); // help id
        out->exStyle = in.Dword();
        out->style = in.Dword();
    } else {
        out->style = MAKELONG(version, signature);
        out->exStyle = in.Dword();
    }
    WORD count = in.Word();
    in.Rect(out->rect);
    std::wstring name;
    WORD ordinal;
    in.NameOrOrdinal(&name, &ordinal);
    out->hasMenu = !name.empty() || ordinal;
    in.NameOrOrdinal(&name, &ordinal);
    out->hasClass = !name.empty() || ordinal;
    out->caption = in.String();
    if (out->style & DS_SETFONT) {
        out->pointSize = in.Word();
        if (out->extended) {
            out->weight = in.Word();
            out->italic = in.Read<BYTE>();
            out->charset = in.Read<BYTE>();
        }
        out->face = in.String();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignDword();
        ParsedControl control;
        if (out->extended) {
            in.Dword(); // help id
            control.exStyle = in.Dword();
            control.style = in.Dword();
            in.Rect(control.rect);
            control.id = static_cast<int>(in.Dword());
        } else {
            control.style = in.Dword();
            control.exStyle = in.Dword();
            in.Rect(control.rect);
            control.id = static_cast<short>(in.Word());
        }
        WORD classOrdinal;
        in.NameOrOrdinal(&control.className, &classOrdinal);
        if (classOrdinal)
            control.className = PredefinedClass(classOrdinal);
        in.NameOrOrdinal(&control.text, &control.textOrdinal);
        in.Skip(in.Word()); // creation data
        out->controls.push_back(control);
    }
    return in.ok();
}
