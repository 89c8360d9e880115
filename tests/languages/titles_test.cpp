// The check boxes that title a group box sit on the box's top edge: their
// words must read clearly in every language, whichever of the two the
// system paints last. Wine repaints a page's children in z-order, the box
// after its title, so a whole-page repaint shows what a user would see
// there; it must leave the title as the title paints itself.
#include <vector>

#include "resources/resource.h"
#include "tests/languages/language_builds.h"

namespace {

const struct {
    int page;
    int title;
} Titles[] = {
    {1, IDC_COLOR_RGB_CORRECTION},
    {1, IDC_COLOR_CMYK_CORRECTION},
    {3, IDC_TRAY_IMPOSITION},
};

// The control's pixels as the screen shows them, 32 bits each.
std::vector<DWORD> ScreenPixels(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<DWORD> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GdiFlush();
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        pixels.assign(static_cast<DWORD *>(bits), static_cast<DWORD *>(bits) + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

int DifferentPixels(const std::vector<DWORD> &a, const std::vector<DWORD> &b)
{
    int different = a.size() == b.size() ? 0 : static_cast<int>(a.size() + b.size());
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        different += a[i] != b[i];
    return different;
}

TEST(GroupTitles, ATitleCheckBoxReadsAsItPaintsItselfAfterTheWholePageRepaints)
{
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE("language " + Utf8(build.code));
        if (!LanguageResources(build))
            continue;
        LanguageSheet sheet(build);
        ASSERT_TRUE(sheet.IsOpen());
        for (const auto &title : Titles) {
            HWND page = sheet.ShowPage(title.page);
            ASSERT_TRUE(page != NULL);
            HWND control = GetDlgItem(page, title.title);
            ASSERT_TRUE(control != NULL);

            RedrawWindow(control, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            std::vector<DWORD> alone = ScreenPixels(control);
            RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            sheet.Pump();
            std::vector<DWORD> withPage = ScreenPixels(control);

            ASSERT_FALSE(alone.empty());
            EXPECT_EQ(0, DifferentPixels(alone, withPage))
                << "control " << title.title << " on page " << title.page
                << ": the group box's frame is drawn over its title";
        }
    }
}

} // namespace
