// Sheet cycles in one process give back what they take, and the counters
// that say so see a leak when there is one. The benchmark runs the full
// thousand cycles and control run; this is the share that fits every test
// run.
#include "bench/robust.h"
#include "host/platform_kind.h"
#include "host/test_names.h"
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

class LeakTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plugin.module != NULL);
        ui = plugin.NewObject();
        ASSERT_TRUE(ui != NULL);
        ui->PrinterEvent(const_cast<PWSTR>(HOST_TEST_NAME(L"Leak")), 0, 0, 0);
    }
    void TearDown() override
    {
        if (ui)
            ui->Release();
        DeleteStored(HOST_TEST_NAME(L"Leak"));
    }

    PluginModule plugin;
    IPrintOemUI *ui = NULL;
};

TEST_F(LeakTest, SheetCyclesReturnToTheBaseline)
{
    // Every cycle is checked for USER and GDI drift; private bytes may grow
    // by no more than 64 KiB per hundred cycles.
    const int cycles = 40;
    LeakReport leak = RunLeakCycles(ui, cycles);
    EXPECT_EQ(0, leak.failedCycles) << "sheets that did not open or close";
    EXPECT_EQ(0, leak.driftedCycles) << leak.firstDrift;
    EXPECT_EQ(0, leak.gdiGrowth) << "GDI objects (" << leak.final.gdiSource << ")";
    EXPECT_LT(leak.privateGrowth, cycles * 64 * 1024 / 100) << "private bytes";
    EXPECT_EQ(0, leak.handleGrowth) << "handles (" << leak.final.handlesSource << ")";
}

// A clean GDI figure means something only if the counter sees a leak: the
// same cycles, each leaking one bitmap on purpose, must read one object more
// per cycle, and the count must fall back once the bitmaps are deleted.
TEST_F(LeakTest, ControlRunLeakingOneBitmapPerCycleReadsEveryBitmap)
{
    const int cycles = 5;
    LeakReport leak = RunLeakCycles(ui, cycles, 1);
    EXPECT_EQ(0, leak.failedCycles);
    EXPECT_EQ(cycles, leak.bitmapsPlanted);
    EXPECT_EQ(cycles, leak.gdiGrowth) << "GDI objects (" << leak.final.gdiSource << ")";
    EXPECT_EQ(0, leak.driftedCycles) << leak.firstDrift;
    EXPECT_EQ(leak.baseline.gdiObjects, CountResources().gdiObjects) << "the planted bitmaps were deleted";
}

// The two dialogs the pages open show a picture each (the emblem, the
// rendering-style table); closing them gives the picture back, however
// often they are opened.
class DialogLeakTest : public SheetFixture {};

TEST_F(DialogLeakTest, HelpAndSecurePrintGiveBackTheirPictures)
{
    struct DialogOpener {
        int page;
        int control;
        const wchar_t *caption;
    };
    static const DialogOpener dialogs[] = {
        {1, IDC_COLOR_HELP_ICON, L"Hjælp til gengivelse af typografi"},
        {4, IDC_SECURE_PRINT_BUTTON, L"Sikker udskrivning"},
    };
    OpenSheet();
    for (const DialogOpener &dialog : dialogs) {
        HWND page = ShowPage(dialog.page);
        ResourceCounts before = {};
        for (int i = 0; i < 4; ++i) {
            // The first opening may leave caches behind; the rest must not.
            if (i == 1)
                before = CountResources();
            ModalScript script(
                {{dialog.caption, [](HWND window) { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); }}});
            if (dialog.control == IDC_COLOR_HELP_ICON)
                ClickStatic(page, dialog.control);
            else
                ClickButton(page, dialog.control);
            ASSERT_TRUE(script.Finished())
                << "the dialog did not open or close: " << testing::PrintToString(dialog.caption);
        }
        EXPECT_EQ(before.gdiObjects, CountResources().gdiObjects)
            << testing::PrintToString(dialog.caption) << " (" << before.gdiSource << ")";
    }
}

// Wine answers the platform's own counters with 0, so the choice is made by
// asking whether Wine runs; each figure names what counted it.
TEST(ResourceCounters, AreChosenByPlatformAndCountSomething)
{
    SetLastError(0xdeadbeef);
    ResourceCounts counts = CountResources();
    EXPECT_EQ(0xdeadbeefu, GetLastError()) << "the probes leave the caller's last error alone";
    if (HostWineVersion()) {
        EXPECT_STREQ("windows of the process", counts.userSource);
        EXPECT_STREQ("GetObjectType probe", counts.gdiSource);
        EXPECT_STREQ("GetHandleInformation probe", counts.handlesSource);
    } else {
        EXPECT_STREQ("GetGuiResources", counts.userSource);
        EXPECT_STREQ("GetGuiResources", counts.gdiSource);
    }
    // Every process holds stock GDI objects and a few kernel handles.
    EXPECT_GT(counts.gdiObjects, 0u);
    EXPECT_GT(counts.handles, 0u);

    // The thread's first window brings a helper window of the platform's
    // along; one window held open keeps that out of the count.
    HWND held = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    counts = CountResources();
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, NULL);
    HANDLE event = CreateEventW(NULL, FALSE, FALSE, NULL);
    ResourceCounts more = CountResources();
    EXPECT_EQ(counts.userObjects + 1, more.userObjects) << counts.userSource;
    EXPECT_EQ(counts.gdiObjects + 1, more.gdiObjects) << counts.gdiSource;
    EXPECT_EQ(counts.handles + 1, more.handles) << counts.handlesSource;
    DestroyWindow(window);
    DestroyWindow(held);
    DeleteObject(bitmap);
    CloseHandle(event);
}
