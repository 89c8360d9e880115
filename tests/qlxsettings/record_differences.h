// The byte offsets at which two records differ, as "offset offset ...", or
// "" when they are equal: shared by the tool's tests and the .reg tests.
#pragma once

#include <string>

#include "settings/useroptions.h"

inline std::string Differences(const UserOptions &a, const UserOptions &b)
{
    std::string list;
    for (size_t i = 0; i < sizeof(a); ++i)
        if (reinterpret_cast<const BYTE *>(&a)[i] != reinterpret_cast<const BYTE *>(&b)[i])
            list += std::to_string(i) + " ";
    return list;
}
