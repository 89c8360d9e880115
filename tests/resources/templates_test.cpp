// The seven dialog templates, read back from RT_DIALOG and created as the
// pages and dialogs create them.
#include <string>
#include <vector>

#include "tests/resources/expected_pictures.h"
#include "tests/resources/expected_templates.h"
#include "tests/resources/resource_module.h"

namespace {

struct ParsedControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::wstring className;
    std::wstring text;
    WORD textOrdinal = 0; // a picture resource when the text is an ordinal
    short rect[4] = {};
};

struct ParsedTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short rect[4] = {};
    bool hasMenu = false;
    bool hasClass = false;
    std::wstring caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring face;
    std::vector<ParsedControl> controls;
};

// Walks a template in memory; every read past the end is caught, so a
// malformed resource fails the test instead of crashing it.
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

const wchar_t *PredefinedClass(WORD ordinal)
{
    static const wchar_t *const names[] = {L"BUTTON", L"EDIT", L"STATIC", L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
    return ordinal >= 0x80 && ordinal <= 0x85 ? names[ordinal - 0x80] : L"?";
}

bool ParseTemplate(WORD id, ParsedTemplate *out)
{
    ResourceBytes bytes = FindResourceBytes(RT_DIALOG, id);
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

TEST(Templates, EachTemplateHasItsFormStyleCaptionAndFont)
{
    for (const ExpectedTemplate &expected : ExpectedTemplates) {
        SCOPED_TRACE(testing::Message() << "template " << expected.id);
        ParsedTemplate parsed;
        ASSERT_TRUE(ParseTemplate(expected.id, &parsed));
        EXPECT_EQ(expected.extended, parsed.extended);
        EXPECT_EQ(expected.style, parsed.style);
        EXPECT_EQ(0u, parsed.exStyle);
        EXPECT_EQ(std::wstring(expected.caption), parsed.caption);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(expected.rect[i], parsed.rect[i]) << "rectangle value " << i;
        EXPECT_FALSE(parsed.hasMenu);
        EXPECT_FALSE(parsed.hasClass);
        EXPECT_EQ(8, parsed.pointSize);
        EXPECT_EQ(L"MS Sans Serif", parsed.face);
        EXPECT_EQ(0, parsed.weight);
        EXPECT_EQ(0, parsed.italic);
        EXPECT_EQ(parsed.extended ? DEFAULT_CHARSET : 0, parsed.charset);
    }
}

TEST(Templates, ControlsAreTheListedOnesInTemplateOrder)
{
    for (const ExpectedTemplate &expected : ExpectedTemplates) {
        ParsedTemplate parsed;
        ASSERT_TRUE(ParseTemplate(expected.id, &parsed)) << "template " << expected.id;
        ASSERT_EQ(expected.count, parsed.controls.size()) << "template " << expected.id;
        for (size_t i = 0; i < expected.count; ++i) {
            const ExpectedControl &want = expected.controls[i];
            const ParsedControl &got = parsed.controls[i];
            SCOPED_TRACE(testing::Message() << "template " << expected.id << ", control " << i << " (id " << want.id
                                            << ")");
            EXPECT_EQ(want.id, got.id);
            EXPECT_EQ(std::wstring(want.className), got.className);
            EXPECT_EQ(want.style | WS_CHILD | (want.visible ? WS_VISIBLE : 0), got.style);
            EXPECT_EQ(want.exStyle, got.exStyle);
            if (want.text) {
                EXPECT_EQ(std::wstring(want.text), got.text);
                EXPECT_EQ(0, got.textOrdinal);
            } else {
                EXPECT_EQ(want.picture, got.textOrdinal);
            }
            for (int r = 0; r < 4; ++r)
                EXPECT_EQ(want.rect[r], got.rect[r]) << "rectangle value " << r;
        }
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// Created for real, the templates must find their pictures in the module and
// keep the hidden controls hidden.
TEST(Templates, CreatedDialogsShowTheirPicturesAndHideTheHiddenControls)
{
    HWND frame = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 640, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(frame != NULL);
    for (const ExpectedTemplate &expected : ExpectedTemplates) {
        SCOPED_TRACE(testing::Message() << "template " << expected.id);
        HWND dialog =
            CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(expected.id), frame, QuietDialogProc, 0);
        ASSERT_TRUE(dialog != NULL) << GetLastError();
        size_t index = 0, hidden = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
            ASSERT_LT(index, expected.count);
            const ExpectedControl &want = expected.controls[index];
            SCOPED_TRACE(testing::Message() << "control " << index << " (id " << want.id << ")");
            LONG style = GetWindowLongW(child, GWL_STYLE);
            EXPECT_EQ(want.visible, (style & WS_VISIBLE) != 0);
            hidden += want.visible ? 0 : 1;
            if (want.text)
                continue;
            if ((style & SS_TYPEMASK) == SS_ICON) {
                EXPECT_TRUE(SendMessageW(child, STM_GETICON, 0, 0) != 0);
                continue;
            }
            HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
            const ExpectedPicture *picture = FindExpectedBitmap(want.picture);
            BITMAP info;
            ASSERT_TRUE(shown != NULL && picture != NULL);
            ASSERT_TRUE(GetObjectW(shown, sizeof info, &info));
            EXPECT_EQ(picture->width, info.bmWidth);
            EXPECT_EQ(picture->height, info.bmHeight);
        }
        EXPECT_EQ(expected.count, index);
        EXPECT_EQ(expected.id == 117 ? 15u : 0u, hidden);
        DestroyWindow(dialog);
    }
    DestroyWindow(frame);
}

} // namespace
