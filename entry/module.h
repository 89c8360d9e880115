// The COM server's own counts, read by DllCanUnloadNow. The instance handle
// and the signature that the other layers share live in platform/module.h.
#pragma once

#include "platform/module.h"

extern volatile LONG ServerLockCount;
extern volatile LONG LiveObjectCount;
