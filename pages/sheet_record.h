// The record the pages start from: read from the store once per sheet, by
// the first page the sheet creates, and shown by every page it creates after
// that. A page shows only its own fields, and a page's save on leaving
// changes only its own fields, so a page created after another page's save
// finds its fields in the sheet's copy just as the store holds them; the
// copy only spares each page its own store read. The saves themselves still
// read the store each time (see HandlePageNotify), since each must start
// from what the other pages saved before it.
#pragma once

#include "pages/protocol.h"

// PROPSHEETUI_REASON_INIT: the sheet of this parameter block starts, and its
// first page reads the store again.
void StartSheetRecord(POEMUIPSPARAM param);

// WM_INITDIALOG: the record the page shows. A page of the sheet that
// StartSheetRecord named gets the sheet's copy; a page made in another way
// (without the sheet's block, or under another printer name) reads the
// store itself, as every page did before sheets kept a copy.
void ReadSheetRecord(const PageHost &host, UserOptions *options);
