// The store reader and the devmode handler under random input, each case
// in buffers with a no-access page right behind them. A crash prints the
// seed and case; QLX_SEED=<seed> replays a run.
#include "bench/robust.h"
#include "tests/support/test_support.h"

namespace {

// Enough to meet every kind of damaged input many times; the benchmark runs
// 100,000 of each.
const int Cases = 2000;

TEST(FuzzTest, EveryStoredValueReadsAsAUsableRecord)
{
    uint64_t seed = ChooseSeed();
    printf("store fuzz seed 0x%016llx\n", static_cast<unsigned long long>(seed));
    FuzzReport report = FuzzStoreReader(seed, Cases, HOST_TEST_NAME(L"Fuzz"));
    EXPECT_EQ(0, report.failures) << report.firstFailure;
}

TEST(FuzzTest, DevModeStaysInsideBothExtensions)
{
    PluginModule plugin;
    ASSERT_TRUE(plugin.module != NULL);
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    uint64_t seed = ChooseSeed();
    printf("devmode fuzz seed 0x%016llx\n", static_cast<unsigned long long>(seed));
    FuzzReport report = FuzzDevMode(ui, seed, Cases);
    EXPECT_EQ(0, report.failures) << report.firstFailure;
    ui->Release();
}

} // namespace
