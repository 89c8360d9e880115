// The Danish string table and dialog templates, pinned in
// danish-resources.txt: every string with its id, every template with its
// form, and every control in template order with its id, class, style,
// rectangle and text or picture. The pages, the admins' tool and every
// translation rest on these; none may change by accident.
//
// After an intended change to resources/qlx4120ui.rc or
// resources/texts/da.rc the test fails and writes what the built DLL holds
// to danish-resources.built.txt beside the test program: read the
// difference, then copy that file over tests/resources/danish-resources.txt.
#include <stdarg.h>
#include <stdio.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/resources/expected_pictures.h"
#include "tests/resources/resource_module.h"

namespace {

// Quoted, with every unit outside printable ASCII (and the quote and
// backslash) as \uXXXX, so the file reads the same in any code page.
std::string Quoted(const std::wstring &text)
{
    std::string quoted = "\"";
    for (wchar_t unit : text) {
        if (unit >= 0x20 && unit < 0x7f && unit != L'"' && unit != L'\\') {
            quoted += static_cast<char>(unit);
        } else {
            char escape[8];
            snprintf(escape, sizeof(escape), "\\u%04X", static_cast<unsigned>(unit));
            quoted += escape;
        }
    }
    return quoted + "\"";
}

std::string Line(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char *format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

std::set<ULONG_PTR> DialogIds()
{
    return ReadInventory(ResourceModule()).names[reinterpret_cast<ULONG_PTR>(RT_DIALOG)];
}

void AddTemplateLines(WORD id, std::vector<std::string> *lines)
{
    ParsedTemplate parsed;
    if (!ParseTemplate(FindResourceBytes(RT_DIALOG, id), &parsed)) {
        lines->push_back(Line("dialog %u: unreadable", id));
        return;
    }
    const ParsedTemplate &t = parsed;
    lines->push_back(Line("dialog %u: extended %d, style 0x%08lX, exstyle 0x%08lX, rect %d %d %d %d, menu %d, "
                          "class %d, font %u %u %u %u ",
                          id, t.extended, t.style, t.exStyle, t.rect[0], t.rect[1], t.rect[2], t.rect[3], t.hasMenu,
                          t.hasClass, t.pointSize, t.weight, t.italic, t.charset) +
                     Quoted(t.face) + ", caption " + Quoted(t.caption));
    for (size_t i = 0; i < t.controls.size(); ++i) {
        const ParsedControl &c = t.controls[i];
        std::string shows = c.textOrdinal ? Line("picture %u", c.textOrdinal) : "text " + Quoted(c.text);
        lines->push_back(Line("dialog %u control %u: id %d, class ", id, static_cast<unsigned>(i), c.id) +
                         Quoted(c.className) +
                         Line(", style 0x%08lX, exstyle 0x%08lX, rect %d %d %d %d, ", c.style, c.exStyle, c.rect[0],
                              c.rect[1], c.rect[2], c.rect[3]) +
                         shows);
    }
}

// What the Danish DLL holds, one line per string, template and control.
std::vector<std::string> BuiltLines()
{
    std::vector<std::string> lines;
    std::wstring text;
    for (UINT id : StoredStringIds(ResourceModule())) {
        text.assign(1, L'\xdead');
        EXPECT_TRUE(StoredString(ResourceModule(), id, &text));
        lines.push_back(Line("string %u: ", id) + Quoted(text));
    }
    for (ULONG_PTR id : DialogIds())
        AddTemplateLines(static_cast<WORD>(id), &lines);
    return lines;
}

// The pinned file's lines, comments and blank lines left out.
std::vector<std::string> PinnedLines(const std::string &file)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find('\n', start);
        if (end == std::string::npos)
            end = file.size();
        std::string line = file.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The pinned file as it would be for these lines: its header comment kept.
std::string Regenerated(const std::string &pinned, const std::vector<std::string> &lines)
{
    std::string text;
    for (size_t start = 0; start < pinned.size() && pinned[start] == '#';) {
        size_t end = pinned.find('\n', start);
        text += pinned.substr(start, end - start) + "\n";
        start = end == std::string::npos ? pinned.size() : end + 1;
    }
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

void WriteBesideProgram(const wchar_t *name, const std::string &text)
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring file = path;
    file = file.substr(0, file.find_last_of(L'\\') + 1) + name;
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0xdeadbeef;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
    CloseHandle(handle);
}

TEST(DanishResources, MatchThePinnedStringsAndTemplates)
{
    ASSERT_TRUE(ResourceModule() != NULL);
    std::string pinnedFile = ReadWholeFile(EnvPath(L"QLX_DANISH_RESOURCES"));
    std::vector<std::string> pinned = PinnedLines(pinnedFile), built = BuiltLines();
    EXPECT_FALSE(pinned.empty()) << "the pinned file is missing";
    std::set<std::string> pinnedSet(pinned.begin(), pinned.end()), builtSet(built.begin(), built.end());
    std::string differences;
    for (const std::string &line : pinned)
        if (!builtSet.count(line))
            differences += "pinned, not built: " + line + "\n";
    for (const std::string &line : built)
        if (!pinnedSet.count(line))
            differences += "built, not pinned: " + line + "\n";
    EXPECT_TRUE(differences.empty()) << differences << "see the head of tests/resources/pinned_test.cpp";
    EXPECT_TRUE(pinned == built) << "the same lines in another order";
    if (pinned != built)
        WriteBesideProgram(L"danish-resources.built.txt", Regenerated(pinnedFile, built));
}

// What the pinned file cannot say: the pages load strings into 255-unit
// buffers, and a carriage return would show as a box.
TEST(DanishResources, StringsFitThePagesBuffersWithoutCarriageReturns)
{
    std::wstring text;
    for (UINT id : StoredStringIds(ResourceModule())) {
        ASSERT_TRUE(StoredString(ResourceModule(), id, &text)) << "string " << id;
        EXPECT_LT(text.size(), 255u) << "string " << id;
        EXPECT_EQ(std::wstring::npos, text.find(L'\r')) << "string " << id;
    }
}

// Read without the pinned file, so a source read in the wrong code page
// cannot hide behind a pin made from the same wrong reading.
TEST(DanishResources, DanishLettersAndLineBreaksArriveAsWritten)
{
    std::wstring text;
    ASSERT_TRUE(StoredString(ResourceModule(), 100, &text)); // Præsentation
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(0x00E6, text[2]);
    ASSERT_TRUE(StoredString(ResourceModule(), 6, &text)); // Mørk (2,2)
    EXPECT_EQ(0x00F8, text[1]);
    ASSERT_TRUE(StoredString(ResourceModule(), 10, &text)); // Mere blå (9300)
    EXPECT_EQ(0x00E5, text[7]);
    EXPECT_EQ(10u, text.find(L'9')) << "one UTF-16 unit per letter";

    ASSERT_TRUE(StoredString(ResourceModule(), 116, &text));
    EXPECT_EQ(2, std::count(text.begin(), text.end(), L'\n')) << "the mismatch message has three lines";
    EXPECT_EQ(std::wstring::npos, text.find(L'\\'));
}

// Created for real, the templates must find their pictures in the module and
// keep the hidden controls hidden: the Tray page's fifteen legacy controls.
TEST(DanishResources, CreatedDialogsShowTheirPicturesAndHideTheHiddenControls)
{
    HWND frame = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 640, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(frame != NULL);
    for (ULONG_PTR id : DialogIds()) {
        SCOPED_TRACE(testing::Message() << "template " << id);
        ParsedTemplate parsed;
        ASSERT_TRUE(ParseTemplate(FindResourceBytes(RT_DIALOG, static_cast<WORD>(id)), &parsed));
        HWND dialog = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(id), frame, QuietDialogProc, 0);
        ASSERT_TRUE(dialog != NULL) << GetLastError();
        size_t index = 0, hidden = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
            ASSERT_LT(index, parsed.controls.size());
            const ParsedControl &want = parsed.controls[index];
            SCOPED_TRACE(testing::Message() << "control " << index << " (id " << want.id << ")");
            LONG style = GetWindowLongW(child, GWL_STYLE);
            EXPECT_EQ((want.style & WS_VISIBLE) != 0, (style & WS_VISIBLE) != 0);
            hidden += (style & WS_VISIBLE) ? 0 : 1;
            if (!want.textOrdinal)
                continue;
            if ((style & SS_TYPEMASK) == SS_ICON) {
                EXPECT_TRUE(SendMessageW(child, STM_GETICON, 0, 0) != 0);
                continue;
            }
            HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
            const ExpectedPicture *picture = FindExpectedBitmap(want.textOrdinal);
            BITMAP info;
            ASSERT_TRUE(shown != NULL && picture != NULL);
            ASSERT_TRUE(GetObjectW(shown, sizeof info, &info));
            EXPECT_EQ(picture->width, info.bmWidth);
            EXPECT_EQ(picture->height, info.bmHeight);
        }
        EXPECT_EQ(parsed.controls.size(), index);
        EXPECT_EQ(id == 117 ? 15u : 0u, hidden);
        DestroyWindow(dialog);
    }
    DestroyWindow(frame);
}

} // namespace
