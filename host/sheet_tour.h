// The demo's walk through Document Properties: each page in turn with a few
// choices made on it, the rendering-style help and the secure-print dialog
// opened from their pages, a picture of each, and OK at the end. module is
// the plug-in whose sheet it is; the tour reads its dialogs' captions from
// it, so it walks the sheet of every language alike.
#pragma once

#include "host/sheet_host.h"

bool HostTourSheet(HostSheet *sheet, HMODULE module, const wchar_t *pictureFolder);
