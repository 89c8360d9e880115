// The Document Properties sheet builder behind
// IPrintOemUI::DocumentPropertySheets.
#pragma once

#include "platform/oemui.h"

LONG OEMDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
