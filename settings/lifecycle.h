// The printer lifecycle handlers behind IPrintOemUI::PrinterEvent,
// UpgradePrinter and CommonUIProp.
#pragma once

#include "platform/oemui.h"

BOOL OEMPrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags, LPARAM lParam);
BOOL OEMUpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo);
BOOL OEMCommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam);
