// Sheet cycles in one process give back what they take. The benchmark runs
// the full thousand; this is the share that fits every test run.
#include "bench/robust.h"
#include "tests/support/test_support.h"

TEST(LeakTest, HundredSheetCyclesReturnToTheBaseline)
{
    PluginModule plugin;
    ASSERT_TRUE(plugin.module != NULL);
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    ui->PrinterEvent(const_cast<PWSTR>(HOST_TEST_NAME(L"Leak")), 0, 0, 0);

    LeakReport leak = RunLeakCycles(ui, 100);
    EXPECT_EQ(0, leak.failedCycles) << "sheets that did not open or close";
    EXPECT_EQ(0, leak.driftedCycles) << leak.firstDrift;
    EXPECT_LT(leak.privateGrowth, 64 * 1024) << "private bytes";
    EXPECT_EQ(0, leak.handleGrowth) << "handles (" << leak.final.handlesSource << ")";

    ui->Release();
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SYSTEM\\Printers\\" HOST_TEST_NAME(L"Leak"));
}
