// Keeps Wine's desktop process alive for a whole test session, so that each
// GUI test does not wait for it to start and to wind down. The session script
// starts it detached and ends it with the wineserver.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"qlx session", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    MSG msg;
    while (window && GetMessageW(&msg, NULL, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
