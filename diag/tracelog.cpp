#include "diag/tracelog.h"

void TraceLog(const char *, ...)
{
}
