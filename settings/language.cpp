// The rendering module's file name is fixed when the plug-in is built: the
// build compiles this unit once per language with that language's suffix
// (resources/languages.txt) as RENDERING_MODULE_SUFFIX, a wide string
// literal, and once without it for a build that names no module.
#include "settings/language.h"

PCWSTR RenderingModuleName()
{
#ifdef RENDERING_MODULE_SUFFIX
    return L"qlx4120um" RENDERING_MODULE_SUFFIX L".dll";
#else
    return NULL;
#endif
}
