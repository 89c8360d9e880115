// The plug-in's debug trace, compiled in but off in the shipped build.
#pragma once

// format is a narrow literal; its "%s" arguments are UTF-16 texts.
void TraceLog(const char *format, ...);
