// The harness's own load sequence: the path the core driver takes.
#include "tests/support/test_support.h"

TEST(HostHarness, LoadsQueriesAndUnloadsThePlugin)
{
    HostPlugin plugin;
    ASSERT_TRUE(HostLoadPlugin(PluginPath(), &plugin));
    ASSERT_TRUE(plugin.ui != NULL);

    HostDriverUi driverUi;
    HostPluginInfo info;
    EXPECT_TRUE(HostQueryPluginInfo(plugin.ui, &driverUi, &info));
    EXPECT_EQ(S_OK, info.publish);
    EXPECT_EQ(0x514C5853u, info.signature);
    EXPECT_EQ(0x00010000u, info.interfaceVersion);
    EXPECT_EQ(0x514C5853u, info.version);
    EXPECT_EQ(2, driverUi.refCount);

    EXPECT_EQ(S_OK, HostUnloadPlugin(&plugin));
    EXPECT_EQ(1, driverUi.refCount) << "the plug-in let go of the driver interface";
    EXPECT_TRUE(plugin.module == NULL);
    EXPECT_TRUE(GetModuleHandleW(L"qlx4120ui.dll") == NULL) << "the module was unloaded";
}

TEST(HostHarness, RefusesAModuleThatIsNotAPlugin)
{
    HostPlugin plugin;
    EXPECT_FALSE(HostLoadPlugin(L"kernel32.dll", &plugin));
    EXPECT_TRUE(plugin.module == NULL);
}
