// The shipped plug-in, loaded once for all resource tests of the program.
#pragma once

#include "tests/support/test_support.h"

inline HMODULE ResourceModule()
{
    static HMODULE module = LoadLibraryW(PluginPath());
    return module;
}

// The raw bytes of one resource of the plug-in, or an empty view.
struct ResourceBytes {
    const BYTE *data = NULL;
    DWORD size = 0;
};

inline ResourceBytes FindResourceBytes(LPCWSTR type, WORD id)
{
    ResourceBytes bytes;
    HRSRC found = FindResourceExW(ResourceModule(), type, MAKEINTRESOURCEW(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (found) {
        bytes.data = static_cast<const BYTE *>(LockResource(LoadResource(ResourceModule(), found)));
        bytes.size = SizeofResource(ResourceModule(), found);
    }
    return bytes;
}
