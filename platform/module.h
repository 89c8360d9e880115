// What every layer of the plug-in needs to know about the module itself:
// its instance handle, which every string load, page description and
// dialog passes, and its signature. The loader entry point in entry/ sets
// the handle once at process attach; everything else only reads it.
#pragma once

#include <windows.h>

extern HINSTANCE ModuleInstance;

// The plug-in's signature and version: the four characters QLXS, the first
// in the most significant byte. It also marks the private devmode.
#define OEM_SIGNATURE 0x514C5853UL
