// The rules that tie fields of the record to each other, each stated once.
// The pages follow them when they save; the admins' tool checks what it is
// asked to write against them, and the tests check what the pages stored.
#pragma once

#include "settings/recordfields.h"

// The File page: jobAction 0 and 1 both process and print, and the
// disposition list tells them apart; a job that is held keeps disposition 0
// while the list keeps its choice in dispositionSelection.
LONG PrintingJobAction(LONG dispositionSelection);
LONG PrintDispositionFor(LONG jobAction, LONG dispositionSelection);
bool IsPrintingJobAction(LONG jobAction);
bool FileSectionAgrees(const UserOptions &options);

// The Info page: hasJobPassword says whether a job password was given, and
// secure printing is armed only with a confirmed password.
LONG HasJobPasswordFor(const UserOptions &options);
bool SecurePrintHasPassword(const UserOptions &options);

// The Tray page: the output sheet sizes an imposition type offers, from
// the first (2-up takes only the first five).
int OutputSheetSizesOffered(LONG impositionType);
