// The devmode handler behind IPrintOemUI::DevMode.
#pragma once

#include "platform/oemui.h"

BOOL OEMDevMode(DWORD dwMode, POEMDMPARAM pOemDMParam);
