// GoogleTest's Notification is built on std::mutex, which the win32 thread
// model of MinGW-w64 does not provide. This stand-in, on a Win32 event, is
// force-included into every GoogleTest translation unit.
#pragma once

#define GTEST_HAS_NOTIFICATION_ 1

#ifdef __cplusplus
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventW(NULL, TRUE, FALSE, NULL)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

} // namespace internal
} // namespace testing
#endif
