// Module-wide values of the COM server: the instance handle that every
// resource load passes, and the two counts that DllCanUnloadNow reads.
#pragma once

#include <windows.h>

extern HINSTANCE ModuleInstance;
extern volatile LONG ServerLockCount;
extern volatile LONG LiveObjectCount;

// The plug-in's signature and version: the four characters QLXS.
#define OEM_SIGNATURE 0x514C5853UL
