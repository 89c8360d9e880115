// Pictures of what the plug-in shows, for the README: a window's screen
// area written as a 24-bit BMP (the run script turns it into PNG).
#pragma once

#include <windows.h>

bool HostSaveWindowPicture(HWND window, const wchar_t *path);
// What the screen shows inside rect, whatever window it belongs to.
bool HostSaveScreenArea(const RECT &rect, const wchar_t *path);
