// The test programs' entry point: GoogleTest's, with the crash reporter
// installed first, so that a test that faults ends its program at once with
// a line saying what faulted, where, and in which test, rather than leaving
// it to Wine's debugger or to ctest's timeout.
#include <gtest/gtest.h>

#include "host/crash_report.h"

namespace {

class CrashContextListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &test) override
    {
        SetCrashContext("test %s.%s", test.test_suite_name(), test.name());
    }
    void OnTestEnd(const testing::TestInfo &) override { SetCrashContext("-"); }
};

} // namespace

int main(int argc, char **argv)
{
    InstallCrashReporter();
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CrashContextListener);
    return RUN_ALL_TESTS();
}
