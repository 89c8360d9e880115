// The seven dialog templates, read back from RT_DIALOG and created as the
// pages and dialogs create them.
#include <string>
#include <vector>

#include "tests/resources/expected_pictures.h"
#include "tests/resources/expected_templates.h"
#include "tests/resources/resource_module.h"

namespace {

bool ParseTemplate(WORD id, ParsedTemplate *out)
{
    return ::ParseTemplate(FindResourceBytes(RT_DIALOG, id), out);
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
