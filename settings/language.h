// The build's language, chosen with SELECTED_LANGUAGE: the resources it
// carries and the rendering module it names.
#pragma once

#include <windows.h>

// File name of the user-mode rendering module the spooler is told to load,
// or NULL in a build without a selected language.
PCWSTR RenderingModuleName();
