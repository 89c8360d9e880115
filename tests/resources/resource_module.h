// The shipped Danish plug-in, loaded once for all resource tests of the
// program; its resources are all filed under US English.
#pragma once

#include "tests/support/module_resources.h"
#include "tests/support/test_support.h"

inline HMODULE ResourceModule()
{
    static HMODULE module = LoadLibraryW(PluginPath());
    return module;
}

inline ResourceBytes FindResourceBytes(LPCWSTR type, WORD id)
{
    return FindResourceBytes(ResourceModule(), type, id, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}
