// Which platform the harness runs on. Wine answers some counting APIs with 0
// where Windows gives real figures, so measuring code picks its counters by
// asking here rather than by guessing from a 0.
#pragma once

// Wine's version text ("8.0") when the process runs under Wine, NULL on
// Windows. Wine's ntdll exports wine_get_version; Windows' never does.
const char *HostWineVersion();
