// Removes what the test programs leave on a machine: everything whose name
// begins with the test prefix (host/test_names.h), and nothing else.
#pragma once

// Printers, then the drivers they used, then the drivers' files nothing
// installed still names, then the plug-in's records under
// HKLM\SYSTEM\Printers, then scratch folders in the temporary folder. Says
// on standard output what it removed and what it could not remove; returns
// how many items it could not remove.
int KitCleanUp();

// Writes on standard output every file an installed printer driver names,
// one full path a line; false when the drivers cannot be listed.
bool KitListDriverFiles();
