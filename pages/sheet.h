// The Document Properties sheet: the five pages the plug-in adds and the
// per-sheet block that ties their handles to the common UI's callback.
#pragma once

#include "platform/oemui.h"

LONG OEMDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);

// The pages in the order they are added; also their slot in PageUserData.
enum PageIndex { FILE_PAGE, COLOR_PAGE, OTHER_PAGE, TRAY_PAGE, INFO_PAGE, PAGE_COUNT };

// One block per sheet, allocated from the host's heap and never freed by the
// plug-in; OEMUIPSPARAM.pOEMUserData points to it.
struct PageUserData {
    HANDLE hComPropSheet;
    PFNCOMPROPSHEET pfnComPropSheet;
    LONG_PTR pageHandles[PAGE_COUNT];
};

static_assert(sizeof(PageUserData) == 7 * sizeof(void *), "seven pointer-sized fields");
