// Keeps Wine's desktop process alive for a whole test session, so that each
// GUI test does not wait for it to start and to wind down. The session script
// starts it detached and ends it with the wineserver. Given a file name, it
// creates that file once its window, and so the desktop, exists.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR readyFile, int)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"qlx session", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    if (window && readyFile && readyFile[0]) {
        HANDLE ready = CreateFileW(readyFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (ready != INVALID_HANDLE_VALUE)
            CloseHandle(ready);
    }
    MSG msg;
    while (window && GetMessageW(&msg, NULL, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
