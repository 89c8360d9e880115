// The one translation unit that defines the plug-in model's GUIDs.
#include <initguid.h>

#include "platform/oemui.h"
