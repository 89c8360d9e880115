// pageshot.exe: shows each page and dialog of the plug-in the way Windows
// creates it from the plug-in's own templates, and saves what the screen
// shows as a bitmap per template. Usage: pageshot <plug-in dll> <folder>.
// The pages are child templates: each gets a top-level frame of its own,
// sized to the page and captioned with the page's tab text.
#include <stdio.h>
#include <windows.h>

#include "host/crash_report.h"
#include "host/plugin_host.h"
#include "host/screenshot.h"
#include "resources/resource.h"

namespace {

struct Shot {
    WORD id;
    bool page;
    const wchar_t *file;
};

// Tab order first, then the two dialogs.
const Shot Shots[] = {
    {IDD_FILE_PAGE, true, L"116-file-page.bmp"},        {IDD_COLOR_PAGE, true, L"114-color-page.bmp"},
    {IDD_OTHER_PAGE, true, L"115-other-page.bmp"},      {IDD_TRAY_PAGE, true, L"117-tray-page.bmp"},
    {IDD_INFO_PAGE, true, L"110-info-page.bmp"},        {IDD_SECURE_PRINT, false, L"147-secure-print.bmp"},
    {IDD_RENDER_HELP, false, L"152-render-help.bmp"},
};

const wchar_t FrameClass[] = L"QlxPageFrame";

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// Lets every window paint: the static pictures and the group boxes paint
// only when their messages are handled.
void Settle()
{
    for (int round = 0; round < 20; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// A page as the property sheet creates it: from its own template, with the
// caption and the disabled state taken off, since the tab shows the caption
// and the sheet enables the page it shows.
HWND CreatePage(HMODULE module, WORD id, HWND frame)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    const BYTE *data = found ? static_cast<const BYTE *>(LockResource(LoadResource(module, found))) : NULL;
    DWORD size = found ? SizeofResource(module, found) : 0;
    const DWORD styleOffset = 12; // after dlgVer, signature, helpID and exStyle
    if (!data || size < styleOffset + sizeof(DWORD))
        return NULL;
    BYTE *copy = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!copy)
        return NULL;
    memcpy(copy, data, size);
    DWORD style;
    memcpy(&style, copy + styleOffset, sizeof style);
    style &= ~static_cast<DWORD>(WS_CAPTION | WS_DISABLED);
    memcpy(copy + styleOffset, &style, sizeof style);
    HWND page = CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(copy), frame, QuietDialogProc, 0);
    HeapFree(GetProcessHeap(), 0, copy);
    return page;
}

// Creates the template as a real dialog and returns the top-level window to
// capture: the dialog itself, or the frame that holds a page.
HWND ShowTemplate(HMODULE module, const Shot &shot, HWND *dialog)
{
    if (!shot.page) {
        *dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(shot.id), NULL, QuietDialogProc, 0);
        if (*dialog)
            ShowWindow(*dialog, SW_SHOW);
        return *dialog;
    }
    HWND frame = CreateWindowExW(0, FrameClass, L"", WS_OVERLAPPED | WS_CAPTION, 0, 0, 100, 100, NULL, NULL,
                                 GetModuleHandleW(NULL), NULL);
    *dialog = frame ? CreatePage(module, shot.id, frame) : NULL;
    if (!*dialog) {
        if (frame)
            DestroyWindow(frame);
        return NULL;
    }
    wchar_t caption[64];
    GetWindowTextW(*dialog, caption, 64);
    SetWindowTextW(frame, caption);
    RECT page;
    GetWindowRect(*dialog, &page);
    RECT outer = {0, 0, page.right - page.left, page.bottom - page.top};
    AdjustWindowRectEx(&outer, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
    SetWindowPos(frame, NULL, 20, 20, outer.right - outer.left, outer.bottom - outer.top, SWP_NOZORDER);
    ShowWindow(*dialog, SW_SHOW);
    ShowWindow(frame, SW_SHOW);
    return frame;
}

} // namespace

int main(int argc, char **argv)
{
    InstallCrashReporter();
    if (argc != 3) {
        printf("usage: pageshot <plug-in dll> <folder>\n");
        return 2;
    }
    wchar_t dll[MAX_PATH], folder[MAX_PATH];
    HostWindowsPath(argv[1], dll, MAX_PATH);
    HostWindowsPath(argv[2], folder, MAX_PATH);
    HMODULE module = LoadLibraryW(dll);
    if (!module) {
        printf("cannot load %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(NULL);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    frameClass.lpszClassName = FrameClass;
    RegisterClassW(&frameClass);

    int failures = 0;
    for (const Shot &shot : Shots) {
        HWND dialog = NULL;
        HWND window = ShowTemplate(module, shot, &dialog);
        wchar_t path[MAX_PATH];
        wsprintfW(path, L"%s\\%s", folder, shot.file);
        RECT rect;
        // An active caption in every picture, as the user sees the window.
        // The first window of a process may not get the foreground; its
        // caption is drawn active all the same.
        if (window) {
            SetForegroundWindow(window);
            SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
        }
        bool ok = window && (Settle(), GetWindowRect(window, &rect)) && HostSaveScreenArea(rect, path);
        printf("template %u: %s\n", shot.id, ok ? "saved" : "FAILED");
        failures += ok ? 0 : 1;
        if (dialog)
            DestroyWindow(dialog);
        if (window && window != dialog)
            DestroyWindow(window);
    }
    FreeLibrary(module);
    return failures ? 1 : 0;
}
